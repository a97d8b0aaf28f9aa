// The scripts the solver writes, with the ticks at which the game must reach its milestones.
#pragma once

#include <cstdint>
#include <vector>

#include "tools/replay/replay_script.h"

// The game's flow in ticks.
constexpr int TITLE_SKIPPED_STEPS = 8;  // steps 0 to 7; step 8 waits for the space bar
constexpr int INTRO_TICKS = 102;        // from the stage's build to the tick that sets `playing`
constexpr int CLEAR_TICKS = 86;         // after the goal tick; the next intro follows at once
constexpr int FALL_TICKS = 26;          // after the tick that caught the ball
constexpr int GAME_OVER_TICKS = 72;     // after the tick that lost the last ball
constexpr int START_LIVES = 10;
constexpr int HOLE_STAGE = 2;  // stage 1 has no hole: balls are lost on stage 2
constexpr int TITLE_TICKS_AFTERWARDS = 300;

// Where a script must have brought the game: tick numbers from program start.
struct Milestones {
    std::vector<int64_t> goalTicks;  // the tick each stage's ball reaches the goal, stage 1 first
    std::vector<int64_t> lossTicks;  // the tick each lost ball is counted
    int64_t titleReturnTick = -1;    // the play tick that returns to the title
};

struct PlannedScript {
    ReplayScript script;
    Milestones milestones;
};

// One stage's inputs; tick 0 is the stage's first tick of play.
ReplayScript StageScript(int stage, const std::vector<int>& bits);

// Program start, the title skipped, all ten stages with `solutions`, the ending, the title again.
PlannedScript FullGameScript(const std::vector<std::vector<int>>& solutions);

// Program start, stage 1 cleared with `stageOne`, then `holeRun` from stage 2's start ten times
// (each a ball lost), the game over, the title again.
PlannedScript GameOverScript(const std::vector<int>& stageOne, const std::vector<int>& holeRun);
