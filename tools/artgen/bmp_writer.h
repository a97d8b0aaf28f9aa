// Windows bitmap encoders: 24-bit opaque and 32-bit with an alpha channel.
#pragma once

#include "tools/artgen/byte_writer.h"
#include "tools/artgen/image.h"

namespace artgen {

// 24 bits per pixel, BITMAPINFOHEADER; alpha is dropped.
Bytes EncodeBmp24(const Image& image);
// 32 bits per pixel, BITMAPV4HEADER with bit fields and an alpha mask, so that readers keep the
// alpha channel.
Bytes EncodeBmp32(const Image& image);

}  // namespace artgen
