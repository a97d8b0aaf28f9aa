// What a test lays into its scratch directory for the game: settings files and the generated art.
#pragma once

#include "tools/replay/scratch_directory.h"

// The arrow keys as shipped, and ten best times of 9999.
extern const char* const ARROW_KEYS_SETUP;
extern const char* const SLOWEST_BEST_TIMES;

// Copies the generated art of the build's run folder into `directory`/graphics; false when there
// is none.
bool CopyArt(const ScratchDirectory& directory);
