// The Windows loop's rest: it follows the game's due tick from the game's clock reads and never
// waits into it.
#include "platform/windows/tick_rest.h"

#include <gtest/gtest.h>

namespace {

using platform::windows::TickRest;

// A counter of 10 MHz, as Windows and Wine give: a tick of 40 ms is 400,000 counts.
constexpr int64_t COUNTS_PER_SECOND = 10'000'000;
constexpr int64_t COUNTS_PER_MILLISECOND = COUNTS_PER_SECOND / 1000;
constexpr int64_t TICK = COUNTS_PER_SECOND / 25;

int64_t Milliseconds(double milliseconds) {
    return static_cast<int64_t>(milliseconds * COUNTS_PER_MILLISECOND);
}

// The game's start-up read makes its first due time; its next read is past it and starts tick 1.
TickRest StartedAt(int64_t start) {
    TickRest rest(COUNTS_PER_SECOND);
    rest.NoteClockRead(start);
    rest.NoteClockRead(start + Milliseconds(5));
    return rest;
}

TEST(TickRest, NeverWaitsBeforeTheGameHasReadItsClock) {
    TickRest rest(COUNTS_PER_SECOND);
    EXPECT_EQ(rest.MillisecondsToWait(0), 0u);
    EXPECT_EQ(rest.MillisecondsToWait(TICK / 2), 0u);
}

TEST(TickRest, WaitsAreBoundedAndEndTheMarginBeforeTheDueTick) {
    const TickRest rest = StartedAt(0);  // tick 2 is due at 40 ms
    EXPECT_EQ(rest.MillisecondsToWait(Milliseconds(5)), TickRest::LONGEST_WAIT);
    EXPECT_EQ(rest.MillisecondsToWait(Milliseconds(30)), 8u);
    // A wait may end a millisecond late: it still ends before the due time.
    for (double now = 5; now < 40; now += 0.25) {
        const uint32_t wait = rest.MillisecondsToWait(Milliseconds(now));
        if (wait > 0) {
            EXPECT_LE(now + wait + 1, 40.0) << "at " << now << " ms";
        }
    }
    EXPECT_EQ(rest.MillisecondsToWait(Milliseconds(37.5)), 0u);
    EXPECT_EQ(rest.MillisecondsToWait(Milliseconds(40)), 0u);
    EXPECT_EQ(rest.MillisecondsToWait(Milliseconds(55)), 0u);  // overdue: the loop polls
}

TEST(TickRest, ReadsBeforeTheDueTimeDoNotMoveIt) {
    TickRest rest = StartedAt(0);
    for (double now = 6; now <= 40; now += 2) {
        rest.NoteClockRead(Milliseconds(now));
    }
    EXPECT_EQ(rest.MillisecondsToWait(Milliseconds(30)), 8u);
}

TEST(TickRest, ALateTickStartKeepsTheBeat) {
    TickRest rest = StartedAt(0);
    // The game starts tick 2 at a read 3 ms after it was due; tick 3 is due at 80 ms all the same.
    rest.NoteClockRead(Milliseconds(43));
    EXPECT_EQ(rest.MillisecondsToWait(Milliseconds(70)), 8u);
    EXPECT_EQ(rest.MillisecondsToWait(Milliseconds(77.5)), 0u);
}

TEST(TickRest, AfterAStallOfAWholeTickTheBeatRestartsFromTheRead) {
    TickRest rest = StartedAt(0);
    // Tick 2 was due at 40 ms; the game read its clock only at 100 ms (a stage loading).
    rest.NoteClockRead(Milliseconds(100));
    EXPECT_EQ(rest.MillisecondsToWait(Milliseconds(110)), TickRest::LONGEST_WAIT);
    EXPECT_EQ(rest.MillisecondsToWait(Milliseconds(130)), 8u);
    EXPECT_EQ(rest.MillisecondsToWait(Milliseconds(138)), 0u);
}

}  // namespace
