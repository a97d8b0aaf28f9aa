// The message queue: peeking, posting, dispatching, and the close-destroy-quit chain.
#include <gtest/gtest.h>

#include "platform/headless/headless.h"
#include "tests/support/window_test_support.h"

using platform_test::received;

namespace {

class MessageQueue : public ::testing::Test {
  protected:
    void SetUp() override {
        received.clear();
        ASSERT_NE(
            platform_test::RegisterRecordingClass("First", platform_test::RecordingProcedure<1>),
            0);
        ASSERT_NE(
            platform_test::RegisterRecordingClass("Second", platform_test::RecordingProcedure<2>),
            0);
        first = platform_test::CreateGameSizedWindow("First");
        second = platform_test::CreateGameSizedWindow("Second");
        ASSERT_NE(first, nullptr);
        ASSERT_NE(second, nullptr);
    }

    platform::headless::Session session;
    HWND first = nullptr;
    HWND second = nullptr;
};

}  // namespace

TEST_F(MessageQueue, AnEmptyQueueGivesNothingAndLeavesTheMessageAlone) {
    MSG msg{};
    msg.message = WM_KEYUP;
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_KEYUP));
}

TEST_F(MessageQueue, NoRemoveLeavesTheMessageForTheNextPeek) {
    ASSERT_TRUE(PostMessageA(first, WM_KEYDOWN, VK_SPACE, 0));
    MSG msg{};
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_KEYDOWN));
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.hwnd, first);
    EXPECT_EQ(msg.wParam, static_cast<WPARAM>(VK_SPACE));
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(MessageQueue, MessagesComeOutInPostingOrderAndAWindowFilterSkipsOthers) {
    PostMessageA(first, WM_KEYDOWN, 'A', 0);
    PostMessageA(second, WM_KEYDOWN, 'B', 0);
    PostMessageA(first, WM_KEYDOWN, 'C', 0);
    MSG msg{};
    ASSERT_TRUE(PeekMessageA(&msg, second, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.wParam, static_cast<WPARAM>('B'));
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.wParam, static_cast<WPARAM>('A'));
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.wParam, static_cast<WPARAM>('C'));
}

TEST_F(MessageQueue, PostQuitMessageQueuesQuitWithTheCodeAndNoWindow) {
    PostQuitMessage(3);
    MSG msg{};
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(msg.wParam, 3u);
    EXPECT_EQ(msg.hwnd, nullptr);
    // Quit is not a window's message: dispatching it calls no procedure.
    EXPECT_EQ(DispatchMessageA(&msg), 0);
    EXPECT_TRUE(received.empty());
}

TEST_F(MessageQueue, DispatchCallsTheProcedureOfTheMessagesWindow) {
    PostMessageA(second, WM_KEYDOWN, 'B', 0);
    PostMessageA(first, WM_KEYDOWN, 'A', 0);
    MSG msg{};
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        EXPECT_FALSE(TranslateMessage(&msg));
        DispatchMessageA(&msg);
    }
    ASSERT_EQ(received.size(), 2u);
    EXPECT_EQ(received[0].procedure, 2);
    EXPECT_EQ(received[0].message.window, second);
    EXPECT_EQ(received[1].procedure, 1);
    EXPECT_EQ(received[1].message.wParam, static_cast<WPARAM>('A'));
}

TEST_F(MessageQueue, CloseThroughDefWindowProcDestroysAndTheProcedureHearsDestroy) {
    PostMessageA(first, WM_CLOSE, 0, 0);
    PostMessageA(first, WM_KEYDOWN, 'A', 0);
    MSG msg{};
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    DispatchMessageA(&msg);
    ASSERT_EQ(received.size(), 2u);
    EXPECT_EQ(received[0].message.message, static_cast<UINT>(WM_CLOSE));
    EXPECT_EQ(received[1].message.message, static_cast<UINT>(WM_DESTROY));
    EXPECT_EQ(received[1].message.window, first);
    RECT rect{};
    EXPECT_FALSE(GetClientRect(first, &rect));
    // The key posted before the close went with the window.
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_FALSE(PostMessageA(first, WM_KEYDOWN, 'A', 0));
}

TEST_F(MessageQueue, InjectedEventsArriveAtTheNextPeek) {
    session.windows.InjectClose(first);
    session.windows.InjectKeyDown(second, VK_ESCAPE);
    MSG msg{};
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.hwnd, first);
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_CLOSE));
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_KEYDOWN));
    EXPECT_EQ(msg.wParam, static_cast<WPARAM>(VK_ESCAPE));
}

TEST_F(MessageQueue, ResetForgetsWindowsClassesAndMessages) {
    PostQuitMessage(0);
    platform::headless::ResetWindowState();
    MSG msg{};
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_FALSE(ShowWindow(first, SW_SHOW));
    EXPECT_NE(platform_test::RegisterRecordingClass("First"), 0);
    EXPECT_TRUE(received.empty());
}
