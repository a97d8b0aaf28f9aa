// DirectDraw surface encoder for uncompressed A8R8G8B8 textures.
#pragma once

#include "tools/artgen/byte_writer.h"
#include "tools/artgen/image.h"

namespace artgen {

// One surface, no mip levels, 32 bits per texel with an alpha mask.
Bytes EncodeDdsArgb(const Image& image);

}  // namespace artgen
