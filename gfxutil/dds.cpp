// The DDS decoder: header checks, then the top level as masked pixels or DXT blocks.
#include "gfxutil/dds.h"

#include "gfxutil/byte_reader.h"
#include "gfxutil/dxt_blocks.h"
#include "gfxutil/image_limits.h"
#include "gfxutil/pixel_masks.h"

namespace {

constexpr uint8_t MAGIC[4] = {'D', 'D', 'S', ' '};
constexpr size_t MAGIC_SIZE = 4;
constexpr uint32_t HEADER_SIZE = 124;
constexpr uint32_t PIXEL_FORMAT_SIZE = 32;
constexpr size_t DATA_OFFSET = MAGIC_SIZE + HEADER_SIZE;

// Byte offsets within the header (after the magic).
constexpr size_t FLAGS_AT = 4;
constexpr size_t HEIGHT_AT = 8;
constexpr size_t WIDTH_AT = 12;
constexpr size_t MIP_COUNT_AT = 24;
constexpr size_t PIXEL_FORMAT_AT = 72;
constexpr size_t CAPS2_AT = 108;

constexpr uint32_t DDSD_DEPTH = 0x800000;
constexpr uint32_t DDSCAPS2_CUBEMAP = 0x200;
constexpr uint32_t DDSCAPS2_VOLUME = 0x200000;

constexpr uint32_t DDPF_ALPHAPIXELS = 0x1;
constexpr uint32_t DDPF_FOURCC = 0x4;
constexpr uint32_t DDPF_RGB = 0x40;

constexpr uint32_t FourCc(char a, char b, char c, char d) {
    return uint32_t(uint8_t(a)) | (uint32_t(uint8_t(b)) << 8) | (uint32_t(uint8_t(c)) << 16) |
           (uint32_t(uint8_t(d)) << 24);
}
constexpr uint32_t FOURCC_DXT1 = FourCc('D', 'X', 'T', '1');
constexpr uint32_t FOURCC_DXT3 = FourCc('D', 'X', 'T', '3');
constexpr uint32_t FOURCC_DXT5 = FourCc('D', 'X', 'T', '5');

struct UncompressedFormat {
    D3DFORMAT format;
    uint32_t bits;
    uint32_t masks[4];  // red, green, blue, alpha
};
constexpr UncompressedFormat UNCOMPRESSED_FORMATS[] = {
    {D3DFMT_A8R8G8B8, 32, {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000}},
    {D3DFMT_X8R8G8B8, 32, {0x00FF0000, 0x0000FF00, 0x000000FF, 0}},
    {D3DFMT_R8G8B8, 24, {0xFF0000, 0x00FF00, 0x0000FF, 0}},
    {D3DFMT_R5G6B5, 16, {0xF800, 0x07E0, 0x001F, 0}},
    {D3DFMT_A1R5G5B5, 16, {0x7C00, 0x03E0, 0x001F, 0x8000}},
    {D3DFMT_X1R5G5B5, 16, {0x7C00, 0x03E0, 0x001F, 0}},
    {D3DFMT_A4R4G4B4, 16, {0x0F00, 0x00F0, 0x000F, 0xF000}},
};

bool Fail(std::string& error, const char* reason) {
    error = reason;
    return false;
}

bool FindUncompressed(const uint8_t* pixelFormat, const UncompressedFormat*& found,
                      std::string& error) {
    const uint32_t flags = LoadU32(pixelFormat + 4);
    const uint32_t bits = LoadU32(pixelFormat + 12);
    uint32_t masks[4];
    for (int i = 0; i < 4; ++i) {
        masks[i] = LoadU32(pixelFormat + 16 + 4 * i);
    }
    if ((flags & DDPF_ALPHAPIXELS) == 0) {
        masks[3] = 0;
    }
    for (const UncompressedFormat& candidate : UNCOMPRESSED_FORMATS) {
        if (candidate.bits == bits && candidate.masks[0] == masks[0] &&
            candidate.masks[1] == masks[1] && candidate.masks[2] == masks[2] &&
            candidate.masks[3] == masks[3]) {
            found = &candidate;
            return true;
        }
    }
    return Fail(error, "unsupported DDS pixel format");
}

void DecodeUncompressed(const uint8_t* pixels, const UncompressedFormat& format,
                        DecodedImage& image) {
    const uint64_t bytesPerPixel = format.bits / 8;
    const uint64_t pitch = uint64_t(image.width) * bytesPerPixel;
    const MaskedPixelFormat masked = MaskedPixelFormat::FromMasks(format.masks[0], format.masks[1],
                                                                  format.masks[2], format.masks[3]);
    for (uint32_t y = 0; y < image.height; ++y) {
        const uint8_t* row = pixels + y * pitch;
        uint32_t* target = image.texels.data() + size_t(y) * image.width;
        for (uint32_t x = 0; x < image.width; ++x) {
            const uint8_t* pixel = row + x * bytesPerPixel;
            uint32_t value = 0;
            for (uint64_t i = 0; i < bytesPerPixel; ++i) {
                value |= uint32_t(pixel[i]) << (8 * i);
            }
            target[x] = masked.ToArgb(value);
        }
    }
}

size_t BlockBytes(uint32_t fourCc) {
    return fourCc == FOURCC_DXT1   ? DXT1_BLOCK_BYTES
           : fourCc == FOURCC_DXT3 ? DXT3_BLOCK_BYTES
                                   : DXT5_BLOCK_BYTES;
}

uint32_t BlocksAlong(uint32_t texels) {
    return (texels + DXT_BLOCK_SIDE - 1) / DXT_BLOCK_SIDE;
}

void DecodeBlocks(const uint8_t* blocks, uint32_t fourCc, DecodedImage& image) {
    void (*decodeBlock)(const uint8_t*, uint32_t*) = fourCc == FOURCC_DXT1   ? DecodeDxt1Block
                                                     : fourCc == FOURCC_DXT3 ? DecodeDxt3Block
                                                                             : DecodeDxt5Block;
    const size_t blockBytes = BlockBytes(fourCc);
    const uint32_t blocksAcross = BlocksAlong(image.width);
    const uint32_t blocksDown = BlocksAlong(image.height);
    uint32_t texels[DXT_BLOCK_TEXELS];
    for (uint32_t blockY = 0; blockY < blocksDown; ++blockY) {
        for (uint32_t blockX = 0; blockX < blocksAcross; ++blockX) {
            decodeBlock(blocks + (size_t(blockY) * blocksAcross + blockX) * blockBytes, texels);
            // Blocks overhanging the right or bottom edge keep only the texels inside.
            for (uint32_t row = 0; row < DXT_BLOCK_SIDE; ++row) {
                const uint32_t y = blockY * DXT_BLOCK_SIDE + row;
                for (uint32_t column = 0; column < DXT_BLOCK_SIDE; ++column) {
                    const uint32_t x = blockX * DXT_BLOCK_SIDE + column;
                    if (x < image.width && y < image.height) {
                        image.texels[size_t(y) * image.width + x] =
                            texels[row * DXT_BLOCK_SIDE + column];
                    }
                }
            }
        }
    }
}

}  // namespace

