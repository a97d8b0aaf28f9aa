// A weighted A* search over the game's exact ball states for inputs that reach a target cell.
#pragma once

#include <cstdint>
#include <vector>

#include "tools/solver/board_probe.h"
#include "tools/solver/distance_field.h"

struct SearchLimits {
    int64_t maxStates = 2'000'000;  // distinct states reached before giving up
    int maxTicks = 4000;            // longest input sequence considered
    float weight = 2.0f;            // how much the distance estimate outweighs the ticks spent
};

struct SearchResult {
    bool found = false;
    std::vector<int> bits;  // the key bits of every tick, the first tick of play first
    int64_t nodesExpanded = 0;
};

// Searches from the probe's start state; `target` is Outcome::Goal or Outcome::Fell.
SearchResult SearchInputs(BoardProbe& probe, const DistanceField& field, Outcome target,
                          const SearchLimits& limits);

// Runs `bits` through the probe from its start; returns the outcome of the last tick, and
// Outcome::Rolling when the sequence ends early on a catch or never reaches one.
Outcome ReplayInputs(BoardProbe& probe, const std::vector<int>& bits);
