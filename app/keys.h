// The five configured keys and the bits gathered between two ticks.
#pragma once

constexpr int KEY_SLOTS = 5;

struct KeyState {
    int keys[KEY_SLOTS];  // virtual-key code of each slot, 0 = no key
    int bits;             // bit (1 << slot): that key was down at some sample since the last tick
};

// One sample of the five keys, ORed into `bits`; within a pair only the lower slot counts.
void PollKeys(KeyState& keyState);
