// The BMP decoder: header checks, then one loop over the rows for every layout the checks accept.
#include "gfxutil/bmp.h"

#include <cstring>

#include "gfxutil/byte_reader.h"
#include "gfxutil/image_limits.h"
#include "gfxutil/pixel_masks.h"

namespace {

constexpr uint8_t SIGNATURE_FIRST = 'B';
constexpr uint8_t SIGNATURE_SECOND = 'M';
constexpr size_t FILE_HEADER_SIZE = 14;
constexpr size_t PIXEL_OFFSET_AT = 10;

constexpr uint32_t CORE_HEADER_SIZE = 12;  // OS/2: 16-bit sizes, three-byte palette entries
constexpr uint32_t INFO_HEADER_SIZE = 40;
constexpr uint32_t V2_HEADER_SIZE = 52;  // adds the colour masks
constexpr uint32_t V3_HEADER_SIZE = 56;  // adds the alpha mask
constexpr uint32_t V4_HEADER_SIZE = 108;
constexpr uint32_t V5_HEADER_SIZE = 124;
constexpr size_t MASKS_AT = 40;  // within the info header
constexpr size_t ALPHA_MASK_AT = 52;

constexpr uint32_t COMPRESSION_RGB = 0;
constexpr uint32_t COMPRESSION_RLE8 = 1;
constexpr uint32_t COMPRESSION_RLE4 = 2;
constexpr uint32_t COMPRESSION_BITFIELDS = 3;
constexpr uint32_t COMPRESSION_ALPHABITFIELDS = 6;

constexpr uint32_t OPAQUE_ALPHA = 0xFF000000u;
// A palette index past the end of the palette reads as opaque black.
constexpr uint32_t MISSING_PALETTE_ENTRY = OPAQUE_ALPHA;
constexpr uint32_t BITS_PER_ROW_UNIT = 32;  // rows are padded to whole 32-bit words
constexpr uint32_t MAX_PALETTE_ENTRIES = 256;

struct BmpLayout {
    uint32_t headerSize = 0;
    uint32_t width = 0;
    uint32_t height = 0;
    bool topDown = false;
    uint32_t bitsPerPixel = 0;
    uint32_t compression = COMPRESSION_RGB;
    uint32_t masks[4] = {};  // red, green, blue, alpha
    size_t paletteOffset = 0;
    uint32_t paletteCount = 0;
    uint32_t paletteEntrySize = 4;
    size_t pixelOffset = 0;
    uint64_t rowStride = 0;
};

bool Fail(std::string& error, const char* reason) {
    error = reason;
    return false;
}

bool ReadSizes(const uint8_t* info, BmpLayout& layout, uint32_t& colourCount, std::string& error) {
    if (layout.headerSize == CORE_HEADER_SIZE) {
        layout.width = LoadU16(info + 4);
        layout.height = LoadU16(info + 6);
        layout.bitsPerPixel = LoadU16(info + 10);
        layout.paletteEntrySize = 3;
        colourCount = 0;
        return LoadU16(info + 8) == 1 || Fail(error, "BMP plane count is not 1");
    }
    const int64_t width = static_cast<int32_t>(LoadU32(info + 4));
    int64_t height = static_cast<int32_t>(LoadU32(info + 8));
    if (LoadU16(info + 12) != 1) {
        return Fail(error, "BMP plane count is not 1");
    }
    if (width <= 0 || height == 0) {
        return Fail(error, "BMP has no pixels");
    }
    if (height < 0) {
        layout.topDown = true;
        height = -height;
    }
    if (width > MAX_IMAGE_DIMENSION || height > MAX_IMAGE_DIMENSION) {
        return Fail(error, "BMP is too large");
    }
    layout.width = static_cast<uint32_t>(width);
    layout.height = static_cast<uint32_t>(height);
    layout.bitsPerPixel = LoadU16(info + 14);
    layout.compression = LoadU32(info + 16);
    colourCount = LoadU32(info + 32);
    return true;
}

bool CheckCompression(const BmpLayout& layout, std::string& error) {
    const uint32_t bits = layout.bitsPerPixel;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) {
        return Fail(error, "unsupported BMP bit depth");
    }
    if (layout.headerSize == CORE_HEADER_SIZE && (bits == 16 || bits == 32)) {
        return Fail(error, "unsupported BMP bit depth for an OS/2 header");
    }
    switch (layout.compression) {
        case COMPRESSION_RGB:
            return true;
        case COMPRESSION_BITFIELDS:
        case COMPRESSION_ALPHABITFIELDS:
            return bits == 16 || bits == 32 || Fail(error, "BMP bit fields need 16 or 32 bits");
        case COMPRESSION_RLE8:
        case COMPRESSION_RLE4:
            return Fail(error, "run-length encoded BMP is not supported");
        default:
            return Fail(error, "unsupported BMP compression");
    }
}

