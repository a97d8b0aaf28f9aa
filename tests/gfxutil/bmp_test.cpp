// Tests of the BMP decoder: every bit depth, both row orders, bit fields, alpha, hostile headers.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <climits>
#include <optional>
#include <string>

#include "gfxutil/texture_loader.h"
#include "tests/gfxutil/image_files.h"

namespace {

constexpr uint32_t OPAQUE_ALPHA = 0xFF000000;
constexpr uint32_t COMPRESSION_RLE8 = 1;
constexpr uint32_t COMPRESSION_BITFIELDS = 3;
constexpr uint32_t COMPRESSION_ALPHABITFIELDS = 6;
constexpr uint32_t V4 = 108;
constexpr uint32_t V5 = 124;

BmpLayout Layout(int32_t width, int32_t height, uint16_t bits) {
    BmpLayout layout;
    layout.width = width;
    layout.height = height;
    layout.bitsPerPixel = bits;
    return layout;
}

// 2x2, 24 bits: bottom row red, green; top row blue, white (file rows bottom first).
const std::vector<uint32_t> BOTTOM_UP_24 = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF};
const std::vector<uint32_t> TOP_DOWN_EXPECTED = {OPAQUE_ALPHA | 0x0000FF, OPAQUE_ALPHA | 0xFFFFFF,
                                                 OPAQUE_ALPHA | 0xFF0000, OPAQUE_ALPHA | 0x00FF00};

TEST(Bmp, TwentyFourBitRowsComeOutTopFirst) {
    const DecodedImage image = Decode(MakeBmp(Layout(2, 2, 24), BOTTOM_UP_24));
    EXPECT_EQ(2u, image.width);
    EXPECT_EQ(2u, image.height);
    EXPECT_EQ(TOP_DOWN_EXPECTED, image.texels);
}

TEST(Bmp, TopDownFileKeepsItsRowOrder) {
    const DecodedImage image = Decode(MakeBmp(Layout(2, -2, 24), BOTTOM_UP_24));
    EXPECT_EQ((std::vector<uint32_t>{OPAQUE_ALPHA | 0xFF0000, OPAQUE_ALPHA | 0x00FF00,
                                     OPAQUE_ALPHA | 0x0000FF, OPAQUE_ALPHA | 0xFFFFFF}),
              image.texels);
}

TEST(Bmp, TwentyFourBitsDecodeAlikeWithEveryHeaderAndAGap) {
    for (uint32_t headerSize : {40u, 52u, 56u, V4, V5}) {
        BmpLayout layout = Layout(2, 2, 24);
        layout.headerSize = headerSize;
        EXPECT_EQ(TOP_DOWN_EXPECTED, Decode(MakeBmp(layout, BOTTOM_UP_24)).texels) << headerSize;
        layout.gapBeforePixels = 6;
        EXPECT_EQ(TOP_DOWN_EXPECTED, Decode(MakeBmp(layout, BOTTOM_UP_24)).texels) << headerSize;
    }
}

TEST(Bmp, ReportsTheSourceAsImageInfo) {
    const DecodedImage image = Decode(MakeBmp(Layout(3, -5, 24), std::vector<uint32_t>(15, 0)));
    ExpectTextureInfo(image.info, 3, 5, 1, D3DFMT_R8G8B8, 0);
}

TEST(Bmp, PalettedDepthsPackPixelsFromTheHighBitsAcrossBytes) {
    const std::vector<uint32_t> palette = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF,
                                           0x123456, 0xABCDEF, 0x010203, 0xFFFFFF};
    // Widths that end inside a byte, so the padding and the bit positions both matter.
    struct Case {
        uint16_t bits;
        int32_t width;
    };
    for (const Case& c : {Case{1, 11}, Case{4, 5}, Case{8, 3}}) {
        BmpLayout layout = Layout(c.width, -2, c.bits);
        const uint32_t entries = 1u << c.bits;
        for (uint32_t i = 0; i < entries; ++i) {
            layout.palette.push_back(palette[i % palette.size()]);
        }
        std::vector<uint32_t> indices;
        std::vector<uint32_t> expected;
        for (int32_t i = 0; i < 2 * c.width; ++i) {
            const uint32_t index = (i * 5 + 1) % std::min<uint32_t>(entries, 8);
            indices.push_back(index);
            expected.push_back(OPAQUE_ALPHA | palette[index]);
        }
        const DecodedImage image = Decode(MakeBmp(layout, indices));
        EXPECT_EQ(expected, image.texels) << c.bits << " bits";
        EXPECT_EQ(D3DFMT_P8, image.info.Format);
    }
}

