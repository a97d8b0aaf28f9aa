// The solver's play-key bits in a replay script: each held as its shipped key.
#pragma once

#include <vector>

#include "tools/replay/replay_script.h"

// The shipped key of every play-key bit in `bits`.
std::vector<int> KeysOfBits(int bits);

// One tick for each entry of `bits`, holding the shipped keys of those play-key bits.
void PlayBits(ReplayScript& script, const std::vector<int>& bits);