// Reads the channel masks of 16- and 32-bit files; returns where the headers (and masks) end.
bool ReadMasks(const uint8_t* data, size_t size, BmpLayout& layout, size_t& headersEnd,
               std::string& error) {
    const uint8_t* info = data + FILE_HEADER_SIZE;
    headersEnd = FILE_HEADER_SIZE + layout.headerSize;
    if (layout.bitsPerPixel == 16) {
        layout.masks[0] = 0x7C00;
        layout.masks[1] = 0x03E0;
        layout.masks[2] = 0x001F;
    } else if (layout.bitsPerPixel == 32) {
        layout.masks[0] = 0x00FF0000;
        layout.masks[1] = 0x0000FF00;
        layout.masks[2] = 0x000000FF;
    } else {
        return true;
    }
    const bool explicitMasks = layout.compression == COMPRESSION_BITFIELDS ||
                               layout.compression == COMPRESSION_ALPHABITFIELDS;
    if (explicitMasks && layout.headerSize == INFO_HEADER_SIZE) {
        // The masks follow a plain info header, three of them or four with alpha.
        const size_t count = layout.compression == COMPRESSION_ALPHABITFIELDS ? 4 : 3;
        if (size - headersEnd < count * 4) {
            return Fail(error, "BMP bit fields are truncated");
        }
        for (size_t i = 0; i < count; ++i) {
            layout.masks[i] = LoadU32(data + headersEnd + 4 * i);
        }
        headersEnd += count * 4;
        return true;
    }
    if (explicitMasks && layout.headerSize >= V2_HEADER_SIZE) {
        for (size_t i = 0; i < 3; ++i) {
            layout.masks[i] = LoadU32(info + MASKS_AT + 4 * i);
        }
    }
    // The alpha mask of a V3/V4/V5 header counts with BI_RGB too: this is how 32-bit sheets
    // with transparency are written.
    if (layout.headerSize >= V3_HEADER_SIZE) {
        layout.masks[3] = LoadU32(info + ALPHA_MASK_AT);
    }
    return true;
}

bool ParseLayout(const uint8_t* data, size_t size, BmpLayout& layout, std::string& error) {
    if (!LooksLikeBmp(data, size) || size < FILE_HEADER_SIZE + 4) {
        return Fail(error, "not a BMP file");
    }
    layout.headerSize = LoadU32(data + FILE_HEADER_SIZE);
    const uint32_t known[] = {CORE_HEADER_SIZE, INFO_HEADER_SIZE, V2_HEADER_SIZE,
                              V3_HEADER_SIZE,   V4_HEADER_SIZE,   V5_HEADER_SIZE};
    bool isKnown = false;
    for (uint32_t headerSize : known) {
        isKnown = isKnown || headerSize == layout.headerSize;
    }
    if (!isKnown) {
        return Fail(error, "unsupported BMP header");
    }
    if (size - FILE_HEADER_SIZE < layout.headerSize) {
        return Fail(error, "BMP header is truncated");
    }
    uint32_t colourCount = 0;
    if (!ReadSizes(data + FILE_HEADER_SIZE, layout, colourCount, error) ||
        !CheckImageSize(layout.width, layout.height, error) || !CheckCompression(layout, error)) {
        return false;
    }
    size_t headersEnd = 0;
    if (!ReadMasks(data, size, layout, headersEnd, error)) {
        return false;
    }

    layout.pixelOffset = LoadU32(data + PIXEL_OFFSET_AT);
    if (layout.pixelOffset < headersEnd) {
        return Fail(error, "BMP pixel data overlaps its headers");
    }
    if (layout.bitsPerPixel <= 8) {
        const uint32_t fullPalette = 1u << layout.bitsPerPixel;
        const uint32_t declared =
            colourCount == 0 || colourCount > fullPalette ? fullPalette : colourCount;
        const size_t room = (layout.pixelOffset - headersEnd) / layout.paletteEntrySize;
        layout.paletteOffset = headersEnd;
        layout.paletteCount = room < declared ? static_cast<uint32_t>(room) : declared;
        if (layout.paletteCount == 0) {
            return Fail(error, "paletted BMP has no palette");
        }
    }

    layout.rowStride = (uint64_t(layout.width) * layout.bitsPerPixel + BITS_PER_ROW_UNIT - 1) /
                       BITS_PER_ROW_UNIT * 4;
    // The last row may go without its padding: some writers leave it out.
    const uint64_t lastRowBytes = (uint64_t(layout.width) * layout.bitsPerPixel + 7) / 8;
    const uint64_t needed = layout.rowStride * (layout.height - 1) + lastRowBytes;
    if (layout.pixelOffset > size || size - layout.pixelOffset < needed) {
        return Fail(error, "BMP pixel data is truncated");
    }
    return true;
}

