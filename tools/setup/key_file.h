// setup.ini as the game reads it: where each key code stands, and the file written back.
#pragma once

#include <array>
#include <cstddef>
#include <string>

#include "app/keys.h"

namespace setup {

// A virtual-key code for each slot, in slot order; 0 names no key.
using KeyCodes = std::array<int, KEY_SLOTS>;

// The slots in the order their codes follow each other in the file.
constexpr int FILE_ORDER[KEY_SLOTS] = {0, 2, 1, 3, 4};

// The characters of one code in the file; whatever follows them on their line is kept as it is
// when the code is replaced.
struct ValueSpan {
    size_t begin = 0;
    size_t end = 0;
    int line = 0;  // counted from 1
};

struct KeyFile {
    std::string text;
    // What the game reads: the slots after a value it cannot read keep 0, as in the game.
    KeyCodes codes{};
    // By slot; only for a complete file.
    std::array<ValueSpan, KEY_SLOTS> spans{};
    // Why the file does not hold five codes the game reads, for the player; empty when it does.
    std::string problem;

    bool Complete() const { return problem.empty(); }
};

// Reads `text` exactly as the game's key reader does, noting where each code stands.
KeyFile ParseKeyFile(const std::string& text);
// A file that is missing or cannot be read is an incomplete KeyFile without codes.
KeyFile ReadKeyFile(const std::string& path);

// The text that gives `codes` to the game: a complete file with each code replaced where it
// stands and everything else kept, or else a new file in the game's layout.
std::string ComposeKeyFile(const KeyFile& file, const KeyCodes& codes);

// Replaces the file at `path` by `text` through a temporary file beside it, so that a failure at
// any moment keeps the old file. Empty on success, else the reason for the player.
std::string WriteKeyFile(const std::string& path, const std::string& text);

}  // namespace setup
