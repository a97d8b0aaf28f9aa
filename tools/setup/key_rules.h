// Which keys the game can use in which slot, and the names the player knows them by.
#pragma once

#include <string>

#include "tools/setup/key_file.h"

namespace setup {

// What a slot's key does in the game, in lower case: "roll up", "fifth key".
std::string SlotName(int slot);

// A key as its keycap names it ("Up", "A", "Space", "Keypad 5"); "none" for 0, the code itself for
// a code that names no key.
std::string KeyName(int code);

// Why the key `code` (0 for a key without a virtual-key code) cannot become the key of `slot`
// beside the other slots' `codes`; empty when it can.
std::string RefusalOf(int code, int slot, const KeyCodes& codes);

// Why the set `codes` cannot be written for the game (the first reason found); empty when it can.
std::string SetRefusal(const KeyCodes& codes);

}  // namespace setup
