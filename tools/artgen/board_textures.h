// The small textures of the board: floor tile, block, goal and the frame around the board.
#pragma once

#include "tools/artgen/image.h"

namespace artgen {

constexpr int BOARD_TEXTURE_SIZE = 64;

Image BuildTileTexture();
Image BuildBlockTexture();
Image BuildGoalTexture();
Image BuildWallTexture();

}  // namespace artgen
