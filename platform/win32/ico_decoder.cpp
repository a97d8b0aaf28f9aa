// The .ico format: a directory of images, each a BITMAPINFOHEADER, a palette, the colour
// (XOR) bitmap and a 1-bit transparency (AND) mask, both stored bottom row first.
#include "platform/win32/ico_decoder.h"

#include <utility>

namespace platform {
namespace {

constexpr size_t DIRECTORY_SIZE = 6;
constexpr size_t ENTRY_SIZE = 16;
constexpr size_t INFO_HEADER_SIZE = 40;
constexpr uint16_t ICON_TYPE = 1;
constexpr uint32_t UNCOMPRESSED = 0;  // BI_RGB
constexpr int LARGEST_ICON_SIDE = 256;
constexpr uint32_t OPAQUE = 0xFF000000u;

uint16_t Read16(const uint8_t* at) {
    return static_cast<uint16_t>(at[0] | at[1] << 8);
}
uint32_t Read32(const uint8_t* at) {
    return static_cast<uint32_t>(at[0]) | static_cast<uint32_t>(at[1]) << 8 |
           static_cast<uint32_t>(at[2]) << 16 | static_cast<uint32_t>(at[3]) << 24;
}

// Bitmap rows are padded to whole 32-bit words.
size_t RowBytes(int width, int bitsPerPixel) {
    return (static_cast<size_t>(width) * bitsPerPixel + 31) / 32 * 4;
}

bool DecodeImage(const uint8_t* image, size_t size, IconImage& result) {
    if (size < INFO_HEADER_SIZE) {
        return false;
    }
    uint32_t headerSize = Read32(image);
    auto width = static_cast<int32_t>(Read32(image + 4));
    auto doubledHeight = static_cast<int32_t>(Read32(image + 8));
    int bitsPerPixel = Read16(image + 14);
    uint32_t compression = Read32(image + 16);
    uint32_t coloursUsed = Read32(image + 32);
    // The height counts the colour bitmap and the mask together.
    int height = doubledHeight / 2;
    if (headerSize < INFO_HEADER_SIZE || headerSize > size || compression != UNCOMPRESSED ||
        width <= 0 || width > LARGEST_ICON_SIDE || height <= 0 || height > LARGEST_ICON_SIDE) {
        return false;
    }
    bool paletted = bitsPerPixel == 1 || bitsPerPixel == 4 || bitsPerPixel == 8;
    if (!paletted && bitsPerPixel != 24 && bitsPerPixel != 32) {
        return false;
    }
    size_t paletteCount = 0;
    if (paletted) {
        size_t fullPalette = size_t{1} << bitsPerPixel;
        paletteCount = coloursUsed != 0 && coloursUsed < fullPalette ? coloursUsed : fullPalette;
    }
    size_t colourRow = RowBytes(width, bitsPerPixel);
    size_t maskRow = RowBytes(width, 1);
    size_t palette = headerSize;
    size_t colours = palette + paletteCount * 4;
    size_t mask = colours + colourRow * height;
    // 32-bit images may leave out the mask: their alpha channel says it all.
    bool hasMask = mask + maskRow * height <= size;
    if (mask > size || (!hasMask && bitsPerPixel != 32)) {
        return false;
    }

    result.width = width;
    result.height = height;
    result.argb.assign(static_cast<size_t>(width) * height, 0);
    bool anyAlpha = false;
    for (int row = 0; row < height; ++row) {
        const uint8_t* source = image + colours + colourRow * (height - 1 - row);
        const uint8_t* maskSource = image + mask + maskRow * (height - 1 - row);
        for (int column = 0; column < width; ++column) {
            uint32_t pixel = 0;
            if (paletted) {
                size_t bitOffset = static_cast<size_t>(column) * bitsPerPixel;
                int shift = 8 - bitsPerPixel - static_cast<int>(bitOffset % 8);
                size_t index = (source[bitOffset / 8] >> shift) & ((1u << bitsPerPixel) - 1);
                if (index >= paletteCount) {
                    index = 0;
                }
                const uint8_t* entry = image + palette + index * 4;
                pixel = OPAQUE | entry[2] << 16 | entry[1] << 8 | entry[0];
            } else {
                const uint8_t* bgr = source + static_cast<size_t>(column) * (bitsPerPixel / 8);
                uint32_t alpha = bitsPerPixel == 32 ? bgr[3] : 0xFF;
                anyAlpha = anyAlpha || (bitsPerPixel == 32 && alpha != 0);
                pixel = alpha << 24 | bgr[2] << 16 | bgr[1] << 8 | bgr[0];
            }
            bool transparent = hasMask && (maskSource[column / 8] >> (7 - column % 8)) & 1;
            if (transparent) {
                pixel &= ~OPAQUE;
            }
            result.argb[static_cast<size_t>(row) * width + column] = pixel;
        }
    }
    // A 32-bit image whose alpha is all zero is an old-style one: the mask alone decides.
    if (bitsPerPixel == 32 && !anyAlpha && hasMask) {
        for (int row = 0; row < height; ++row) {
            const uint8_t* maskSource = image + mask + maskRow * (height - 1 - row);
            for (int column = 0; column < width; ++column) {
                if (!((maskSource[column / 8] >> (7 - column % 8)) & 1)) {
                    result.argb[static_cast<size_t>(row) * width + column] |= OPAQUE;
                }
            }
        }
    }
    return true;
}

}  // namespace

bool DecodeIcon(const uint8_t* bytes, size_t size, IconImage& image) {
    if (bytes == nullptr || size < DIRECTORY_SIZE || Read16(bytes) != 0 ||
        Read16(bytes + 2) != ICON_TYPE) {
        return false;
    }
    size_t count = Read16(bytes + 4);
    if (DIRECTORY_SIZE + count * ENTRY_SIZE > size) {
        return false;
    }
    // The largest image makes the best window icon; the window manager scales it down.
    int bestArea = 0;
    for (size_t index = 0; index < count; ++index) {
        const uint8_t* entry = bytes + DIRECTORY_SIZE + index * ENTRY_SIZE;
        size_t imageSize = Read32(entry + 8);
        size_t offset = Read32(entry + 12);
        IconImage candidate;
        if (offset > size || imageSize > size - offset ||
            !DecodeImage(bytes + offset, imageSize, candidate)) {
            continue;
        }
        if (candidate.width * candidate.height > bestArea) {
            bestArea = candidate.width * candidate.height;
            image = std::move(candidate);
        }
    }
    return bestArea > 0;
}

}  // namespace platform
