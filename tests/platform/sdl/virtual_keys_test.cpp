// The virtual-key table: every code the game may configure finds its key and comes back.
#include "platform/sdl/virtual_keys.h"

#include <gtest/gtest.h>

#include "platform/win32.h"

namespace {

// Codes of keys with one physical key each, as setup.ini may name them.
std::vector<int> SingleKeyCodes() {
    std::vector<int> codes = {VK_BACK,     VK_TAB,       VK_ESCAPE,    VK_SPACE,      VK_PRIOR,
                              VK_NEXT,     VK_END,       VK_HOME,      VK_LEFT,       VK_UP,
                              VK_RIGHT,    VK_DOWN,      VK_INSERT,    VK_DELETE,     VK_OEM_1,
                              VK_OEM_PLUS, VK_OEM_COMMA, VK_OEM_MINUS, VK_OEM_PERIOD, VK_OEM_2,
                              VK_OEM_3,    VK_OEM_4,     VK_OEM_5,     VK_OEM_6,      VK_OEM_7};
    for (int code = '0'; code <= '9'; ++code) {
        codes.push_back(code);
    }
    for (int code = 'A'; code <= 'Z'; ++code) {
        codes.push_back(code);
    }
    for (int code = VK_NUMPAD0; code <= VK_NUMPAD0 + 9; ++code) {
        codes.push_back(code);
    }
    for (int code = VK_F1; code <= VK_F12; ++code) {
        codes.push_back(code);
    }
    return codes;
}

}  // namespace

TEST(VirtualKeys, EverySingleKeyCodeRoundTripsThroughItsScancode) {
    for (int code : SingleKeyCodes()) {
        platform::sdl::KeyScancodes keys = platform::sdl::ScancodesOf(code);
        ASSERT_EQ(keys.count, 1) << "code " << code;
        EXPECT_EQ(platform::sdl::VirtualKeyOf(keys.codes[0]), code) << "code " << code;
    }
}

TEST(VirtualKeys, KeysLandWhereAUsKeyboardHasThem) {
    EXPECT_EQ(platform::sdl::ScancodesOf('A').codes[0], SDL_SCANCODE_A);
    EXPECT_EQ(platform::sdl::ScancodesOf('0').codes[0], SDL_SCANCODE_0);
    EXPECT_EQ(platform::sdl::ScancodesOf('1').codes[0], SDL_SCANCODE_1);
    EXPECT_EQ(platform::sdl::ScancodesOf(VK_NUMPAD0).codes[0], SDL_SCANCODE_KP_0);
    EXPECT_EQ(platform::sdl::ScancodesOf(VK_NUMPAD0 + 7).codes[0], SDL_SCANCODE_KP_7);
    EXPECT_EQ(platform::sdl::ScancodesOf(VK_F12).codes[0], SDL_SCANCODE_F12);
    EXPECT_EQ(platform::sdl::ScancodesOf(VK_LEFT).codes[0], SDL_SCANCODE_LEFT);
}

TEST(VirtualKeys, ShiftControlAndAltStandForBothSidesAndMessagesUseTheGenericCode) {
    for (int code : {VK_SHIFT, VK_CONTROL, VK_MENU}) {
        platform::sdl::KeyScancodes keys = platform::sdl::ScancodesOf(code);
        ASSERT_EQ(keys.count, 2) << "code " << code;
        EXPECT_EQ(platform::sdl::VirtualKeyOf(keys.codes[0]), code);
        EXPECT_EQ(platform::sdl::VirtualKeyOf(keys.codes[1]), code);
    }
    EXPECT_EQ(platform::sdl::ScancodesOf(VK_RSHIFT).codes[0], SDL_SCANCODE_RSHIFT);
    EXPECT_EQ(platform::sdl::VirtualKeyOf(SDL_SCANCODE_KP_ENTER), VK_RETURN);
}

TEST(VirtualKeys, UnknownCodesAndKeysGiveNothing) {
    EXPECT_EQ(platform::sdl::ScancodesOf(0).count, 0);
    EXPECT_EQ(platform::sdl::ScancodesOf(-1).count, 0);
    EXPECT_EQ(platform::sdl::ScancodesOf(0x1000).count, 0);
    EXPECT_EQ(platform::sdl::VirtualKeyOf(SDL_SCANCODE_UNKNOWN), 0);
}
