// The solver's script writer: its text must read back through the replay tool as the same keys.
#include "tools/solver/game_script.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "tools/replay/replay_script.h"
#include "tools/solver/board_probe.h"

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
    GameScript script;
    script.Comment("Title: a press, a release.");
    script.Hold(1, {UP});
    script.Release(3);
    script.Comment("Stage 1: two sections of nothing held stay two lines.");
    script.Release(2);
    script.Play(
        {KEY_BIT_UP | KEY_BIT_LEFT, KEY_BIT_UP | KEY_BIT_LEFT, 0, KEY_BIT_DOWN | KEY_BIT_RIGHT});
    script.Hold(2, {SPACE});

    ReplayScript read;
    std::string error;
    ASSERT_TRUE(read.Parse(script.Text(), error)) << error << "\n" << script.Text();
    ASSERT_EQ(read.Length(), script.Length());
    ASSERT_EQ(script.Length(), 1 + 3 + 2 + 4 + 2);
    const std::vector<TickKeys> ticks = script.KeysPerTick();
    ASSERT_EQ(ticks.size(), static_cast<size_t>(script.Length()));
    for (int64_t tick = 0; tick < script.Length(); ++tick) {
        EXPECT_EQ(Sorted(read.KeysAt(tick)), Sorted(ticks[tick])) << "tick " << tick;
    }
    EXPECT_EQ(Sorted(ticks[6]), Sorted({UP, LEFT}));
    EXPECT_EQ(Sorted(ticks[9]), Sorted({DOWN, RIGHT}));
}

TEST(GameScript, SectionCommentsStandBeforeTheirFirstLine) {
    GameScript script;
    script.Comment("Intro.");
    script.Release(102);
    script.Comment("Play.");
    script.Release(5);
    EXPECT_EQ(script.Text(), "# Intro.\n102 -\n# Play.\n5 -\n");
}

TEST(GameScript, PlayBitsHoldTheShippedArrowOfTheirSlot) {
    EXPECT_EQ(GameScript::KeysOfBits(KEY_BIT_UP), TickKeys{UP});
    EXPECT_EQ(GameScript::KeysOfBits(KEY_BIT_DOWN), TickKeys{DOWN});
    EXPECT_EQ(GameScript::KeysOfBits(KEY_BIT_RIGHT), TickKeys{RIGHT});
    EXPECT_EQ(GameScript::KeysOfBits(KEY_BIT_LEFT), TickKeys{LEFT});
    EXPECT_TRUE(GameScript::KeysOfBits(0).empty());
}

}  // namespace