bool LooksLikeDds(const uint8_t* data, size_t size) {
    return size >= MAGIC_SIZE && data[0] == MAGIC[0] && data[1] == MAGIC[1] &&
           data[2] == MAGIC[2] && data[3] == MAGIC[3];
}

bool DecodeDds(const uint8_t* data, size_t size, DecodedImage& image, std::string& error) {
    if (!LooksLikeDds(data, size)) {
        return Fail(error, "not a DDS file");
    }
    if (size < DATA_OFFSET) {
        return Fail(error, "DDS header is truncated");
    }
    const uint8_t* header = data + MAGIC_SIZE;
    const uint8_t* pixelFormat = header + PIXEL_FORMAT_AT;
    if (LoadU32(header) != HEADER_SIZE || LoadU32(pixelFormat) != PIXEL_FORMAT_SIZE) {
        return Fail(error, "DDS header has the wrong size");
    }
    if ((LoadU32(header + FLAGS_AT) & DDSD_DEPTH) != 0 ||
        (LoadU32(header + CAPS2_AT) & (DDSCAPS2_CUBEMAP | DDSCAPS2_VOLUME)) != 0) {
        return Fail(error, "cube and volume DDS files are not supported");
    }
    const uint32_t width = LoadU32(header + WIDTH_AT);
    const uint32_t height = LoadU32(header + HEIGHT_AT);
    if (!CheckImageSize(width, height, error)) {
        return false;
    }

    const uint32_t pixelFlags = LoadU32(pixelFormat + 4);
    const uint32_t fourCc = LoadU32(pixelFormat + 8);
    D3DFORMAT format = D3DFMT_UNKNOWN;
    const UncompressedFormat* uncompressed = nullptr;
    if ((pixelFlags & DDPF_FOURCC) != 0) {
        if (fourCc != FOURCC_DXT1 && fourCc != FOURCC_DXT3 && fourCc != FOURCC_DXT5) {
            return Fail(error, "unsupported DDS compression");
        }
        format = static_cast<D3DFORMAT>(fourCc);
    } else if ((pixelFlags & DDPF_RGB) != 0) {
        if (!FindUncompressed(pixelFormat, uncompressed, error)) {
            return false;
        }
        format = uncompressed->format;
    } else {
        return Fail(error, "unsupported DDS pixel format");
    }

    // DDS rows are packed without padding; the size is checked before anything is allocated.
    const uint64_t needed =
        uncompressed != nullptr
            ? uint64_t(width) * (uncompressed->bits / 8) * height
            : uint64_t(BlocksAlong(width)) * BlocksAlong(height) * BlockBytes(fourCc);
    if (needed > size - DATA_OFFSET) {
        return Fail(error, "DDS pixel data is truncated");
    }

    const uint32_t mipCount = LoadU32(header + MIP_COUNT_AT);
    image.info = {width,         height, 1, mipCount == 0 ? 1 : mipCount, format, D3DRTYPE_TEXTURE,
                  IMAGE_FILE_DDS};
    image.width = width;
    image.height = height;
    image.texels.assign(size_t(width) * height, 0);
    if (uncompressed != nullptr) {
        DecodeUncompressed(data + DATA_OFFSET, *uncompressed, image);
    } else {
        DecodeBlocks(data + DATA_OFFSET, fourCc, image);
    }
    return true;
}
