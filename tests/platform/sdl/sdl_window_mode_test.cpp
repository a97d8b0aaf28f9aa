// The real window (offscreen driver) beyond the game's sight: the factor it opens at, and full
// screen and resizing, which change nothing the game can ask about or hears of.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "platform/headless/headless.h"
#include "platform/sdl/sdl_window.h"
#include "platform/sdl/sdl_window_mode.h"
#include "platform/sdl/sdl_window_size.h"
#include "tests/support/window_test_support.h"

namespace {

constexpr int VK_F11_KEY = VK_F1 + 10;

using platform::sdl::LargestFittingScale;

}  // namespace

TEST(WindowSize, TheWindowOpensAtTheLargestWholeFactorThatFits) {
    // 640 x 480 times k fits a usable area w x h when 640k <= w and 480k <= h.
    EXPECT_EQ(LargestFittingScale(640, 480, 1920, 1080), 2);  // 1920 x 1440 is too tall
    EXPECT_EQ(LargestFittingScale(640, 480, 2560, 1600), 3);  // 1920 x 1440
    EXPECT_EQ(LargestFittingScale(640, 480, 3840, 2160), 4);  // 2560 x 1920
    EXPECT_EQ(LargestFittingScale(640, 480, 1280, 959), 1);   // a row short of 1280 x 960
    EXPECT_EQ(LargestFittingScale(640, 480, 800, 400), 1);    // nothing fits: the client size
}

TEST(WindowSize, GorvantiScaleFixesTheFactorAndABadValueIsIgnored) {
    struct Case {
        const char* value;
        int expectedScale;
    };
    // The offscreen driver's desktop is 1024 x 768, which fits factor 1 only.
    const Case cases[] = {{"3", 3}, {"1", 1}, {"0", 1}, {"9", 1}, {"2x", 1}, {"", 1}};
    for (const Case& c : cases) {
        setenv(platform::sdl::SCALE_VARIABLE, c.value, 1);
        platform::headless::ResetWindowState();
        ASSERT_NE(platform_test::RegisterRecordingClass("Gorvanti"), 0);
        HWND window = platform_test::CreateGameSizedWindow("Gorvanti");
        ASSERT_NE(window, nullptr) << SDL_GetError();
        int width = 0;
        int height = 0;
        SDL_GetWindowSize(platform::sdl::SdlWindowOf(window), &width, &height);
        EXPECT_EQ(width, platform_test::GAME_CLIENT_WIDTH * c.expectedScale) << c.value;
        EXPECT_EQ(height, platform_test::GAME_CLIENT_HEIGHT * c.expectedScale) << c.value;
    }
    unsetenv(platform::sdl::SCALE_VARIABLE);
    platform::headless::ResetWindowState();
}

class WindowMode : public ::testing::Test {
  protected:
    void SetUp() override {
        platform::headless::ResetWindowState();
        platform::sdl::ForgetGameKeys();
        ASSERT_NE(platform_test::RegisterRecordingClass("Gorvanti"), 0);
        window = platform_test::CreateGameSizedWindow("Gorvanti");
        ASSERT_NE(window, nullptr) << SDL_GetError();
        native = platform::sdl::SdlWindowOf(window);
        ShowWindow(window, SW_SHOW);
        Drain();
        ASSERT_TRUE(GetClientRect(window, &clientBefore));
        ASSERT_TRUE(AdjustWindowRectEx(&frameBefore, platform_test::GAME_STYLE, FALSE, 0));
    }

    void TearDown() override {
        platform::headless::ResetWindowState();
        platform::sdl::ForgetGameKeys();
    }

    void PushKey(Uint32 type, SDL_Scancode scancode, Uint16 modifiers = KMOD_NONE,
                 bool repeat = false) {
        SDL_Event event{};
        event.type = type;
        event.key.windowID = SDL_GetWindowID(native);
        event.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
        event.key.repeat = repeat ? 1 : 0;
        event.key.keysym.scancode = scancode;
        event.key.keysym.mod = modifiers;
        SDL_PushEvent(&event);
    }

    void Press(SDL_Scancode scancode, Uint16 modifiers = KMOD_NONE) {
        PushKey(SDL_KEYDOWN, scancode, modifiers);
        PushKey(SDL_KEYUP, scancode, modifiers);
    }

