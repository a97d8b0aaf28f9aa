// The solver's scripts: its play-key bits must read back through the replay tool as the same keys,
// and the whole game's plan must skip the title and count its milestones as the game plays them.
#include "tools/solver/game_script.h"
#include "tools/solver/game_plan.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "app/key_bits.h"

namespace {

// The shipped keys: the arrows, and the space bar as the fifth.
constexpr int UP = 0x26;
constexpr int DOWN = 0x28;
constexpr int LEFT = 0x25;
constexpr int RIGHT = 0x27;
constexpr int SPACE = 0x20;

std::vector<int> Sorted(std::vector<int> keys) {
    std::sort(keys.begin(), keys.end());
    return keys;
}

TEST(GameScript, TextReadsBackThroughTheReplayToolAsTheSameKeysEveryTick) {
    ReplayScript script;
    script.Comment("Title: a press, a release.");
    script.Append(1, {UP});
    script.Release(3);
    script.Comment("Stage 1: two sections of nothing held stay two lines.");
    script.Release(2);
    PlayBits(script, {KEY_BIT_UP | KEY_BIT_LEFT, KEY_BIT_UP | KEY_BIT_LEFT, 0,
                      KEY_BIT_DOWN | KEY_BIT_RIGHT});
    script.Append(2, {SPACE});

    ReplayScript read;
    std::string error;
    ASSERT_TRUE(read.Parse(script.ToText(), error)) << error << "\n" << script.ToText();
    ASSERT_EQ(read.Length(), script.Length());
    ASSERT_EQ(script.Length(), 1 + 3 + 2 + 4 + 2);
    for (int64_t tick = 0; tick < script.Length(); ++tick) {
        EXPECT_EQ(Sorted(read.KeysAt(tick)), Sorted(script.KeysAt(tick))) << "tick " << tick;
    }
    EXPECT_EQ(Sorted(script.KeysAt(6)), Sorted({UP, LEFT}));
    EXPECT_EQ(Sorted(script.KeysAt(9)), Sorted({DOWN, RIGHT}));
}

TEST(GameScript, PlayBitsHoldTheShippedArrowOfTheirSlot) {
    EXPECT_EQ(KeysOfBits(KEY_BIT_UP), std::vector<int>{UP});
    EXPECT_EQ(KeysOfBits(KEY_BIT_DOWN), std::vector<int>{DOWN});
    EXPECT_EQ(KeysOfBits(KEY_BIT_RIGHT), std::vector<int>{RIGHT});
    EXPECT_EQ(KeysOfBits(KEY_BIT_LEFT), std::vector<int>{LEFT});
    EXPECT_TRUE(KeysOfBits(0).empty());
}

}  // namespace

// The title takes 16 ticks: each of its first eight steps is skipped by a press of a configured
// key held one tick, with a tick of release between presses, and the space bar in the ninth
// step's first tick starts play. The stages' milestones count from there.
TEST(GamePlan, TheTitleIsSkippedInSixteenTicksAndEachGoalFollowsItsIntro) {
    const std::vector<int> solution = {KEY_BIT_UP, KEY_BIT_UP, KEY_BIT_LEFT};
    const PlannedScript plan = FullGameScript({solution, solution});
    for (int64_t tick = 0; tick < 15; ++tick) {
        EXPECT_EQ(plan.script.KeysAt(tick),
                  tick % 2 == 0 ? std::vector<int>{UP} : std::vector<int>{})
            << "tick " << tick;
    }
    EXPECT_EQ(plan.script.KeysAt(15), std::vector<int>{SPACE});
    EXPECT_TRUE(plan.script.KeysAt(16).empty());
    const int64_t firstGoal = 16 + INTRO_TICKS + 3 - 1;
    const int64_t secondGoal = firstGoal + 1 + CLEAR_TICKS + INTRO_TICKS + 3 - 1;
    EXPECT_EQ(plan.milestones.goalTicks, (std::vector<int64_t>{firstGoal, secondGoal}));
    EXPECT_EQ(plan.script.KeysAt(firstGoal), std::vector<int>{LEFT});
}
