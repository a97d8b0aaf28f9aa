// The table of reached ball states.
#include "tools/solver/state_table.h"

#include <climits>
#include <cmath>

namespace {

constexpr float TILT_STEP = 0.017453f;
constexpr float POSITION_RESOLUTION = 100.0f;  // key units per world unit
// Key fields: a centre coordinate shifted to be positive, and a tilt in steps shifted likewise.
constexpr int64_t POSITION_OFFSET = 8192;
constexpr int64_t TILT_OFFSET = 16;
constexpr int POSITION_BITS = 14;
constexpr int TILT_BITS = 5;
// Zero is no key: it marks an empty slot.
constexpr uint64_t EMPTY = 0;

uint64_t Mix(uint64_t key) {
    key ^= key >> 33;
    key *= 0xff51afd7ed558ccdULL;
    key ^= key >> 33;
    return key;
}

}  // namespace

uint64_t StateKey(const BallState& state) {
    const auto position = [](float value) {
        return static_cast<uint64_t>(std::lround(value * POSITION_RESOLUTION) + POSITION_OFFSET);
    };
    const auto tilt = [](float angle) {
        return static_cast<uint64_t>(std::lround(angle / TILT_STEP) + TILT_OFFSET);
    };
    uint64_t key = position(state.x);
    key = (key << POSITION_BITS) | position(state.z);
    key = (key << TILT_BITS) | tilt(state.tiltX);
    key = (key << TILT_BITS) | tilt(state.tiltZ);
    return key;
}

StateTable::StateTable(size_t capacity) : capacity(capacity) {
    // At most two thirds full, so that probing stays short.
    size_t size = 1024;
    while (size < capacity + capacity / 2) {
        size *= 2;
    }
    keys.assign(size, EMPTY);
    ticks.assign(size, INT32_MAX);
    mask = size - 1;
}

size_t StateTable::Slot(uint64_t key) const {
    size_t slot = Mix(key) & mask;
    while (keys[slot] != EMPTY && keys[slot] != key) {
        slot = (slot + 1) & mask;
    }
    return slot;
}

bool StateTable::Improve(uint64_t key, int32_t newTicks) {
    const size_t slot = Slot(key);
    if (keys[slot] == EMPTY) {
        keys[slot] = key;
        ++used;
    } else if (ticks[slot] <= newTicks) {
        return false;
    }
    ticks[slot] = newTicks;
    return true;
}

int32_t StateTable::Ticks(uint64_t key) const {
    const size_t slot = Slot(key);
    return keys[slot] == EMPTY ? INT32_MAX : ticks[slot];
}
