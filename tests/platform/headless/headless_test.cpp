// The headless backends as the game meets them through the Win32 calls.
#include "platform/headless/headless.h"

#include <gtest/gtest.h>

#include "platform/win32.h"

TEST(HeadlessClock, CounterAdvancesByItsStepAfterEveryRead) {
    platform::headless::Session session;
    session.clock.frequency = 3'579'545;
    session.clock.counter = 100;
    session.clock.step = 7;
    LARGE_INTEGER frequency{};
    ASSERT_TRUE(QueryPerformanceFrequency(&frequency));
    EXPECT_EQ(frequency.QuadPart, 3'579'545);
    LARGE_INTEGER count{};
    ASSERT_TRUE(QueryPerformanceCounter(&count));
    EXPECT_EQ(count.QuadPart, 100);
    ASSERT_TRUE(QueryPerformanceCounter(&count));
    EXPECT_EQ(count.QuadPart, 107);
}

TEST(HeadlessClock, WithoutACounterOnlyMillisecondsRemain) {
    platform::headless::Session session;
    session.clock.hasPerformanceCounter = false;
    session.clock.milliseconds = 4000;
    session.clock.millisecondStep = 40;
    LARGE_INTEGER frequency{};
    EXPECT_FALSE(QueryPerformanceFrequency(&frequency));
    EXPECT_EQ(timeGetTime(), 4000u);
    EXPECT_EQ(timeGetTime(), 4040u);
}

TEST(HeadlessKeyboard, HeldKeysHaveTheTopBitAndASourceOverridesThem) {
    platform::headless::Session session;
    session.keyboard.held = {VK_UP};
    EXPECT_TRUE(GetAsyncKeyState(VK_UP) & 0x8000);
    EXPECT_EQ(GetAsyncKeyState(VK_DOWN), 0);
    session.keyboard.source = [](int key) { return key == VK_DOWN; };
    EXPECT_EQ(GetAsyncKeyState(VK_UP), 0);
    EXPECT_TRUE(GetAsyncKeyState(VK_DOWN) & 0x8000);
}

TEST(HeadlessBoxes, QueuedAnswersComeFirstThenTheAnswererThenTheDefault) {
    platform::headless::Session session;
    session.boxes.answers = {IDNO};
    EXPECT_EQ(MessageBoxA(nullptr, "ゲームを終了しますか？", "Select", MB_YESNO), IDNO);
    EXPECT_EQ(MessageBoxA(nullptr, "first default", "Select", MB_YESNO), IDYES);
    EXPECT_EQ(MessageBoxA(nullptr, "ok default", "Error", MB_ICONWARNING), IDOK);
    session.boxes.answerer = [](const platform::headless::RecordedBox& box) {
        return box.caption == "Select" ? IDNO : IDOK;
    };
    EXPECT_EQ(MessageBoxA(nullptr, "asked", "Select", MB_YESNO), IDNO);
    ASSERT_EQ(session.boxes.boxes.size(), 4u);
    EXPECT_EQ(session.boxes.boxes[0].text, "ゲームを終了しますか？");
    EXPECT_EQ(session.boxes.boxes[2].type, static_cast<UINT>(MB_ICONWARNING));
    EXPECT_EQ(session.boxes.boxes[2].owner, nullptr);
}

TEST(HeadlessSession, TheRealClockComesBackAfterTheSession) {
    {
        platform::headless::Session session;
        session.clock.frequency = 1000;
    }
    LARGE_INTEGER frequency{};
    ASSERT_TRUE(QueryPerformanceFrequency(&frequency));
    EXPECT_EQ(frequency.QuadPart, 10'000'000);
    LARGE_INTEGER first{};
    LARGE_INTEGER second{};
    QueryPerformanceCounter(&first);
    QueryPerformanceCounter(&second);
    EXPECT_GE(second.QuadPart, first.QuadPart);
}
