// The stored game-over replay through the replay tool: ten balls lost, the game over, the title.
#include <gtest/gtest.h>

#include <vector>

#include "app/scene_numbers.h"
#include "tests/tools/replay/replay_trace.h"

namespace {

constexpr int START_LIVES = 10;
constexpr int GAME_OVER_TICKS = 72;

ReplayOutcome RunGameOver() {
    return RunScriptFile(StoredReplay("game-over.replay"));
}

class GameOverReplay : public OneReplaySuite<RunGameOver> {};

TEST_F(GameOverReplay, LosesTheTenBallsOneByOne) {
    ASSERT_FALSE(outcome->rows.empty());
    int lives = START_LIVES;
    int losses = 0;
    for (const TraceRow& row : outcome->rows) {
        if (row.scene != SCENE_PLAY) {
            continue;
        }
        if (row.lives != lives) {
            EXPECT_EQ(row.lives, lives - 1) << "tick " << row.tick;
            lives = row.lives;
            ++losses;
        }
    }
    EXPECT_EQ(losses, START_LIVES);
    EXPECT_EQ(outcome->rows.back().lives, 0);
}

TEST_F(GameOverReplay, ReturnsToTheTitleAfterTheGameOver) {
    const std::vector<TraceRow>& rows = outcome->rows;
    size_t lastLoss = rows.size();
    size_t lastPlay = rows.size();
    for (size_t k = 1; k < rows.size(); ++k) {
        if (rows[k].scene == SCENE_PLAY && rows[k].lives == 0 && rows[k - 1].lives == 1) {
            lastLoss = k;
        }
        if (rows[k].scene == SCENE_PLAY) {
            lastPlay = k;
        }
    }
    ASSERT_LT(lastLoss, rows.size());
    EXPECT_EQ(rows[lastLoss].gameOver, 1);
    // The game-over presentation runs its 72 ticks after the tick that lost the last ball.
    EXPECT_EQ(lastPlay, lastLoss + GAME_OVER_TICKS);
    EXPECT_EQ(rows[lastPlay].gameOver, 1);
    ASSERT_LT(lastPlay + 1, rows.size());
    for (size_t k = lastPlay + 1; k < rows.size(); ++k) {
        ASSERT_EQ(rows[k].scene, SCENE_TITLE) << "tick " << rows[k].tick;
        ASSERT_EQ(rows[k].lives, 0);
    }
}

}  // namespace
