// The play scene's sprite sheet, graphics/system.bmp: digits, words, labels, banners, curtain.
#pragma once

#include "tools/artgen/fonts.h"
#include "tools/artgen/image.h"

namespace artgen {

constexpr int SHEET_SIZE = 256;

// Where the play scene cuts its sprites; a digit d lies at x + d x width.
constexpr Rect LARGE_DIGIT_CELL{0, 0, 25, 47};
constexpr Rect SMALL_DIGIT_CELL{0, 119, 13, 23};
constexpr int DIGIT_COUNT = 10;
constexpr Rect STAGE_WORD{0, 47, 126, 47};
constexpr Rect CLEAR_WORD{126, 47, 126, 47};
constexpr Rect TIME_LABEL{0, 94, 52, 25};
constexpr Rect BALL_LABEL{52, 94, 52, 25};
constexpr Rect BEST_LABEL{190, 126, 52, 25};
constexpr Rect START_SIGN{130, 94, 60, 50};
constexpr Rect CURTAIN_TILE_EVEN{190, 94, 32, 32};
constexpr Rect CURTAIN_TILE_ODD{222, 94, 32, 32};
constexpr Rect NEW_RECORD_BANNER{0, 142, 120, 20};
constexpr Rect GAME_OVER_BANNER{0, 162, 209, 47};
constexpr Rect ENDING_BANNER{0, 209, 234, 47};

// The labels are four letters on a grid of 13 x 25 cells, so that the fall letters can be cut
// from them: M at (26, 94) and I at (13, 94) from TIME, S at (216, 126) from BEST spell MISS.
constexpr int LABEL_CELL_WIDTH = 13;
constexpr int LABEL_CELL_HEIGHT = 25;
inline const char* const TIME_TEXT = "TIME";
inline const char* const BALL_TEXT = "BALL";
inline const char* const BEST_TEXT = "BEST";
inline const char* const STAGE_TEXT = "STAGE";
inline const char* const CLEAR_TEXT = "CLEAR";
inline const char* const START_TEXT = "GO!";
inline const char* const NEW_RECORD_TEXT = "NEW RECORD!";
inline const char* const GAME_OVER_TEXT = "GAME OVER";
inline const char* const ENDING_TEXT = "ALL CLEAR!";

// One letter of a label alone in its 13 x 25 cell, exactly as the labels carry it.
Image RenderLabelLetter(const ArtFonts& fonts, char letter);

Image BuildSystemSheet(const ArtFonts& fonts);

}  // namespace artgen
