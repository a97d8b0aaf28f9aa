// Runs a replay script through the replay tool in a scratch run folder and reads its trace back.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

// One row of the replay tool's trace: the game's state after one tick.
struct TraceRow {
    int64_t tick;
    int scene;  // the scene that ran the tick
    int bits;
    int stage, lives, time, phase, playing, falling, goal, gameOver, curtain;
    double x, y, z, rotationX, rotationZ;
};

struct ReplayOutcome {
    int exitCode = -1;
    std::string traceText;
    std::vector<TraceRow> rows;
    std::string bestTimeFile;  // ./besttime.dat of the run folder afterwards
};

// The stored replays of the repository.
std::string StoredReplay(const std::string& name);

// Runs `scriptFile` with no screenshots (null device) in a fresh run folder holding the shipped
// setup.ini, ten best times of 9999 and no art.
ReplayOutcome RunScriptFile(const std::string& scriptFile);
// The same for a script given as text.
ReplayOutcome RunScriptText(const std::string& scriptText);

// A suite whose tests all read one run of a replay, made by `Replay` once before the first test.
template <ReplayOutcome (*Replay)()>
class OneReplaySuite : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { outcome = new ReplayOutcome(Replay()); }
    static void TearDownTestSuite() {
        delete outcome;
        outcome = nullptr;
    }

    static inline ReplayOutcome* outcome = nullptr;
};

// The rows at which a stage's ball first stands on a goal, in run order.
std::vector<TraceRow> GoalRows(const std::vector<TraceRow>& rows);
