// The bits of KeyState::bits, one a key slot, named by what the slot's key does.
#pragma once

// Slots 0 and 1 tilt the board about one axis, slots 2 and 3 about the other: each named by where
// its tilt rolls the ball on screen. A bit is (1 << slot).
constexpr int KEY_BIT_UP = 0x01;
constexpr int KEY_BIT_DOWN = 0x02;
constexpr int KEY_BIT_RIGHT = 0x04;
constexpr int KEY_BIT_LEFT = 0x08;
// The fifth key tilts nothing; like any configured key it skips a title step.
constexpr int KEY_BIT_FIFTH = 0x10;
