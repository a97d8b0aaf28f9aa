// The program's two icons, 32 x 32 in 16 colours.
#pragma once

#include "tools/artgen/icon_writer.h"
#include "tools/artgen/image.h"

namespace artgen {

constexpr int ICON_SIZE = 32;
inline const char* const LARGE_ICON_FILE = "gorvanti.ico";
inline const char* const SMALL_ICON_FILE = "gorvanti_small.ico";

const IconPalette& IconColours();
// A small board seen from a corner, with the ball on it.
Image BuildLargeIcon();
// Shown at half size in title bars: just the ball on the goal, bold enough to survive shrinking.
Image BuildSmallIcon();

}  // namespace artgen
