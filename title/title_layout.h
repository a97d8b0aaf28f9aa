// Where the title scene's things sit in the engine's lists, and the numbers Load and the steps
// share.
#pragma once

#include <cstddef>

namespace title {

// Load empties every list first, so these indices are fixed.
constexpr int OPENING_TEXTURE = 0;
constexpr int BOX_MESH = 0;
constexpr int TITLE_MESH = 1;
constexpr int UPPER_BOX = 0;
constexpr int LOWER_BOX = 1;
constexpr int TITLE_INSTANCE = 2;
constexpr size_t INSTANCE_COUNT = 3;

constexpr int UPPER_PICTURE = 0;
constexpr int LOWER_PICTURE = 1;
constexpr int FIRST_LETTER = 2;
constexpr int LETTER_COUNT = 12;
constexpr size_t SPRITE_COUNT = FIRST_LETTER + LETTER_COUNT;

constexpr float PI = 3.1415927f;

}  // namespace title
