// The DDS decoder: the top level of uncompressed RGB and DXT1/3/5 textures.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "gfxutil/texture_loader.h"

// True when the bytes start with the DDS magic.
bool LooksLikeDds(const uint8_t* data, size_t size);
// Fills `image` with the top level (ARGB texels, top row first) and the header's mip count;
// false with a one-line reason otherwise.
bool DecodeDds(const uint8_t* data, size_t size, DecodedImage& image, std::string& error);
