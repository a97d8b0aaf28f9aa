// The pads as keys: which control holds which key, the stick's dead zone, hot-plugging, and the
// union with the keyboard.
#include "platform/sdl/gamepads.h"

#include <gtest/gtest.h>

#include <set>

#include "platform/headless/headless.h"
#include "platform/sdl/keys_and_pads.h"
#include "platform/win32.h"
#include "tests/platform/sdl/virtual_pad.h"
#include "tests/support/window_test_support.h"

namespace gamepad_test {
namespace {

// The keys of the shipped setup.ini: the four arrows and the space bar.
constexpr int SHIPPED_KEYS[] = {VK_UP, VK_DOWN, VK_LEFT, VK_RIGHT, VK_SPACE};
// A stick's full travel in SDL's units.
constexpr Sint16 FULL_TRAVEL = 32767;

class PadKeys : public ::testing::Test {
  protected:
    // Which of the shipped keys the keyboard and the pads hold together now.
    std::set<int> HeldKeys() {
        std::set<int> held;
        for (int key : SHIPPED_KEYS) {
            if (keys.IsDown(key)) {
                held.insert(key);
            }
        }
        return held;
    }

    platform::headless::ScriptedKeyboard keyboard;
    platform::sdl::Gamepads pads;
    platform::sdl::KeysAndPads keys{keyboard, pads};
};

TEST_F(PadKeys, TheDpadHoldsTheArrowsAndTheSouthButtonAndStartHoldTheSpaceBar) {
    VirtualPad pad;
    const struct {
        SDL_GameControllerButton button;
        int key;
    } controls[] = {
        {SDL_CONTROLLER_BUTTON_DPAD_UP, VK_UP},     {SDL_CONTROLLER_BUTTON_DPAD_DOWN, VK_DOWN},
        {SDL_CONTROLLER_BUTTON_DPAD_LEFT, VK_LEFT}, {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, VK_RIGHT},
        {SDL_CONTROLLER_BUTTON_A, VK_SPACE},        {SDL_CONTROLLER_BUTTON_START, VK_SPACE},
    };
    for (const auto& control : controls) {
        pad.Set(control.button, true);
        EXPECT_EQ(HeldKeys(), std::set<int>{control.key}) << "button " << control.button;
        pad.Set(control.button, false);
        EXPECT_EQ(HeldKeys(), std::set<int>{}) << "button " << control.button;
    }
    // Buttons the table leaves out hold nothing.
    for (auto button : {SDL_CONTROLLER_BUTTON_B, SDL_CONTROLLER_BUTTON_X, SDL_CONTROLLER_BUTTON_Y,
                        SDL_CONTROLLER_BUTTON_BACK, SDL_CONTROLLER_BUTTON_LEFTSHOULDER}) {
        pad.Set(button, true);
        EXPECT_EQ(HeldKeys(), std::set<int>{}) << "button " << button;
        pad.Set(button, false);
    }
}

TEST_F(PadKeys, TheLeftStickHoldsAnArrowOnlyBeyondTheDeadZone) {
    VirtualPad pad;
    const int deadZone = 8000;  // of 32767, as docs/desktop.md states
    const struct {
        SDL_GameControllerAxis axis;
        int sign;
        int key;
    } directions[] = {
        // SDL counts a stick's y downwards.
        {SDL_CONTROLLER_AXIS_LEFTY, -1, VK_UP},
        {SDL_CONTROLLER_AXIS_LEFTY, 1, VK_DOWN},
        {SDL_CONTROLLER_AXIS_LEFTX, -1, VK_LEFT},
        {SDL_CONTROLLER_AXIS_LEFTX, 1, VK_RIGHT},
    };
    for (const auto& direction : directions) {
        pad.Set(direction.axis, static_cast<Sint16>(direction.sign * deadZone));
        EXPECT_EQ(HeldKeys(), std::set<int>{})
            << "at the edge of the dead zone, key " << direction.key;
        pad.Set(direction.axis, static_cast<Sint16>(direction.sign * (deadZone + 1)));
        EXPECT_EQ(HeldKeys(), std::set<int>{direction.key}) << "just beyond it";
        pad.Set(direction.axis, static_cast<Sint16>(direction.sign * FULL_TRAVEL));
        EXPECT_EQ(HeldKeys(), std::set<int>{direction.key}) << "at full travel";
        pad.Set(direction.axis, 0);
    }
    // The right stick steers nothing.
    pad.Set(SDL_CONTROLLER_AXIS_RIGHTX, FULL_TRAVEL);
    pad.Set(SDL_CONTROLLER_AXIS_RIGHTY, FULL_TRAVEL);
    EXPECT_EQ(HeldKeys(), std::set<int>{});
}

TEST_F(PadKeys, AKeyHeldOnTheKeyboardOrAPadCountsAndReleasingOneLeavesTheOther) {
    VirtualPad pad;
    keyboard.held = {VK_UP};
    pad.Set(SDL_CONTROLLER_BUTTON_DPAD_UP, true);
    pad.Set(SDL_CONTROLLER_BUTTON_DPAD_RIGHT, true);
    EXPECT_EQ(HeldKeys(), (std::set<int>{VK_UP, VK_RIGHT}));
    keyboard.held = {VK_SPACE};
    EXPECT_EQ(HeldKeys(), (std::set<int>{VK_UP, VK_RIGHT, VK_SPACE}));
    pad.Set(SDL_CONTROLLER_BUTTON_DPAD_UP, false);
    EXPECT_EQ(HeldKeys(), (std::set<int>{VK_RIGHT, VK_SPACE}));
    keyboard.held = {VK_RIGHT};
    pad.Set(SDL_CONTROLLER_BUTTON_DPAD_RIGHT, false);
    EXPECT_EQ(HeldKeys(), std::set<int>{VK_RIGHT});
    keyboard.held.clear();
    EXPECT_EQ(HeldKeys(), std::set<int>{});
}

TEST_F(PadKeys, APadPluggedInLaterIsHeardAndOnePulledOutReleasesItsKeys) {
    VirtualPad first;
    first.Set(SDL_CONTROLLER_BUTTON_DPAD_LEFT, true);
    first.Set(SDL_CONTROLLER_BUTTON_A, true);
    EXPECT_EQ(HeldKeys(), (std::set<int>{VK_LEFT, VK_SPACE}));
    {
        VirtualPad second;
        second.Set(SDL_CONTROLLER_BUTTON_DPAD_DOWN, true);
        EXPECT_EQ(HeldKeys(), (std::set<int>{VK_LEFT, VK_DOWN, VK_SPACE}));
        second.Unplug();
        EXPECT_EQ(HeldKeys(), (std::set<int>{VK_LEFT, VK_SPACE}));
    }
    first.Unplug();
    EXPECT_EQ(HeldKeys(), std::set<int>{});
}

TEST(Gamepads, APadPresentBeforeTheStartIsOpened) {
    VirtualPad pad;
    pad.Set(SDL_CONTROLLER_BUTTON_START, true);
    SDL_JoystickUpdate();
    platform::sdl::Gamepads pads;
    EXPECT_TRUE(pads.Hold(VK_SPACE));
    EXPECT_FALSE(pads.Hold(VK_UP));
}

TEST(Gamepads, APadPluggedInWhileTheWindowSystemReadsTheEventsIsOpened) {
    platform::headless::ResetWindowState();
    ASSERT_NE(platform_test::RegisterRecordingClass("Gorvanti"), 0);
    HWND window = platform_test::CreateGameSizedWindow("Gorvanti");
    ASSERT_NE(window, nullptr) << SDL_GetError();
    platform::sdl::Gamepads& pads = platform::sdl::RealGamepads();
    VirtualPad pad;
    MSG msg{};
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }
    // SDL ignores presses while it has windows and none has the keyboard focus, as this hidden
    // one has not: the press comes after it is gone.
    EXPECT_TRUE(DestroyWindow(window));
    pad.Set(SDL_CONTROLLER_BUTTON_DPAD_DOWN, true);
    SDL_JoystickUpdate();
    EXPECT_TRUE(pads.Hold(VK_DOWN));
    platform::headless::ResetWindowState();
}

}  // namespace
}  // namespace gamepad_test
