// Decoding Windows .ico files into ARGB pixels, for window icons.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace platform {

struct IconImage {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> argb;  // rows top first; transparent pixels have alpha 0
};

// Decodes the largest image of an .ico file: uncompressed bitmaps of 1, 4, 8, 24 or 32 bits per
// pixel with their AND mask. False for anything else or for bytes that do not hold together.
bool DecodeIcon(const uint8_t* bytes, size_t size, IconImage& image);

}  // namespace platform
