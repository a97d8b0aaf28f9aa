// The rest planner against a simulated game loop: rests never make a tick late, so the game keeps
// 25 ticks a second at any frame cost below the tick, and most of the spare time is given back.
#include "platform/win32/rest_planner.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>

namespace {

using platform::Nanoseconds;
using platform::RestPlanner;
using std::chrono::microseconds;
using std::chrono::milliseconds;
using std::chrono::seconds;

constexpr Nanoseconds PERIOD = milliseconds(40);  // the game's 25 ticks a second
// One pass of the loop that draws nothing: the key sampling and the clock read.
constexpr Nanoseconds PASS_COST = microseconds(20);

// The game's loop as it paces itself: a tick and a drawing after every present, a present once the
// clock has passed the due time, which then advances a period, or restarts a period after the
// reading when the game is more than a period behind. Where its PeekMessageA finds nothing
// waiting, the planner's rest runs, overrunning as a timed wait does.
// The most a rest may make a present late: one short rest, its overrun and a pass or two.
Nanoseconds ShortRestLateness(Nanoseconds overrun) {
    return RestPlanner::OFF_BEAT_REST + overrun + 2 * PASS_COST;
}

class SimulatedLoop {
  public:
    SimulatedLoop(std::function<Nanoseconds(int tick)> frameCost, Nanoseconds overrun)
        : frameCost(std::move(frameCost)), overrun(overrun) {}

    void RunUntil(Nanoseconds end) {
        while (now < end) {
            const Nanoseconds rest = planner.RestAt(now);
            if (rest > Nanoseconds::zero()) {
                restsBeforeATick += tickPending && !presents.empty() ? 1 : 0;
                now += rest + overrun;
                rested += rest + overrun;
            }
            now += PASS_COST;
            if (tickPending) {
                now += frameCost(ticks++);
                drawn = now;
                tickPending = false;
            }
            planner.NoteClockRead(now);
            if (now > nextDue) {
                planner.NotePresent();
                presents.push_back(now);
                if (drawn <= nextDue) {
                    restLateness = std::max(restLateness, now - nextDue);
                }
                nextDue += PERIOD;
                if (nextDue < now) {
                    nextDue = now + PERIOD;
                }
                tickPending = true;
            }
        }
    }

    int PresentsBetween(Nanoseconds from, Nanoseconds to) const {
        return static_cast<int>(std::count_if(presents.begin(), presents.end(),
                                              [&](Nanoseconds t) { return t >= from && t < to; }));
    }

    RestPlanner planner;
    std::function<Nanoseconds(int tick)> frameCost;
    Nanoseconds overrun;
    Nanoseconds now{};
    Nanoseconds nextDue{};
    bool tickPending = true;
    int ticks = 0;
    Nanoseconds rested{};
    int restsBeforeATick = 0;
    std::vector<Nanoseconds> presents;
    Nanoseconds drawn{};
    // The most a present was late whose frame was drawn before its due time: only rests make
    // those late.
    Nanoseconds restLateness{};
};

TEST(RestPlanner, KeepsTwentyFiveTicksASecondAtEveryFrameCostBelowTheTick) {
    for (const int costMilliseconds : {1, 10, 20, 30, 34, 38}) {
        const milliseconds cost{costMilliseconds};
        for (const Nanoseconds overrun :
             {Nanoseconds(microseconds(60)), Nanoseconds(milliseconds(1))}) {
            SCOPED_TRACE(testing::Message()
                         << "frame cost " << cost.count() << " ms, rests overrun by "
                         << overrun.count() << " ns");
            SimulatedLoop loop([cost](int) -> Nanoseconds { return cost; }, overrun);
            loop.RunUntil(seconds(11));
            EXPECT_EQ(loop.restsBeforeATick, 0);
            EXPECT_EQ(loop.PresentsBetween(seconds(1), seconds(11)), 250);
            EXPECT_LE(loop.restLateness, ShortRestLateness(overrun));
            // What the frames leave of the tick is rested, bar a millisecond or two.
            const Nanoseconds spare = (PERIOD - cost) * loop.presents.size();
            EXPECT_GE(loop.rested,
                      spare - milliseconds(2) * static_cast<int>(loop.presents.size()));
        }
    }
}

TEST(RestPlanner, KeepsTheBeatWhenFrameCostsVaryBelowTheTick) {
    std::minstd_rand random(7);
    std::uniform_int_distribution<int> microsecondsOfFrame(1'000, 38'000);
    SimulatedLoop loop([&](int) { return microseconds(microsecondsOfFrame(random)); },
                       microseconds(60));
    loop.RunUntil(seconds(21));
    EXPECT_EQ(loop.restsBeforeATick, 0);
    EXPECT_EQ(loop.PresentsBetween(seconds(1), seconds(21)), 500);
}

TEST(RestPlanner, FindsTheBeatAgainAfterAStallOrALateFrame) {
    constexpr int STALLED_TICK = 120;  // a stage loading for half a second
    // A frame of 55 ms every 50th tick: late, but not by a whole period, so the game keeps its
    // beat and the frame after it, which starts 15 ms late, is on time again.
    auto isSlow = [](int tick) { return tick % 50 == 49; };
    SimulatedLoop loop(
        [&](int tick) -> Nanoseconds {
            if (tick == STALLED_TICK) {
                return milliseconds(500);
            }
            return isSlow(tick) ? milliseconds(55) : milliseconds(30);
        },
        microseconds(60));
    loop.RunUntil(seconds(14));
    EXPECT_EQ(loop.restsBeforeATick, 0);
    // The stall restarts the beat from the reading after it; five seconds later, 125 ticks.
    const Nanoseconds restart = loop.presents[STALLED_TICK];
    EXPECT_EQ(loop.PresentsBetween(restart + seconds(1), restart + seconds(6)), 125);
    // Even right after the restart, whose due time the planner could only bound.
    EXPECT_LE(loop.restLateness, ShortRestLateness(microseconds(60)));
}

TEST(RestPlanner, RestsShortlyUntilItHasSeenTheGameOnItsBeat) {
    RestPlanner planner;
    EXPECT_EQ(planner.RestAt(milliseconds(0)), RestPlanner::OFF_BEAT_REST);
    planner.NoteClockRead(milliseconds(1));
    planner.NotePresent();
    EXPECT_EQ(planner.RestAt(milliseconds(1)), Nanoseconds::zero());  // the tick is owed
    planner.NoteClockRead(milliseconds(20));
    EXPECT_EQ(planner.RestAt(milliseconds(20)), RestPlanner::OFF_BEAT_REST);
}

}  // namespace
