// Runs the real application object from a replay script: headless and fast, in a real window at
// the game's pace, or recording a player's keys. The desktop build has all three
// (replay_window.cpp); a build without a display only the headless run (replay_console.cpp).
#pragma once

#include <cstdint>
#include <map>
#include <string>

struct ReplayOptions {
    std::string directory = ".";
    int64_t ticks = -1;  // -1: the script's length
    std::string traceFile;
    std::map<int64_t, std::string> screenshots;  // tick -> PNG file
    bool answerYes = true;
    std::string scriptFile;
};

// Headless: virtual clock, scripted keys, boxes printed and answered, a device that draws nothing
// (or OpenGL offscreen when screenshots are asked for). Returns the game's exit code, or -1 with
// a message on standard error when the run could not be set up.
int RunReplay(const ReplayOptions& options);

// The script in a real window at 25 ticks per second.
int WatchReplay(const ReplayOptions& options);

// The player plays in a real window; the keys held at every tick are written as a script.
int RecordReplay(const ReplayOptions& options, const std::string& recordFile);
