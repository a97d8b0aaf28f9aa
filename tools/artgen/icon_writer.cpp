// Writes an .ico file: the directory, then a 4-bit bitmap with its colour table and AND mask.
#include "tools/artgen/icon_writer.h"

#include <limits>

namespace artgen {

namespace {

constexpr uint16_t ICON_RESOURCE_TYPE = 1;
constexpr uint32_t DIRECTORY_SIZE = 6 + 16;
constexpr uint32_t INFO_HEADER_SIZE = 40;
constexpr uint8_t OPAQUE_THRESHOLD = 0x80;

int NearestEntry(uint32_t pixel, const IconPalette& palette) {
    int best = 0;
    int bestDistance = std::numeric_limits<int>::max();
    for (int entry = 0; entry < ICON_PALETTE_SIZE; ++entry) {
        int distance = 0;
        for (int shift = 0; shift <= 16; shift += 8) {
            const int difference = static_cast<int>((pixel >> shift) & 0xFF) -
                                   static_cast<int>((palette[entry] >> shift) & 0xFF);
            distance += difference * difference;
        }
        if (distance < bestDistance) {
            bestDistance = distance;
            best = entry;
        }
    }
    return best;
}

bool Opaque(uint32_t pixel) {
    return (pixel >> 24) >= OPAQUE_THRESHOLD;
}

}  // namespace

Bytes EncodeIcon16(const Image& image, const IconPalette& palette) {
    const int width = image.Width();
    const int height = image.Height();
    const uint32_t colourRowSize = ((static_cast<uint32_t>(width) * 4 + 31) / 32) * 4;
    const uint32_t maskRowSize = ((static_cast<uint32_t>(width) + 31) / 32) * 4;
    const uint32_t bitmapSize = INFO_HEADER_SIZE + ICON_PALETTE_SIZE * 4 +
                                (colourRowSize + maskRowSize) * static_cast<uint32_t>(height);

    ByteWriter out;
    out.U16(0);
    out.U16(ICON_RESOURCE_TYPE);
    out.U16(1);  // one image
    out.U8(static_cast<uint8_t>(width));
    out.U8(static_cast<uint8_t>(height));
    out.U8(ICON_PALETTE_SIZE);
    out.U8(0);
    out.U16(1);  // planes
    out.U16(4);  // bits per pixel
    out.U32(bitmapSize);
    out.U32(DIRECTORY_SIZE);

    out.U32(INFO_HEADER_SIZE);
    out.I32(width);
    out.I32(height * 2);  // the colour bitmap and the mask stacked
    out.U16(1);
    out.U16(4);
    out.U32(0);
    out.U32(bitmapSize - INFO_HEADER_SIZE - ICON_PALETTE_SIZE * 4);
    out.I32(0);
    out.I32(0);
    out.U32(ICON_PALETTE_SIZE);
    out.U32(0);
    for (uint32_t entry : palette) {
        out.U32(entry & 0x00FFFFFF);  // blue, green, red, reserved
    }

    for (int y = height - 1; y >= 0; --y) {
        uint32_t written = 0;
        for (int x = 0; x < width; x += 2) {
            int high = 0;
            int low = 0;
            if (Opaque(image.At(x, y))) {
                high = NearestEntry(image.At(x, y), palette);
            }
            if (x + 1 < width && Opaque(image.At(x + 1, y))) {
                low = NearestEntry(image.At(x + 1, y), palette);
            }
            out.U8(static_cast<uint8_t>(high << 4 | low));
            ++written;
        }
        out.Zeros(colourRowSize - written);
    }
    for (int y = height - 1; y >= 0; --y) {
        for (uint32_t byte = 0; byte < maskRowSize; ++byte) {
            uint8_t bits = 0;
            for (int bit = 0; bit < 8; ++bit) {
                const int x = static_cast<int>(byte) * 8 + bit;
                if (x >= width || !Opaque(image.At(x, y))) {
                    bits |= static_cast<uint8_t>(0x80 >> bit);  // 1 = transparent
                }
            }
            out.U8(bits);
        }
    }
    return out.Take();
}

}  // namespace artgen
