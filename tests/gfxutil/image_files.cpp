// The BMP and DDS builders of the tests.
#include "tests/gfxutil/image_files.h"

namespace {
constexpr size_t FILE_HEADER_SIZE = 14;
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

Bytes MakeBmp(const BmpSpec& spec, const std::vector<uint32_t>& pixels) {
    const bool core = spec.headerSize == 12;
    const size_t maskBytes = spec.writeMasksAfterHeader ? (spec.compression == 6 ? 16 : 12) : 0;
    const size_t entrySize = core ? 3 : 4;
    const size_t pixelOffset = FILE_HEADER_SIZE + spec.headerSize + maskBytes +
                               spec.palette.size() * entrySize + spec.gapBeforePixels;
    const uint32_t width = static_cast<uint32_t>(spec.width);
    const uint32_t rows = static_cast<uint32_t>(spec.height < 0 ? -spec.height : spec.height);
    const size_t stride = (size_t(width) * spec.bitsPerPixel + 31) / 32 * 4;

    Bytes bytes(pixelOffset + stride * rows, 0);
    bytes[0] = 'B';
    bytes[1] = 'M';
    PutU32(bytes, 2, static_cast<uint32_t>(bytes.size()));
    PutU32(bytes, BMP_PIXEL_OFFSET_AT, static_cast<uint32_t>(pixelOffset));
    const size_t info = FILE_HEADER_SIZE;
    PutU32(bytes, info, spec.headerSize);
    if (core) {
        PutU16(bytes, info + 4, width);
        PutU16(bytes, info + 6, rows);
        PutU16(bytes, info + 8, 1);
        PutU16(bytes, info + 10, spec.bitsPerPixel);
    } else {
        PutU32(bytes, info + 4, width);
        PutU32(bytes, info + 8, static_cast<uint32_t>(spec.height));
        PutU16(bytes, info + 12, 1);
        PutU16(bytes, info + 14, spec.bitsPerPixel);
        PutU32(bytes, info + 16, spec.compression);
        PutU32(bytes, info + 32, spec.coloursUsed);
        for (size_t i = 0; i < 4 && 40 + 4 * i + 4 <= spec.headerSize; ++i) {
            PutU32(bytes, info + 40 + 4 * i, spec.masks[i]);
        }
    }
    size_t at = info + spec.headerSize;
    for (size_t i = 0; i < maskBytes / 4; ++i, at += 4) {
        PutU32(bytes, at, spec.masks[i]);
    }
    for (uint32_t entry : spec.palette) {
        bytes[at] = entry & 0xFF;
        bytes[at + 1] = (entry >> 8) & 0xFF;
        bytes[at + 2] = (entry >> 16) & 0xFF;
        at += entrySize;
    }

    for (uint32_t row = 0; row < rows; ++row) {
        uint8_t* target = bytes.data() + pixelOffset + row * stride;
        for (uint32_t x = 0; x < width; ++x) {
            const uint32_t value = pixels[size_t(row) * width + x];
            if (spec.bitsPerPixel <= 8) {
                const size_t bit = size_t(x) * spec.bitsPerPixel;
                target[bit / 8] |= value << (8 - spec.bitsPerPixel - bit % 8);
            } else {
                const size_t bytesEach = spec.bitsPerPixel / 8;
                for (size_t i = 0; i < bytesEach; ++i) {
                    target[x * bytesEach + i] = (value >> (8 * i)) & 0xFF;
                }
            }
        }
    }
    return bytes;
}

Bytes MakeDds(const DdsSpec& spec, const Bytes& data) {
    Bytes bytes(DDS_HEADER_BYTES, 0);
    bytes[0] = 'D';
    bytes[1] = 'D';
    bytes[2] = 'S';
    bytes[3] = ' ';
    const size_t header = 4;
    PutU32(bytes, header, 124);
    PutU32(bytes, header + 4, 0x1007);  // caps, height, width, pixel format
    PutU32(bytes, header + 8, spec.height);
    PutU32(bytes, header + 12, spec.width);
    PutU32(bytes, header + 24, spec.mipCount);
    const size_t format = header + 72;
    PutU32(bytes, format, 32);
    PutU32(bytes, format + 4, spec.pixelFlags);
    PutU32(bytes, format + 8, spec.fourCc);
    PutU32(bytes, format + 12, spec.bits);
    for (size_t i = 0; i < 4; ++i) {
        PutU32(bytes, format + 16 + 4 * i, spec.masks[i]);
    }
    PutU32(bytes, header + 104, 0x1000);  // DDSCAPS_TEXTURE
    PutU32(bytes, header + 108, spec.caps2);
    bytes.insert(bytes.end(), data.begin(), data.end());
    return bytes;
}

DdsSpec DxtSpec(uint32_t width, uint32_t height, char digit) {
    DdsSpec spec;
    spec.width = width;
    spec.height = height;
    spec.pixelFlags = DDPF_FOURCC;
    spec.fourCc = uint32_t('D') | (uint32_t('X') << 8) | (uint32_t('T') << 16) |
                  (uint32_t(uint8_t(digit)) << 24);
    spec.bits = 0;
    for (uint32_t& mask : spec.masks) {
        mask = 0;
    }
    return spec;
}

DdsSpec A8R8G8B8Spec(uint32_t width, uint32_t height) {
    DdsSpec spec;
    spec.width = width;
    spec.height = height;
    spec.pixelFlags = DDPF_RGB | DDPF_ALPHAPIXELS;
    spec.masks[3] = 0xFF000000;
    return spec;
}
