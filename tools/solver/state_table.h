// The ball states a search has reached, in a table of fixed size, with the fewest ticks each took.
#pragma once

#include <cstdint>
#include <vector>

#include "tools/solver/board_probe.h"

// A state's identity for the search: the centre to a hundredth of a unit and the tilt in whole
// steps. States closer than that behave alike for the rest of a roll as far as the search cares;
// the inputs found are replayed exactly all the same.
uint64_t StateKey(const BallState& state);

// Open addressing at a size fixed on construction, so a search's memory is bounded before it
// starts.
class StateTable {
  public:
    explicit StateTable(size_t capacity);

    // Records `ticks` for `key` when it is new or better than before; false otherwise.
    bool Improve(uint64_t key, int32_t ticks);
    // The ticks recorded for `key`; INT32_MAX when it was never reached.
    int32_t Ticks(uint64_t key) const;
    // As many states as asked for at construction.
    bool Full() const { return used >= capacity; }

  private:
    size_t Slot(uint64_t key) const;

    std::vector<uint64_t> keys;
    std::vector<int32_t> ticks;
    size_t capacity;
    size_t used = 0;
    size_t mask = 0;
};