    // The messages waiting for the game, taken from the queue.
    std::vector<MSG> Drain() {
        std::vector<MSG> messages;
        MSG message{};
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            messages.push_back(message);
        }
        return messages;
    }

    bool FullScreen() const {
        return (SDL_GetWindowFlags(native) & SDL_WINDOW_FULLSCREEN_DESKTOP) ==
               SDL_WINDOW_FULLSCREEN_DESKTOP;
    }

    // What the game can ask about its window is what it was at creation.
    void ExpectTheGameSeesNoChange(const char* after) {
        RECT client{};
        ASSERT_TRUE(GetClientRect(window, &client));
        EXPECT_EQ(client.right - client.left, platform_test::GAME_CLIENT_WIDTH) << after;
        EXPECT_EQ(client.bottom - client.top, platform_test::GAME_CLIENT_HEIGHT) << after;
        EXPECT_EQ(client.left, clientBefore.left) << after;
        EXPECT_EQ(client.top, clientBefore.top) << after;
        RECT frame{0, 0, platform_test::GAME_CLIENT_WIDTH, platform_test::GAME_CLIENT_HEIGHT};
        ASSERT_TRUE(AdjustWindowRectEx(&frame, platform_test::GAME_STYLE, FALSE, 0));
        EXPECT_EQ(frame.left, frameBefore.left) << after;
        EXPECT_EQ(frame.top, frameBefore.top) << after;
        EXPECT_EQ(frame.right, frameBefore.right) << after;
        EXPECT_EQ(frame.bottom, frameBefore.bottom) << after;
    }

    HWND window = nullptr;
    SDL_Window* native = nullptr;
    RECT clientBefore{};
    RECT frameBefore{0, 0, platform_test::GAME_CLIENT_WIDTH, platform_test::GAME_CLIENT_HEIGHT};
};

TEST_F(WindowMode, F11AndAltEnterSwitchFullScreenAndTheGameHearsNothing) {
    Press(SDL_SCANCODE_F11);
    EXPECT_TRUE(Drain().empty());
    EXPECT_TRUE(FullScreen());
    ExpectTheGameSeesNoChange("F11");

    Press(SDL_SCANCODE_RETURN, KMOD_LALT);
    EXPECT_TRUE(Drain().empty());
    EXPECT_FALSE(FullScreen());
    ExpectTheGameSeesNoChange("Alt+Enter");

    // Held down, the key repeats but switches once; let go after Alt, Enter is still swallowed.
    PushKey(SDL_KEYDOWN, SDL_SCANCODE_KP_ENTER, KMOD_RALT);
    PushKey(SDL_KEYDOWN, SDL_SCANCODE_KP_ENTER, KMOD_RALT, true);
    PushKey(SDL_KEYUP, SDL_SCANCODE_KP_ENTER, KMOD_NONE);
    EXPECT_TRUE(Drain().empty());
    EXPECT_TRUE(FullScreen());

    // Enter alone is a key like any other.
    Press(SDL_SCANCODE_RETURN);
    const std::vector<MSG> messages = Drain();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].message, static_cast<UINT>(WM_KEYDOWN));
    EXPECT_EQ(messages[0].wParam, static_cast<WPARAM>(VK_RETURN));
    EXPECT_TRUE(FullScreen());
}

TEST_F(WindowMode, ResizingTheWindowChangesNothingTheGameSees) {
    SDL_SetWindowSize(native, 1000, 600);
    for (const MSG& message : Drain()) {
        // Painting only validates the window; no size message reaches the game.
        EXPECT_EQ(message.message, static_cast<UINT>(WM_PAINT));
    }
    int width = 0;
    int height = 0;
    SDL_GetWindowSize(native, &width, &height);
    EXPECT_EQ(width, 1000);
    EXPECT_EQ(height, 600);
    ExpectTheGameSeesNoChange("resizing");
}

TEST_F(WindowMode, AKeyTheGamePollsStaysTheGamesAndDoesNotSwitch) {
    // As the game polls the five keys of setup.ini; F11 is one of them here.
    GetAsyncKeyState(VK_F11_KEY);
    Press(SDL_SCANCODE_F11);
    const std::vector<MSG> messages = Drain();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].message, static_cast<UINT>(WM_KEYDOWN));
    EXPECT_EQ(messages[0].wParam, static_cast<WPARAM>(VK_F11_KEY));
    EXPECT_EQ(messages[1].message, static_cast<UINT>(WM_KEYUP));
    EXPECT_FALSE(FullScreen());

    // Alt+Enter is not the game's, and still switches.
    Press(SDL_SCANCODE_RETURN, KMOD_LALT);
    EXPECT_TRUE(Drain().empty());
    EXPECT_TRUE(FullScreen());
}
