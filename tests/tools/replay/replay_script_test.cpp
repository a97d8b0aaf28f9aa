// Replay scripts: the lines a player or the solver writes, and the keys they hold at each tick.
#include "tools/replay/replay_script.h"

#include <gtest/gtest.h>

namespace {

using Keys = std::vector<int>;

ReplayScript Parsed(const std::string& text) {
    ReplayScript script;
    std::string error;
    EXPECT_TRUE(script.Parse(text, error)) << error;
    return script;
}

std::string ErrorOf(const std::string& text) {
    ReplayScript script;
    std::string error;
    EXPECT_FALSE(script.Parse(text, error)) << text;
    return error;
}

}  // namespace

TEST(ReplayScript, LinesHoldTheirKeysForTheirCountOfTicks) {
    ReplayScript script = Parsed(
        "# the title\n"
        "\n"
        "2 up+right   # tilt\n"
        "1 -\n"
        "3 space+0x41+esc\n");
    EXPECT_EQ(script.Length(), 6);
    EXPECT_EQ(script.KeysAt(0), (Keys{0x26, 0x27}));
    EXPECT_EQ(script.KeysAt(1), (Keys{0x26, 0x27}));
    EXPECT_EQ(script.KeysAt(2), Keys{});
    EXPECT_EQ(script.KeysAt(3), (Keys{0x20, 0x41, 0x1B}));
    EXPECT_EQ(script.KeysAt(5), (Keys{0x20, 0x41, 0x1B}));
    // Past its end the script holds nothing.
    EXPECT_EQ(script.KeysAt(6), Keys{});
    EXPECT_EQ(script.KeysAt(1'000'000), Keys{});
}

TEST(ReplayScript, BadLinesAreRejectedWithTheirLineNumber) {
    EXPECT_EQ(ErrorOf("1 up\n0 down\n").substr(0, 7), "line 2:");
    EXPECT_NE(ErrorOf("1 up\n\n-3 down\n").find("line 3"), std::string::npos);
    EXPECT_NE(ErrorOf("x up\n").find("bad count"), std::string::npos);
    EXPECT_NE(ErrorOf("1 jump\n").find("bad keys"), std::string::npos);
    EXPECT_NE(ErrorOf("1 up+\n").find("bad keys"), std::string::npos);
    EXPECT_NE(ErrorOf("1 0x100\n").find("bad keys"), std::string::npos);
    EXPECT_NE(ErrorOf("1 0xZZ\n").find("bad keys"), std::string::npos);
    EXPECT_NE(ErrorOf("1\n").find("expected COUNT KEYS"), std::string::npos);
    EXPECT_NE(ErrorOf("1 up down\n").find("expected COUNT KEYS"), std::string::npos);
    // An absurd length is refused instead of being run for days.
    EXPECT_NE(ErrorOf("99999999 up\n99999999 down\n").find("longer than"), std::string::npos);
}

TEST(ReplayScript, WritingAndReadingBackGivesTheSameTicks) {
    ReplayScript script;
    script.Append(3, {0x26});
    script.Append(2, {0x26});  // merges with the line before
    script.Append(1, {});
    script.Append(4, {0x20, 0x25, 0x5A});
    EXPECT_EQ(script.ToText(), "5 up\n1 -\n4 space+left+0x5A\n");

    ReplayScript again = Parsed(script.ToText());
    ASSERT_EQ(again.Length(), script.Length());
    for (int64_t tick = 0; tick < script.Length(); ++tick) {
        EXPECT_EQ(again.KeysAt(tick), script.KeysAt(tick)) << tick;
    }
}

TEST(ReplayScript, SectionCommentsStandBeforeTheirFirstLine) {
    ReplayScript script;
    script.Comment("Intro.");
    script.Release(102);
    script.Comment("Play.");
    script.Release(5);
    EXPECT_EQ(script.ToText(), "# Intro.\n102 -\n# Play.\n5 -\n");
}
