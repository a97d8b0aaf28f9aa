// The BMP and DDS builders of the tests.
#include "tests/gfxutil/image_files.h"

#include <gtest/gtest.h>

namespace {
constexpr size_t FILE_HEADER_SIZE = 14;
}

void ExpectTextureInfo(const ImageInfo& info, uint32_t width, uint32_t height, uint32_t mipLevels,
                       D3DFORMAT format, uint32_t fileFormat) {
    EXPECT_EQ(width, info.Width);
    EXPECT_EQ(height, info.Height);
    EXPECT_EQ(1u, info.Depth);
    EXPECT_EQ(mipLevels, info.MipLevels);
    EXPECT_EQ(format, info.Format);
    EXPECT_EQ(D3DRTYPE_TEXTURE, info.ResourceType);
    EXPECT_EQ(fileFormat, info.ImageFileFormat);
}

void PutU16(Bytes& bytes, size_t at, uint32_t value) {
    bytes[at] = value & 0xFF;
    bytes[at + 1] = (value >> 8) & 0xFF;
}

void PutU32(Bytes& bytes, size_t at, uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        bytes[at + i] = (value >> (8 * i)) & 0xFF;
    }
}

Bytes PackPixels(const std::vector<uint32_t>& values, size_t bytesEach) {
    Bytes bytes;
    for (uint32_t value : values) {
        for (size_t i = 0; i < bytesEach; ++i) {
            bytes.push_back((value >> (8 * i)) & 0xFF);
        }
    }
    return bytes;
}

Bytes MakeBmp(const BmpLayout& layout, const std::vector<uint32_t>& pixels) {
    const bool core = layout.headerSize == 12;
    const size_t maskBytes = layout.writeMasksAfterHeader ? (layout.compression == 6 ? 16 : 12) : 0;
    const size_t entrySize = core ? 3 : 4;
    const size_t pixelOffset = FILE_HEADER_SIZE + layout.headerSize + maskBytes +
                               layout.palette.size() * entrySize + layout.gapBeforePixels;
    const uint32_t width = static_cast<uint32_t>(layout.width);
    const uint32_t rows = static_cast<uint32_t>(layout.height < 0 ? -layout.height : layout.height);
    const size_t stride = (size_t(width) * layout.bitsPerPixel + 31) / 32 * 4;

    Bytes bytes(pixelOffset + stride * rows, 0);
    bytes[0] = 'B';
    bytes[1] = 'M';
    PutU32(bytes, 2, static_cast<uint32_t>(bytes.size()));
    PutU32(bytes, BMP_PIXEL_OFFSET_AT, static_cast<uint32_t>(pixelOffset));
    const size_t info = FILE_HEADER_SIZE;
    PutU32(bytes, info, layout.headerSize);
    if (core) {
        PutU16(bytes, info + 4, width);
        PutU16(bytes, info + 6, rows);
        PutU16(bytes, info + 8, 1);
        PutU16(bytes, info + 10, layout.bitsPerPixel);
    } else {
        PutU32(bytes, info + 4, width);
        PutU32(bytes, info + 8, static_cast<uint32_t>(layout.height));
        PutU16(bytes, info + 12, 1);
        PutU16(bytes, info + 14, layout.bitsPerPixel);
        PutU32(bytes, info + 16, layout.compression);
        PutU32(bytes, info + 32, layout.coloursUsed);
        for (size_t i = 0; i < 4 && 40 + 4 * i + 4 <= layout.headerSize; ++i) {
            PutU32(bytes, info + 40 + 4 * i, layout.masks[i]);
        }
    }
    size_t at = info + layout.headerSize;
    for (size_t i = 0; i < maskBytes / 4; ++i, at += 4) {
        PutU32(bytes, at, layout.masks[i]);
    }
    for (uint32_t entry : layout.palette) {
        bytes[at] = entry & 0xFF;
        bytes[at + 1] = (entry >> 8) & 0xFF;
        bytes[at + 2] = (entry >> 16) & 0xFF;
        at += entrySize;
    }

    for (uint32_t row = 0; row < rows; ++row) {
        uint8_t* target = bytes.data() + pixelOffset + row * stride;
        for (uint32_t x = 0; x < width; ++x) {
            const uint32_t value = pixels[size_t(row) * width + x];
            if (layout.bitsPerPixel <= 8) {
                const size_t bit = size_t(x) * layout.bitsPerPixel;
                target[bit / 8] |= value << (8 - layout.bitsPerPixel - bit % 8);
            } else {
                const size_t bytesEach = layout.bitsPerPixel / 8;
                for (size_t i = 0; i < bytesEach; ++i) {
                    target[x * bytesEach + i] = (value >> (8 * i)) & 0xFF;
                }
            }
        }
    }
    return bytes;
}

Bytes MakeDds(const DdsLayout& layout, const Bytes& data) {
    Bytes bytes(DDS_HEADER_BYTES, 0);
    bytes[0] = 'D';
    bytes[1] = 'D';
    bytes[2] = 'S';
    bytes[3] = ' ';
    const size_t header = 4;
    PutU32(bytes, header, 124);
    PutU32(bytes, header + 4, 0x1007);  // caps, height, width, pixel format
    PutU32(bytes, header + 8, layout.height);
    PutU32(bytes, header + 12, layout.width);
    PutU32(bytes, header + 24, layout.mipCount);
    const size_t format = header + 72;
    PutU32(bytes, format, 32);
    PutU32(bytes, format + 4, layout.pixelFlags);
    PutU32(bytes, format + 8, layout.fourCc);
    PutU32(bytes, format + 12, layout.bits);
    for (size_t i = 0; i < 4; ++i) {
        PutU32(bytes, format + 16 + 4 * i, layout.masks[i]);
    }
    PutU32(bytes, header + 104, 0x1000);  // DDSCAPS_TEXTURE
    PutU32(bytes, header + 108, layout.caps2);
    bytes.insert(bytes.end(), data.begin(), data.end());
    return bytes;
}

DdsLayout DxtSpec(uint32_t width, uint32_t height, char digit) {
    DdsLayout layout;
    layout.width = width;
    layout.height = height;
    layout.pixelFlags = DDPF_FOURCC;
    layout.fourCc = uint32_t('D') | (uint32_t('X') << 8) | (uint32_t('T') << 16) |
                    (uint32_t(uint8_t(digit)) << 24);
    layout.bits = 0;
    for (uint32_t& mask : layout.masks) {
        mask = 0;
    }
    return layout;
}

DdsLayout A8R8G8B8Spec(uint32_t width, uint32_t height) {
    DdsLayout layout;
    layout.width = width;
    layout.height = height;
    layout.pixelFlags = DDPF_RGB | DDPF_ALPHAPIXELS;
    layout.masks[3] = 0xFF000000;
    return layout;
}

DecodedImage Decode(const Bytes& bytes) {
    DecodedImage image;
    std::string error;
    EXPECT_TRUE(DecodeImage(bytes.data(), bytes.size(), image, error)) << error;
    return image;
}

std::string Failure(const Bytes& bytes) {
    DecodedImage image;
    std::string error;
    EXPECT_FALSE(DecodeImage(bytes.data(), bytes.size(), image, error));
    EXPECT_TRUE(image.texels.empty());
    return error;
}
