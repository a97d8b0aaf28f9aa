// The replay page's address: which script, how long, and which frames are kept.
#include "tools/replay_page/page_query.h"

#include <gtest/gtest.h>

namespace {

const std::string FOLDER = "/replays/";

TEST(PageQuery, SplitsNamesFromValues) {
    EXPECT_EQ(ParsePageQuery("script=stage01&frames=3,12"),
              (PageQuery{{"script", "stage01"}, {"frames", "3,12"}}));
    EXPECT_EQ(ParsePageQuery(""), PageQuery{});
    EXPECT_EQ(ParsePageQuery("&&"), PageQuery{});
    EXPECT_EQ(ParsePageQuery("ticks"), (PageQuery{{"ticks", ""}}));
    // A later value wins, as it would in a form.
    EXPECT_EQ(ParsePageQuery("ticks=1&ticks=2"), (PageQuery{{"ticks", "2"}}));
}

TEST(PageQuery, AScriptTicksAndFramesMakeTheRun) {
    ReplayOptions options;
    std::string error;
    ASSERT_TRUE(ReadReplayOptions(ParsePageQuery("script=full-game&ticks=801&frames=3,12,475"),
                                  FOLDER, options, error))
        << error;
    EXPECT_EQ(options.scriptFile, "/replays/full-game.replay");
    EXPECT_EQ(options.ticks, 801);
    EXPECT_EQ(options.screenshots,
              (std::map<int64_t, std::string>{{3, "3"}, {12, "12"}, {475, "475"}}));
}

TEST(PageQuery, WithoutTicksTheRunLastsTheScript) {
    ReplayOptions options;
    std::string error;
    ASSERT_TRUE(ReadReplayOptions(ParsePageQuery("script=stage01"), FOLDER, options, error));
    EXPECT_EQ(options.ticks, -1);
    EXPECT_TRUE(options.screenshots.empty());
}

// Each refusal names what was wrong, so a mistyped test address is found at once.
TEST(PageQuery, RefusesWhatItCannotRun) {
    const struct {
        const char* query;
        const char* named;
    } cases[] = {
        {"", "script="},
        {"frames=3", "script="},
        {"script=../secret", "../secret"},
        {"script=", "script="},
        {"script=Stage01", "Stage01"},
        {"script=stage01&ticks=12x", "12x"},
        {"script=stage01&ticks=-3", "-3"},
        {"script=stage01&frames=3,,4", "3,,4"},
        {"script=stage01&frames=", "frames="},
        {"script=stage01&speed=2", "speed="},
    };
    for (const auto& refused : cases) {
        ReplayOptions options;
        std::string error;
        EXPECT_FALSE(ReadReplayOptions(ParsePageQuery(refused.query), FOLDER, options, error))
            << refused.query;
        EXPECT_NE(error.find(refused.named), std::string::npos) << refused.query << ": " << error;
    }
}

}  // namespace
