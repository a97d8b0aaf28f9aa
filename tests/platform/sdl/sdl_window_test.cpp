// One real SDL window (offscreen driver): its client size and that it starts hidden.
#include "platform/sdl/sdl_window.h"

#include <gtest/gtest.h>

#include "platform/headless/headless.h"
#include "tests/support/window_test_support.h"

TEST(SdlWindow, ARealWindowHasThe640By480ClientAreaAndIsHiddenUntilShown) {
    platform::headless::ResetWindowState();
    ASSERT_NE(platform_test::RegisterRecordingClass("Gorvanti"), 0);
    HWND window = platform_test::CreateGameSizedWindow("Gorvanti");
    ASSERT_NE(window, nullptr) << SDL_GetError();
    SDL_Window* native = platform::sdl::SdlWindowOf(window);
    ASSERT_NE(native, nullptr);
    int width = 0;
    int height = 0;
    SDL_GetWindowSize(native, &width, &height);
    EXPECT_EQ(width, platform_test::GAME_CLIENT_WIDTH);
    EXPECT_EQ(height, platform_test::GAME_CLIENT_HEIGHT);
    EXPECT_STREQ(SDL_GetWindowTitle(native), "Test Window");
    EXPECT_TRUE(SDL_GetWindowFlags(native) & SDL_WINDOW_OPENGL);
    EXPECT_TRUE(SDL_GetWindowFlags(native) & SDL_WINDOW_HIDDEN);
    // The offscreen driver's desktop (1024 x 768) fits no larger factor than 1.
    EXPECT_TRUE(SDL_GetWindowFlags(native) & SDL_WINDOW_RESIZABLE);
    ShowWindow(window, SW_SHOW);
    EXPECT_TRUE(SDL_GetWindowFlags(native) & SDL_WINDOW_SHOWN);

    EXPECT_TRUE(DestroyWindow(window));
    EXPECT_EQ(platform::sdl::SdlWindowOf(window), nullptr);
    platform::headless::ResetWindowState();
}

TEST(SdlWindow, CloseBoxKeysAndExposureBecomeMessagesOfTheWindow) {
    platform::headless::ResetWindowState();
    ASSERT_NE(platform_test::RegisterRecordingClass("Gorvanti"), 0);
    HWND window = platform_test::CreateGameSizedWindow("Gorvanti");
    ASSERT_NE(window, nullptr) << SDL_GetError();
    Uint32 id = SDL_GetWindowID(platform::sdl::SdlWindowOf(window));
    MSG msg{};
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }

    SDL_Event event{};
    event.type = SDL_WINDOWEVENT;
    event.window.windowID = id;
    event.window.event = SDL_WINDOWEVENT_CLOSE;
    SDL_PushEvent(&event);
    SDL_PushEvent(&event);  // a second click before the first is handled asks only once
    event = {};
    event.type = SDL_KEYDOWN;
    event.key.windowID = id;
    event.key.keysym.scancode = SDL_SCANCODE_ESCAPE;
    SDL_PushEvent(&event);
    event = {};
    event.type = SDL_WINDOWEVENT;
    event.window.windowID = id;
    event.window.event = SDL_WINDOWEVENT_EXPOSED;
    SDL_PushEvent(&event);

    std::vector<MSG> messages;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        messages.push_back(msg);
    }
    ASSERT_EQ(messages.size(), 3u);
    EXPECT_EQ(messages[0].message, static_cast<UINT>(WM_CLOSE));
    EXPECT_EQ(messages[0].hwnd, window);
    EXPECT_EQ(messages[1].message, static_cast<UINT>(WM_KEYDOWN));
    EXPECT_EQ(messages[1].wParam, static_cast<WPARAM>(VK_ESCAPE));
    EXPECT_EQ(messages[2].message, static_cast<UINT>(WM_PAINT));
    platform::headless::ResetWindowState();
}

TEST(SdlWindow, AHeadlessWindowHasNoSdlWindow) {
    platform::headless::Session session;
    ASSERT_NE(platform_test::RegisterRecordingClass("Gorvanti"), 0);
    HWND window = platform_test::CreateGameSizedWindow("Gorvanti");
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(platform::sdl::SdlWindowOf(window), nullptr);
}

TEST(SdlMessageBox, WithoutAScreenTheBoxTakesItsDefaultAnswerInsteadOfWaiting) {
    // The tests run on the offscreen driver, where nobody could click.
    EXPECT_EQ(MessageBoxA(nullptr, "ゲームを終了しますか？", "Select", MB_YESNO), IDYES);
    EXPECT_EQ(
        MessageBoxA(nullptr, "ファイルのオープンに失敗しました。", "FileOpenError", MB_ICONWARNING),
        IDOK);
}
