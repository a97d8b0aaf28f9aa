// PeekMessageA rests only when nothing is waiting, and hands out what arrived during the rest.
#include <gtest/gtest.h>

#include "platform/headless/headless.h"
#include "tests/support/window_test_support.h"

namespace {

class RestingPeek : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_NE(platform_test::RegisterRecordingClass("Gorvanti"), 0);
        window = platform_test::CreateGameSizedWindow("Gorvanti");
        ASSERT_NE(window, nullptr);
        session.windows.onRest = [this] { ++rests; };
    }

    platform::headless::Session session;
    HWND window = nullptr;
    int rests = 0;
};

TEST_F(RestingPeek, AWaitingMessageIsHandedOutWithoutARest) {
    ASSERT_TRUE(PostMessageA(window, WM_PAINT, 0, 0));
    session.windows.InjectClose(window);  // reaches the queue at the pump, before it is searched
    MSG msg{};
    EXPECT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_PAINT));
    EXPECT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_CLOSE));
    EXPECT_EQ(rests, 0);
}

TEST_F(RestingPeek, AnEmptyQueueRestsOnceAndHandsOutWhatArrivedMeanwhile) {
    MSG msg{};
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(rests, 1);

    session.windows.onRest = [this] {
        ++rests;
        session.windows.InjectClose(window);
    };
    EXPECT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_CLOSE));
    EXPECT_EQ(msg.hwnd, window);
    EXPECT_EQ(rests, 2);
}

}  // namespace
