// Runs the whole application object from a script's keys and notes its state after every tick.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/replay/replay_script.h"

struct TickRecord {
    int sceneRun;   // the scene whose tick ran
    int nextScene;  // the scene the tick returned
    int stage;
    int lives;
    int time;
    int playing;
    int falling;
    int goalReached;
    int gameOver;
    float x, z;
};

struct GameRun {
    std::vector<TickRecord> ticks;
    std::string bestTimeFile;  // ./besttime.dat after the run
};

// Plays `script` from program start in a scratch folder holding the shipped setup.ini and
// besttime.dat, on the headless backends with a null device. False with `error` when the game
// could not start.
bool RunWholeGame(const ReplayScript& script, GameRun& run, std::string& error);