TEST(Bmp, ShortPaletteLeavesHigherIndicesOpaqueBlack) {
    BmpLayout layout = Layout(4, 1, 8);
    layout.palette = {0x102030, 0x405060};
    layout.coloursUsed = 2;
    const DecodedImage image = Decode(MakeBmp(layout, {0, 1, 2, 255}));
    EXPECT_EQ((std::vector<uint32_t>{OPAQUE_ALPHA | 0x102030, OPAQUE_ALPHA | 0x405060, OPAQUE_ALPHA,
                                     OPAQUE_ALPHA}),
              image.texels);
}

TEST(Bmp, Os2HeaderUsesThreeBytePaletteEntries) {
    BmpLayout layout = Layout(2, 2, 1);
    layout.headerSize = 12;
    layout.palette = {0x0000FF, 0xFFFF00};
    const DecodedImage image = Decode(MakeBmp(layout, {1, 0, 0, 1}));
    EXPECT_EQ((std::vector<uint32_t>{OPAQUE_ALPHA | 0x0000FF, OPAQUE_ALPHA | 0xFFFF00,
                                     OPAQUE_ALPHA | 0xFFFF00, OPAQUE_ALPHA | 0x0000FF}),
              image.texels);
}

// A one-row image of packed pixels and what its masks make of them.
struct PackedCase {
    const char* name;
    BmpLayout layout;
    std::vector<uint32_t> pixels;
    std::vector<uint32_t> expected;
    std::optional<D3DFORMAT> format;
};

BmpLayout Packed(int32_t width, uint16_t bits, uint32_t headerSize, uint32_t compression,
                 bool masksAfterHeader, std::array<uint32_t, 4> masks) {
    BmpLayout layout = Layout(width, 1, bits);
    layout.headerSize = headerSize;
    layout.compression = compression;
    layout.writeMasksAfterHeader = masksAfterHeader;
    std::copy(masks.begin(), masks.end(), layout.masks);
    return layout;
}

constexpr std::array<uint32_t, 4> ARGB_MASKS = {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000};

class BmpPacked : public testing::TestWithParam<PackedCase> {};

