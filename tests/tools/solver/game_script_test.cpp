// The solver's play-key bits in a script: its text must read back through the replay tool as the
// same keys.
#include "tools/solver/game_script.h"

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
