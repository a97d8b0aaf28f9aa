// The title scene's texture, graphics/openingtitle.dds: the opening picture and the letters of
// the invitation to start.
#pragma once

#include <array>

#include "tools/artgen/fonts.h"
#include "tools/artgen/image.h"

namespace artgen {

constexpr int OPENING_TEXTURE_SIZE = 256;
constexpr int LETTER_ROW_Y = 128;
constexpr int LETTER_ROW_HEIGHT = 64;
constexpr int LETTER_COUNT = 12;
// The title scene cuts its twelve letter sprites with these widths, side by side from x = 0 to
// texel 242.
constexpr std::array<int, LETTER_COUNT> LETTER_WIDTHS{28, 19, 19, 19, 24, 19,
                                                      20, 18, 20, 19, 19, 19};
// One letter per cell; the word gaps lie inside the cells of S (the wide fifth) and E and K.
inline const char* const INVITATION_LETTERS = "PUSHSPACEKEY";

Rect LetterCell(int index);

Image BuildOpeningTitle(const ArtFonts& fonts);

}  // namespace artgen
