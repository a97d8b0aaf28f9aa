// Windows icon encoder for one 16-colour image.
#pragma once

#include <array>

#include "tools/artgen/byte_writer.h"
#include "tools/artgen/image.h"

namespace artgen {

constexpr int ICON_PALETTE_SIZE = 16;
using IconPalette = std::array<uint32_t, ICON_PALETTE_SIZE>;

// Pixels with alpha below one half become transparent through the AND mask; the others take the
// nearest palette colour.
Bytes EncodeIcon16(const Image& image, const IconPalette& palette);

}  // namespace artgen
