// Window classes and windows: registration, the client size round trip, showing and painting.
#include <gtest/gtest.h>

#include "platform/headless/headless.h"
#include "tests/support/window_test_support.h"

using platform_test::received;

namespace {

class Windows : public ::testing::Test {
  protected:
    void SetUp() override { received.clear(); }

    platform::headless::Session session;
};

}  // namespace

TEST_F(Windows, AClassNameRegisteredTwiceFailsWhateverItsCase) {
    EXPECT_NE(platform_test::RegisterRecordingClass("Gorvanti"), 0);
    EXPECT_EQ(platform_test::RegisterRecordingClass("Gorvanti"), 0);
    EXPECT_EQ(platform_test::RegisterRecordingClass("GORVANTI"), 0);
    EXPECT_NE(platform_test::RegisterRecordingClass("Other"), 0);
}

TEST_F(Windows, RegistrationFailsWhenTheWindowSystemRefusesOrNoNameIsGiven) {
    EXPECT_EQ(RegisterClassExA(nullptr), 0);
    EXPECT_EQ(platform_test::RegisterRecordingClass(nullptr), 0);
    session.windows.failRegistration = true;
    EXPECT_EQ(platform_test::RegisterRecordingClass("Gorvanti"), 0);
    // A refused class stays unregistered: it can be registered once the system agrees.
    session.windows.failRegistration = false;
    EXPECT_NE(platform_test::RegisterRecordingClass("Gorvanti"), 0);
}

TEST_F(Windows, AdjustedOuterSizeGivesBackTheClientSize) {
    ASSERT_NE(platform_test::RegisterRecordingClass("Gorvanti"), 0);
    constexpr DWORD SIZABLE = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME;
    for (DWORD style : {platform_test::GAME_STYLE, SIZABLE, DWORD{WS_OVERLAPPED}}) {
        HWND window = platform_test::CreateGameSizedWindow("Gorvanti", style);
        ASSERT_NE(window, nullptr);
        RECT client{};
        ASSERT_TRUE(GetClientRect(window, &client));
        EXPECT_EQ(client.left, 0);
        EXPECT_EQ(client.top, 0);
        EXPECT_EQ(client.right, platform_test::GAME_CLIENT_WIDTH) << "style " << style;
        EXPECT_EQ(client.bottom, platform_test::GAME_CLIENT_HEIGHT) << "style " << style;
        EXPECT_EQ(session.windows.lastClientWidth, platform_test::GAME_CLIENT_WIDTH);
        EXPECT_EQ(session.windows.lastClientHeight, platform_test::GAME_CLIENT_HEIGHT);
    }
}

TEST_F(Windows, AdjustingGrowsTheRectangleOutwardsForACaptionedWindow) {
    RECT rect{0, 0, platform_test::GAME_CLIENT_WIDTH, platform_test::GAME_CLIENT_HEIGHT};
    ASSERT_TRUE(AdjustWindowRectEx(&rect, platform_test::GAME_STYLE, FALSE, 0));
    EXPECT_LT(rect.left, 0);
    EXPECT_LT(rect.top, rect.left);  // the caption is above the client area
    EXPECT_GT(rect.right, platform_test::GAME_CLIENT_WIDTH);
    EXPECT_GT(rect.bottom, platform_test::GAME_CLIENT_HEIGHT);
    EXPECT_FALSE(AdjustWindowRectEx(nullptr, platform_test::GAME_STYLE, FALSE, 0));
}

TEST_F(Windows, CreationFailsForAnUnknownClassOrWhenTheWindowSystemRefuses) {
    EXPECT_EQ(platform_test::CreateGameSizedWindow("Nobody"), nullptr);
    ASSERT_NE(platform_test::RegisterRecordingClass("Gorvanti"), 0);
    session.windows.failCreation = true;
    EXPECT_EQ(platform_test::CreateGameSizedWindow("Gorvanti"), nullptr);
    EXPECT_TRUE(session.windows.created.empty());
}

TEST_F(Windows, AWindowIsHiddenUntilShownAndCarriesItsCaption) {
    ASSERT_NE(platform_test::RegisterRecordingClass("Gorvanti"), 0);
    HWND window = platform_test::CreateGameSizedWindow("Gorvanti");
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(session.windows.lastCaption, "Test Window");
    EXPECT_FALSE(session.windows.IsVisible(window));
    EXPECT_FALSE(ShowWindow(window, SW_SHOW));  // it was hidden before
    EXPECT_TRUE(session.windows.IsVisible(window));
    EXPECT_TRUE(ShowWindow(window, SW_HIDE));
    EXPECT_FALSE(session.windows.IsVisible(window));
}

TEST_F(Windows, UpdateWindowPaintsAtOnceOnlyAVisibleWindow) {
    ASSERT_NE(platform_test::RegisterRecordingClass("Gorvanti"), 0);
    HWND window = platform_test::CreateGameSizedWindow("Gorvanti");
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(UpdateWindow(window));
    EXPECT_TRUE(received.empty());
    ShowWindow(window, SW_SHOW);
    EXPECT_TRUE(UpdateWindow(window));
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(received[0].message.message, static_cast<UINT>(WM_PAINT));
    EXPECT_FALSE(UpdateWindow(nullptr));
}

TEST_F(Windows, PaintingHandsOutAContextAndTheClientArea) {
    ASSERT_NE(platform_test::RegisterRecordingClass("Gorvanti"), 0);
    HWND window = platform_test::CreateGameSizedWindow("Gorvanti");
    PAINTSTRUCT paint{};
    HDC context = BeginPaint(window, &paint);
    EXPECT_NE(context, nullptr);
    EXPECT_EQ(paint.hdc, context);
    EXPECT_EQ(paint.rcPaint.right, platform_test::GAME_CLIENT_WIDTH);
    EXPECT_EQ(paint.rcPaint.bottom, platform_test::GAME_CLIENT_HEIGHT);
    EXPECT_TRUE(EndPaint(window, &paint));
}

TEST_F(Windows, DestroyingTwiceFailsTheSecondTime) {
    ASSERT_NE(platform_test::RegisterRecordingClass("Gorvanti"), 0);
    HWND window = platform_test::CreateGameSizedWindow("Gorvanti");
    EXPECT_TRUE(DestroyWindow(window));
    EXPECT_FALSE(DestroyWindow(window));
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(received[0].message.message, static_cast<UINT>(WM_DESTROY));
}

TEST_F(Windows, TheHandlesTheGameFetchesBeforeMainAreNeverNull) {
    EXPECT_NE(LoadCursorA(nullptr, IDC_ARROW), nullptr);
    EXPECT_NE(GetStockObject(BLACK_BRUSH), nullptr);
    EXPECT_NE(GetModuleHandleA(nullptr), nullptr);
}
