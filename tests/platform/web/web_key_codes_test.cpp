// The page's key table: the browser's physical key names and the Windows virtual-key codes.
#include "platform/web/web_key_codes.h"

#include <gtest/gtest.h>

#include "platform/win32/win32_subset.h"

using platform::web::CodeCountsAs;
using platform::web::ScrollsThePage;
using platform::web::VirtualKeyOfCode;

namespace {

// The keys the game's setup.ini names by default, and the keys its boxes answer.
TEST(WebKeyCodes, TheGamesKeysGiveTheirWindowsCodes) {
    EXPECT_EQ(VirtualKeyOfCode("ArrowUp"), 0x26);
    EXPECT_EQ(VirtualKeyOfCode("ArrowRight"), 0x27);
    EXPECT_EQ(VirtualKeyOfCode("ArrowDown"), 0x28);
    EXPECT_EQ(VirtualKeyOfCode("ArrowLeft"), 0x25);
    EXPECT_EQ(VirtualKeyOfCode("Space"), 0x20);
    EXPECT_EQ(VirtualKeyOfCode("Escape"), 0x1B);
    EXPECT_EQ(VirtualKeyOfCode("Enter"), 0x0D);
    EXPECT_EQ(VirtualKeyOfCode("NumpadEnter"), 0x0D);
    EXPECT_EQ(VirtualKeyOfCode("Tab"), 0x09);
}

// Letters and digits are their ASCII capitals and digits, function keys run on from VK_F1.
TEST(WebKeyCodes, RunsOfKeysFollowTheirOrder) {
    EXPECT_EQ(VirtualKeyOfCode("KeyA"), 'A');
    EXPECT_EQ(VirtualKeyOfCode("KeyY"), 'Y');
    EXPECT_EQ(VirtualKeyOfCode("KeyZ"), 'Z');
    EXPECT_EQ(VirtualKeyOfCode("Digit0"), '0');
    EXPECT_EQ(VirtualKeyOfCode("Digit9"), '9');
    EXPECT_EQ(VirtualKeyOfCode("Numpad0"), VK_NUMPAD0);
    EXPECT_EQ(VirtualKeyOfCode("Numpad7"), VK_NUMPAD0 + 7);
    EXPECT_EQ(VirtualKeyOfCode("F1"), VK_F1);
    EXPECT_EQ(VirtualKeyOfCode("F10"), VK_F1 + 9);
    EXPECT_EQ(VirtualKeyOfCode("F12"), VK_F12);
}

TEST(WebKeyCodes, NamesOutsideTheTableGiveNoCode) {
    for (const char* name : {"", "Key", "KeyAA", "Keya", "Digit", "Digit10", "F0", "F13", "F1x",
                             "Numpad", "Unidentified", "arrowup"}) {
        EXPECT_EQ(VirtualKeyOfCode(name), 0) << name;
    }
    EXPECT_EQ(VirtualKeyOfCode(nullptr), 0);
}

// Either shift key reports VK_SHIFT in its message; polling tells the sides apart as Windows does.
TEST(WebKeyCodes, ShiftControlAndAltCountForTheirGenericAndTheirSideCode) {
    EXPECT_EQ(VirtualKeyOfCode("ShiftRight"), VK_SHIFT);
    EXPECT_TRUE(CodeCountsAs("ShiftLeft", VK_SHIFT));
    EXPECT_TRUE(CodeCountsAs("ShiftLeft", VK_LSHIFT));
    EXPECT_FALSE(CodeCountsAs("ShiftLeft", VK_RSHIFT));
    EXPECT_TRUE(CodeCountsAs("ControlRight", VK_CONTROL));
    EXPECT_TRUE(CodeCountsAs("ControlRight", VK_RCONTROL));
    EXPECT_TRUE(CodeCountsAs("AltLeft", VK_MENU));
    EXPECT_FALSE(CodeCountsAs("AltLeft", VK_RMENU));
}

TEST(WebKeyCodes, EveryKeyCountsForTheCodeItReportsAndNoOther) {
    for (const char* name : {"ArrowUp", "Space", "Escape", "KeyQ", "Digit5", "Numpad3", "F7",
                             "Backquote", "IntlBackslash", "NumpadEnter"}) {
        const int code = VirtualKeyOfCode(name);
        ASSERT_NE(code, 0) << name;
        EXPECT_TRUE(CodeCountsAs(name, code)) << name;
        EXPECT_FALSE(CodeCountsAs(name, code + 1)) << name;
    }
    EXPECT_FALSE(CodeCountsAs("Unidentified", 0));
    EXPECT_FALSE(CodeCountsAs(nullptr, VK_SPACE));
}

// The keys whose default action moves the page: the game takes them while it has the focus.
TEST(WebKeyCodes, ArrowsSpaceAndPagingKeysScrollThePage) {
    for (const char* name : {"ArrowUp", "ArrowDown", "ArrowLeft", "ArrowRight", "Space", "PageUp",
                             "PageDown", "Home", "End"}) {
        EXPECT_TRUE(ScrollsThePage(name)) << name;
    }
    for (const char* name : {"Escape", "Enter", "Tab", "KeyA", "F5", ""}) {
        EXPECT_FALSE(ScrollsThePage(name)) << name;
    }
    EXPECT_FALSE(ScrollsThePage(nullptr));
}

}  // namespace
