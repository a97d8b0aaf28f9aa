// BMP and DDS files built byte by byte, so each test states exactly the file it decodes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "gfxutil/texture_loader.h"

using Bytes = std::vector<uint8_t>;

// Decodes a file that must decode.
DecodedImage Decode(const Bytes& bytes);
// Decodes a file that must not, and returns the reason the decoder gave.
std::string Failure(const Bytes& bytes);

// Checks what a loader reports of a 2-D texture file; fileFormat is 0 for BMP, 4 for DDS.
void ExpectTextureInfo(const ImageInfo& info, uint32_t width, uint32_t height, uint32_t mipLevels,
                       D3DFORMAT format, uint32_t fileFormat);

void PutU16(Bytes& bytes, size_t at, uint32_t value);
void PutU32(Bytes& bytes, size_t at, uint32_t value);

struct BmpLayout {
    int32_t width = 1;
    int32_t height = 1;  // negative: rows top first
    uint16_t bitsPerPixel = 24;
    uint32_t compression = 0;  // BI_RGB
    uint32_t headerSize = 40;  // 12 (OS/2), 40, 52, 56, 108 (V4) or 124 (V5)
    uint32_t masks[4] = {};    // red, green, blue, alpha: written where the header keeps them
    bool writeMasksAfterHeader = false;  // the three or four masks after a 40-byte header
    std::vector<uint32_t> palette;       // 0x00RRGGBB entries
    uint32_t coloursUsed = 0;
    uint32_t gapBeforePixels = 0;  // bytes between the headers and the pixels
};

// `pixels` are in file order (bottom row first unless height < 0); each is a palette index or the
// packed value the pixel holds (0xRRGGBB for 24 bits). Rows are padded to four bytes.
Bytes MakeBmp(const BmpLayout& layout, const std::vector<uint32_t>& pixels);

constexpr size_t BMP_PIXEL_OFFSET_AT = 10;
constexpr size_t BMP_WIDTH_AT = 18;
constexpr size_t BMP_HEIGHT_AT = 22;

struct DdsLayout {
    uint32_t width = 1;
    uint32_t height = 1;
    uint32_t mipCount = 0;
    uint32_t pixelFlags = 0x40;  // DDPF_RGB
    uint32_t fourCc = 0;
    uint32_t bits = 32;
    uint32_t masks[4] = {0x00FF0000, 0x0000FF00, 0x000000FF, 0};
    uint32_t caps2 = 0;
};

constexpr uint32_t DDPF_ALPHAPIXELS = 0x1;
constexpr uint32_t DDPF_FOURCC = 0x4;
constexpr uint32_t DDPF_RGB = 0x40;
constexpr size_t DDS_HEADER_BYTES = 128;

Bytes MakeDds(const DdsLayout& layout, const Bytes& data);
DdsLayout DxtSpec(uint32_t width, uint32_t height, char digit);
DdsLayout A8R8G8B8Spec(uint32_t width, uint32_t height);

// Little-endian pixel values, `bytesEach` bytes apiece.
Bytes PackPixels(const std::vector<uint32_t>& values, size_t bytesEach);
