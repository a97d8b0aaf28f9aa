// Checks a run of the whole game against the milestones its script was written for.
#pragma once

#include <string>
#include <vector>

#include "tools/solver/game_plan.h"
#include "tools/solver/game_run.h"

// Every stage cleared on its goal tick with the time its inputs take, no ball lost, back at the
// title after the ending, and ./besttime.dat holding those times. `problems` lists what failed.
bool CheckFullGame(const GameRun& run, const PlannedScript& plan,
                   const std::vector<std::vector<int>>& solutions, std::string& problems);

// Stage 1 cleared in `stageOneTicks`, a ball lost on every loss tick, the game over and the title
// after it.
bool CheckGameOver(const GameRun& run, const PlannedScript& plan, size_t stageOneTicks,
                   std::string& problems);