TEST_P(BmpPacked, DecodesThroughItsMasks) {
    const PackedCase& c = GetParam();
    const DecodedImage image = Decode(MakeBmp(c.layout, c.pixels));
    EXPECT_EQ(c.expected, image.texels);
    if (c.format) {
        EXPECT_EQ(*c.format, image.info.Format);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Bmp, BmpPacked,
    testing::Values(
        // Five-bit channels scale to eight with rounding: 31 -> 255, 16 -> 132; bit 15 is unused.
        PackedCase{"SixteenBitsDefaultToFiveFiveFiveWithoutAlpha",
                   Layout(4, 1, 16),
                   {0x7C00, 0x03E0, 0x801F, 16 << 10},
                   {OPAQUE_ALPHA | 0xFF0000, OPAQUE_ALPHA | 0x00FF00, OPAQUE_ALPHA | 0x0000FF,
                    OPAQUE_ALPHA | (132u << 16)},
                   D3DFMT_X1R5G5B5},
        // Green 32 of 63 scales to round(32 * 255 / 63) = 130.
        PackedCase{"SixteenBitFieldsAfterAPlainHeaderReadFiveSixFive",
                   Packed(3, 16, 40, COMPRESSION_BITFIELDS, true, {0xF800, 0x07E0, 0x001F, 0}),
                   {0xF800, 32 << 5, 0x001F},
                   {OPAQUE_ALPHA | 0xFF0000, OPAQUE_ALPHA | (130u << 8), OPAQUE_ALPHA | 0x0000FF},
                   D3DFMT_R5G6B5},
        PackedCase{
            "SixteenBitsWithAnAlphaMaskKeepTheAlphaBit",
            Packed(2, 16, V5, COMPRESSION_BITFIELDS, false, {0x7C00, 0x03E0, 0x001F, 0x8000}),
            {0x7C00, 0xFC00},
            {0x00FF0000, 0xFFFF0000},
            D3DFMT_A1R5G5B5},
        PackedCase{"ThirtyTwoBitsWithAPlainHeaderIgnoreTheFourthByte",
                   Layout(2, 1, 32),
                   {0x00123456, 0x80ABCDEF},
                   {0xFF123456, 0xFFABCDEF},
                   D3DFMT_X8R8G8B8},
        PackedCase{"AnAllTransparentAlphaChannelStaysTransparent",
                   Packed(2, 32, V5, COMPRESSION_BITFIELDS, false, ARGB_MASKS),
                   {0x00000000, 0x00FFFFFF},
                   {0x00000000, 0x00FFFFFF},
                   std::nullopt},
        PackedCase{"BitFieldsInAnyByteOrderAreFollowed",
                   Packed(1, 32, 40, COMPRESSION_ALPHABITFIELDS, true,
                          {0xFF000000, 0x00FF0000, 0x0000FF00, 0x000000FF}),
                   {0x11223340},
                   {0x40112233},
                   std::nullopt}),
    [](const testing::TestParamInfo<PackedCase>& info) { return std::string(info.param.name); });

TEST(Bmp, ThirtyTwoBitsWithAV4OrV5AlphaMaskKeepTheirAlpha) {
    for (uint32_t headerSize : {V4, V5}) {
        for (uint32_t compression : {0u, COMPRESSION_BITFIELDS}) {
            const BmpLayout layout = Packed(3, 32, headerSize, compression, false, ARGB_MASKS);
            const DecodedImage image =
                Decode(MakeBmp(layout, {0x00FF0000, 0x8000FF00, 0xFF0000FF}));
            EXPECT_EQ((std::vector<uint32_t>{0x00FF0000, 0x8000FF00, 0xFF0000FF}), image.texels);
            EXPECT_EQ(D3DFMT_A8R8G8B8, image.info.Format);
        }
    }
}

TEST(Bmp, LastRowWithoutItsPaddingIsAccepted) {
    Bytes bytes = MakeBmp(Layout(1, 2, 24), {0x010203, 0x040506});
    bytes.pop_back();  // the one padding byte of the top row
    EXPECT_EQ((std::vector<uint32_t>{OPAQUE_ALPHA | 0x040506, OPAQUE_ALPHA | 0x010203}),
              Decode(bytes).texels);
}

TEST(Bmp, TruncatedOrMalformedFilesFailWithAReason) {
    const Bytes good = MakeBmp(Layout(4, 4, 24), std::vector<uint32_t>(16, 0x808080));
    for (size_t length : {size_t(1), size_t(13), size_t(20), size_t(53), good.size() - 4}) {
        EXPECT_FALSE(Failure(Bytes(good.begin(), good.begin() + length)).empty()) << length;
    }

    struct Patch {
        const char* what;
        size_t at;
        uint32_t value;
        bool twoBytes = false;
    };
    for (const Patch& patch :
         {Patch{"zero width", BMP_WIDTH_AT, 0}, Patch{"zero height", BMP_HEIGHT_AT, 0},
          Patch{"most negative height", BMP_HEIGHT_AT, uint32_t(INT32_MIN)},
          Patch{"pixels overlap the headers", BMP_PIXEL_OFFSET_AT, 20},
          Patch{"pixels past the end", BMP_PIXEL_OFFSET_AT, 0xFFFFFFF0},
          Patch{"odd depth", 28, 7, true}, Patch{"unknown header", 14, 41}}) {
        SCOPED_TRACE(patch.what);
        Bytes bytes = good;
        if (patch.twoBytes) {
            PutU16(bytes, patch.at, patch.value);
        } else {
            PutU32(bytes, patch.at, patch.value);
        }
        Failure(bytes);
    }
}

TEST(Bmp, AbsurdSizesFailBeforeAnythingIsAllocated) {
    // A 1-bit image of 16384 x 16384 would need 32 MiB of pixels; this file has a few bytes.
    BmpLayout layout = Layout(1, 1, 1);
    layout.palette = {0, 0xFFFFFF};
    Bytes bytes = MakeBmp(layout, {1});
    PutU32(bytes, BMP_WIDTH_AT, 16384);
    PutU32(bytes, BMP_HEIGHT_AT, 16384);
    Failure(bytes);
    PutU32(bytes, BMP_WIDTH_AT, 0x7FFFFFFF);
    PutU32(bytes, BMP_HEIGHT_AT, 0x80000001);  // top-down, 2^31 - 1 rows
    Failure(bytes);
}

TEST(Bmp, UnsupportedCompressionsAndCombinationsFail) {
    BmpLayout rle = Layout(2, 2, 8);
    rle.compression = COMPRESSION_RLE8;
    rle.palette.assign(256, 0);
    EXPECT_NE(std::string::npos, Failure(MakeBmp(rle, {0, 0, 0, 0})).find("run-length"));

    BmpLayout fields24 = Layout(1, 1, 24);
    fields24.compression = COMPRESSION_BITFIELDS;
    fields24.writeMasksAfterHeader = true;
    Failure(MakeBmp(fields24, {0}));

    BmpLayout noPalette = Layout(1, 1, 8);
    Failure(MakeBmp(noPalette, {0}));
}

}  // namespace
