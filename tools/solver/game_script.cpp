// The solver's play-key bits in a replay script.
#include "tools/solver/game_script.h"

#include "tools/artgen/settings_files.h"

namespace {

// The slot of each play-key bit, in bit order: bit (1 << slot).
constexpr int PLAY_SLOTS = 4;

}  // namespace

std::vector<int> KeysOfBits(int bits) {
    std::vector<int> keys;
    for (int slot = 0; slot < PLAY_SLOTS; ++slot) {
        if (bits & (1 << slot)) {
            keys.push_back(artgen::SHIPPED_KEYS[slot]);
        }
    }
    return keys;
}

void PlayBits(ReplayScript& script, const std::vector<int>& bits) {
    for (int tickBits : bits) {
        script.Append(1, KeysOfBits(tickBits));
    }
}
