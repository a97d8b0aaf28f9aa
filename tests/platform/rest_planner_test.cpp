// The rest planner: long rests far from the next present, exact ones near it, short ones off beat.
#include "platform/sdl/rest_planner.h"

#include <gtest/gtest.h>

namespace {

using platform::sdl::RestPlanner;
using std::chrono::microseconds;
using std::chrono::milliseconds;

constexpr milliseconds BEAT{40};  // the game's 25 ticks a second

// A planner that has seen presents on the beat long enough to know it; the last at `last`.
RestPlanner OnTheBeat(milliseconds last) {
    RestPlanner planner;
    for (int present = RestPlanner::BEAT_INTERVALS; present >= 0; --present) {
        planner.NotePresent(last - present * BEAT);
    }
    return planner;
}

TEST(RestPlanner, RestsOneMillisecondUntilItHasSeenEnoughPresents) {
    RestPlanner planner;
    EXPECT_EQ(planner.RestAt(milliseconds(0)), milliseconds(1));
    for (int present = 0; present < RestPlanner::BEAT_INTERVALS; ++present) {
        planner.NotePresent(present * BEAT);
        EXPECT_EQ(planner.RestAt(present * BEAT + milliseconds(5)), milliseconds(1));
    }
}

TEST(RestPlanner, RestsAtMostTenMillisecondsAndWakesTwoBeforeThePresentIsDue) {
    const milliseconds last{1000};
    const RestPlanner planner = OnTheBeat(last);
    // The next present is due one beat after the last, at 1040 ms.
    EXPECT_EQ(planner.RestAt(last), milliseconds(10));
    EXPECT_EQ(planner.RestAt(last + milliseconds(30)), milliseconds(8));         // until 1038
    EXPECT_EQ(planner.RestAt(last + milliseconds(37)), milliseconds(1));         // until 1038
    EXPECT_EQ(planner.RestAt(last + microseconds(38'500)), microseconds(1500));  // exactly to 1040
    EXPECT_EQ(planner.RestAt(last + milliseconds(40)), microseconds(100));       // due: short rests
    EXPECT_EQ(planner.RestAt(last + milliseconds(42)), microseconds(100));
    EXPECT_EQ(planner.RestAt(last + milliseconds(43)), milliseconds(1));  // off the beat
}

TEST(RestPlanner, OneLongStallDoesNotStretchTheBeat) {
    RestPlanner planner = OnTheBeat(milliseconds(1000));
    planner.NotePresent(milliseconds(1500));  // a stage loaded for half a second
    EXPECT_EQ(planner.RestAt(milliseconds(1530)), milliseconds(8));  // due at 1540 still
    planner.NotePresent(milliseconds(1541));
    EXPECT_EQ(planner.RestAt(milliseconds(1571)), milliseconds(8));  // the shortest interval, 40
}

}  // namespace
