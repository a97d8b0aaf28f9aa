// The stored whole-game replay through the replay tool: ten clears, the ending, the best times.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/scene_numbers.h"
#include "play/stage_maps.h"
#include "tests/tools/replay/replay_trace.h"
#include "tools/replay/replay_script.h"

namespace {

constexpr int SLOWEST_TIME = 9999;
constexpr int START_LIVES = 10;
constexpr int EXIT_AFTER_QUIT = 1;  // a replay that reaches its last tick ends as a quit

std::string FullGameFile() {
    return StoredReplay("full-game.replay");
}

ReplayOutcome RunFullGame() {
    return RunScriptFile(FullGameFile());
}

class FullGameReplay : public OneReplaySuite<RunFullGame> {
  protected:
    static std::string File() { return FullGameFile(); }
};

std::vector<int> ParseBestTimes(const std::string& text) {
    std::vector<int> times;
    unsigned value = 0;
    int consumed = 0;
    for (const char* cursor = text.c_str(); std::sscanf(cursor, "%x%n", &value, &consumed) == 1;
         cursor += consumed) {
        times.push_back(static_cast<int>(value));
    }
    return times;
}

TEST_F(FullGameReplay, ClearsTheTenStagesInOrderWithoutLosingABall) {
    EXPECT_EQ(outcome->exitCode, EXIT_AFTER_QUIT);
    const std::vector<TraceRow> goals = GoalRows(outcome->rows);
    ASSERT_EQ(goals.size(), static_cast<size_t>(STAGE_COUNT));
    for (int stage = 1; stage <= STAGE_COUNT; ++stage) {
        EXPECT_EQ(goals[stage - 1].stage, stage);
        EXPECT_EQ(goals[stage - 1].lives, START_LIVES);
    }
    for (const TraceRow& row : outcome->rows) {
        ASSERT_EQ(row.falling, 0) << "tick " << row.tick;
    }
}

TEST_F(FullGameReplay, EndsBackInTheTitleAfterTheEnding) {
    const std::vector<TraceRow>& rows = outcome->rows;
    ASSERT_FALSE(rows.empty());
    size_t lastPlay = rows.size();
    for (size_t k = 0; k < rows.size(); ++k) {
        if (rows[k].scene == SCENE_PLAY) {
            lastPlay = k;
        }
    }
    ASSERT_LT(lastPlay + 1, rows.size());
    // The ending runs in stage 10's clear, which counts the stage on to 11.
    EXPECT_EQ(rows[lastPlay].stage, STAGE_COUNT + 1);
    for (size_t k = lastPlay + 1; k < rows.size(); ++k) {
        ASSERT_EQ(rows[k].scene, SCENE_TITLE) << "tick " << rows[k].tick;
    }
}

TEST_F(FullGameReplay, BestTimeFileHoldsTheTimeOfEveryFirstGoalTick) {
    const std::vector<TraceRow> goals = GoalRows(outcome->rows);
    const std::vector<int> bestTimes = ParseBestTimes(outcome->bestTimeFile);
    ASSERT_EQ(bestTimes.size(), static_cast<size_t>(STAGE_COUNT));
    ASSERT_EQ(goals.size(), bestTimes.size());
    for (int stage = 1; stage <= STAGE_COUNT; ++stage) {
        EXPECT_LT(bestTimes[stage - 1], SLOWEST_TIME) << "stage " << stage;
        EXPECT_EQ(bestTimes[stage - 1], goals[stage - 1].time) << "stage " << stage;
    }
}

TEST_F(FullGameReplay, EveryStageReplayIsAsLongAsItsStageTime) {
    // A stage script starts at the stage's first tick of play, whose timer shows 1, and ends on
    // the goal tick: its length is the stage time.
    const std::vector<TraceRow> goals = GoalRows(outcome->rows);
    ASSERT_EQ(goals.size(), static_cast<size_t>(STAGE_COUNT));
    for (int stage = 1; stage <= STAGE_COUNT; ++stage) {
        char name[32];
        std::snprintf(name, sizeof name, "stage%02d.replay", stage);
        ReplayScript script;
        std::string error;
        ASSERT_TRUE(script.Load(StoredReplay(name), error)) << error;
        EXPECT_EQ(script.Length(), goals[stage - 1].time) << name;
    }
}

TEST_F(FullGameReplay, ReplayingTheSameScriptTwiceGivesTheSameTrace) {
    const ReplayOutcome again = RunScriptFile(File());
    ASSERT_FALSE(again.traceText.empty());
    EXPECT_TRUE(again.traceText == outcome->traceText);
    EXPECT_EQ(again.bestTimeFile, outcome->bestTimeFile);
}

}  // namespace
