// The BMP decoder: paletted, 16-, 24- and 32-bit, bottom-up and top-down, with bit fields.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "gfxutil/texture_loader.h"

// True when the bytes start like a BMP file.
bool LooksLikeBmp(const uint8_t* data, size_t size);
// Fills `image` (ARGB texels, top row first); false with a one-line reason otherwise.
bool DecodeBmp(const uint8_t* data, size_t size, DecodedImage& image, std::string& error);
