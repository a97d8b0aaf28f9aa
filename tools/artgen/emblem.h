// The game's emblem: a small tilted board with blocks, a hole, a goal and the ball.
#pragma once

#include "tools/artgen/image.h"
#include "tools/artgen/raster.h"

namespace artgen {

// Paints the emblem with the board's top corner at `top`; at scale 1 it is about 120 x 62
// pixels.
void PaintEmblem(Image& image, Point top, float scale);

}  // namespace artgen