D3DFORMAT SourceFormat(const BmpLayout& layout) {
    const uint32_t* m = layout.masks;
    switch (layout.bitsPerPixel) {
        case 24:
            return D3DFMT_R8G8B8;
        case 32:
            return m[3] != 0 ? D3DFMT_A8R8G8B8 : D3DFMT_X8R8G8B8;
        case 16:
            if (m[0] == 0xF800 && m[1] == 0x07E0 && m[2] == 0x001F) {
                return D3DFMT_R5G6B5;
            }
            if (m[0] == 0x0F00 && m[1] == 0x00F0 && m[2] == 0x000F && m[3] == 0xF000) {
                return D3DFMT_A4R4G4B4;
            }
            if (m[0] == 0x7C00 && m[1] == 0x03E0 && m[2] == 0x001F) {
                return m[3] == 0x8000 ? D3DFMT_A1R5G5B5 : D3DFMT_X1R5G5B5;
            }
            return m[3] != 0 ? D3DFMT_A8R8G8B8 : D3DFMT_X8R8G8B8;
        default:
            return D3DFMT_P8;
    }
}

void DecodeRows(const uint8_t* data, const BmpLayout& layout, DecodedImage& image) {
    uint32_t palette[MAX_PALETTE_ENTRIES];
    for (uint32_t& entry : palette) {
        entry = MISSING_PALETTE_ENTRY;
    }
    for (uint32_t i = 0; i < layout.paletteCount; ++i) {
        const uint8_t* entry = data + layout.paletteOffset + i * layout.paletteEntrySize;
        palette[i] =
            OPAQUE_ALPHA | (uint32_t(entry[2]) << 16) | (uint32_t(entry[1]) << 8) | entry[0];
    }
    const MaskedPixelFormat masked = MaskedPixelFormat::FromMasks(layout.masks[0], layout.masks[1],
                                                                  layout.masks[2], layout.masks[3]);
    const uint32_t bits = layout.bitsPerPixel;
    const uint32_t indexMask = bits <= 8 ? (1u << bits) - 1 : 0;

    for (uint32_t row = 0; row < layout.height; ++row) {
        const uint8_t* source = data + layout.pixelOffset + row * layout.rowStride;
        const uint32_t targetRow = layout.topDown ? row : layout.height - 1 - row;
        uint32_t* target = image.texels.data() + size_t(targetRow) * layout.width;
        for (uint32_t x = 0; x < layout.width; ++x) {
            switch (bits) {
                case 32:
                    target[x] = masked.ToArgb(LoadU32(source + 4 * size_t(x)));
                    break;
                case 24: {
                    const uint8_t* pixel = source + 3 * size_t(x);
                    target[x] = OPAQUE_ALPHA | (uint32_t(pixel[2]) << 16) |
                                (uint32_t(pixel[1]) << 8) | pixel[0];
                    break;
                }
                case 16:
                    target[x] = masked.ToArgb(LoadU16(source + 2 * size_t(x)));
                    break;
                default: {
                    // The leftmost pixel sits in the highest bits of its byte.
                    const uint64_t bitPosition = uint64_t(x) * bits;
                    const uint32_t shift = 8 - bits - static_cast<uint32_t>(bitPosition % 8);
                    target[x] = palette[(source[bitPosition / 8] >> shift) & indexMask];
                    break;
                }
            }
        }
    }
}

}  // namespace

bool LooksLikeBmp(const uint8_t* data, size_t size) {
    return size >= 2 && data[0] == SIGNATURE_FIRST && data[1] == SIGNATURE_SECOND;
}

bool DecodeBmp(const uint8_t* data, size_t size, DecodedImage& image, std::string& error) {
    BmpLayout layout;
    if (!ParseLayout(data, size, layout, error)) {
        return false;
    }
    image.info = {layout.width,     layout.height, 1, 1, SourceFormat(layout),
                  D3DRTYPE_TEXTURE, IMAGE_FILE_BMP};
    image.width = layout.width;
    image.height = layout.height;
    image.texels.assign(size_t(layout.width) * layout.height, 0);
    DecodeRows(data, layout, image);
    return true;
}
