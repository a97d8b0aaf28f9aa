// Tests of the DDS decoder: the uncompressed formats, DXT blocks with known colours, bad headers.
#include <gtest/gtest.h>

#include "gfxutil/texture_loader.h"
#include "tests/gfxutil/image_files.h"

namespace {

constexpr uint32_t OPAQUE_ALPHA = 0xFF000000;
constexpr uint16_t RED_565 = 0xF800;
constexpr uint16_t BLUE_565 = 0x001F;
constexpr size_t DDS_WIDTH_AT = 16;

// A DXT colour half: two 5:6:5 end colours, then 2-bit indices, texel 0 in the lowest bits.
Bytes ColourBlock(uint16_t c0, uint16_t c1, const std::vector<uint32_t>& indices) {
    uint32_t packed = 0;
    for (size_t i = 0; i < indices.size(); ++i) {
        packed |= indices[i] << (2 * i);
    }
    Bytes block = PackPixels({c0, c1}, 2);
    const Bytes bits = PackPixels({packed}, 4);
    block.insert(block.end(), bits.begin(), bits.end());
    return block;
}

// Every row of the block uses indices 0, 1, 2, 3 from left to right.
const std::vector<uint32_t> INDEX_PER_COLUMN = {0, 1, 2, 3, 0, 1, 2, 3, 0, 1, 2, 3, 0, 1, 2, 3};

TEST(Dds, A8R8G8B8KeepsItsTexelsAndReportsTheHeader) {
    DdsLayout layout = A8R8G8B8Spec(2, 2);
    layout.mipCount = 3;
    const std::vector<uint32_t> texels = {0x80FF0000, 0xFF00FF00, 0x000000FF, 0x12345678};
    const DecodedImage image = Decode(MakeDds(layout, PackPixels(texels, 4)));
    EXPECT_EQ(texels, image.texels);
    ExpectTextureInfo(image.info, 2, 2, 3, D3DFMT_A8R8G8B8, 4);
}

TEST(Dds, NoMipCountMeansOneLevel) {
    const DecodedImage image = Decode(MakeDds(A8R8G8B8Spec(1, 1), PackPixels({0}, 4)));
    EXPECT_EQ(1u, image.info.MipLevels);
}

TEST(Dds, X8R8G8B8IsOpaqueWhateverTheFourthByte) {
    DdsLayout layout;
    layout.width = 2;
    const DecodedImage image = Decode(MakeDds(layout, PackPixels({0x00123456, 0x7FABCDEF}, 4)));
    EXPECT_EQ((std::vector<uint32_t>{0xFF123456, 0xFFABCDEF}), image.texels);
    EXPECT_EQ(D3DFMT_X8R8G8B8, image.info.Format);
}

TEST(Dds, R8G8B8RowsArePackedWithoutPadding) {
    DdsLayout layout;
    layout.width = 1;
    layout.height = 3;
    layout.bits = 24;
    const DecodedImage image =
        Decode(MakeDds(layout, PackPixels({0x010203, 0x040506, 0x070809}, 3)));
    EXPECT_EQ((std::vector<uint32_t>{OPAQUE_ALPHA | 0x010203, OPAQUE_ALPHA | 0x040506,
                                     OPAQUE_ALPHA | 0x070809}),
              image.texels);
    EXPECT_EQ(D3DFMT_R8G8B8, image.info.Format);
}

// A 16-bit layout with these red, green, blue and alpha masks; alpha pixels when it has alpha.
DdsLayout SixteenBitLayout(uint32_t width, uint32_t red, uint32_t green, uint32_t blue,
                           uint32_t alpha) {
    DdsLayout layout;
    layout.width = width;
    layout.bits = 16;
    layout.pixelFlags = alpha != 0 ? DDPF_RGB | DDPF_ALPHAPIXELS : DDPF_RGB;
    layout.masks[0] = red;
    layout.masks[1] = green;
    layout.masks[2] = blue;
    layout.masks[3] = alpha;
    return layout;
}

TEST(Dds, SixteenBitFormatsScaleTheirChannels) {
    const DecodedImage colours = Decode(MakeDds(SixteenBitLayout(3, 0xF800, 0x07E0, 0x001F, 0),
                                                PackPixels({RED_565, 0x07E0, 0}, 2)));
    EXPECT_EQ(
        (std::vector<uint32_t>{OPAQUE_ALPHA | 0xFF0000, OPAQUE_ALPHA | 0x00FF00, OPAQUE_ALPHA}),
        colours.texels);
    EXPECT_EQ(D3DFMT_R5G6B5, colours.info.Format);

    const DecodedImage alpha = Decode(MakeDds(SixteenBitLayout(2, 0x7C00, 0x03E0, 0x001F, 0x8000),
                                              PackPixels({0x001F, 0x801F}, 2)));
    EXPECT_EQ((std::vector<uint32_t>{0x000000FF, 0xFF0000FF}), alpha.texels);
    EXPECT_EQ(D3DFMT_A1R5G5B5, alpha.info.Format);

    // Without its alpha mask the same layout is X1R5G5B5: opaque whatever the top bit says.
    const DecodedImage opaque = Decode(
        MakeDds(SixteenBitLayout(2, 0x7C00, 0x03E0, 0x001F, 0), PackPixels({0x001F, 0x801F}, 2)));
    EXPECT_EQ((std::vector<uint32_t>{0xFF0000FF, 0xFF0000FF}), opaque.texels);
    EXPECT_EQ(D3DFMT_X1R5G5B5, opaque.info.Format);

    // Four bits a channel: 0xF becomes 0xFF, 0x8 becomes 0x88.
    const DecodedImage fours = Decode(MakeDds(SixteenBitLayout(2, 0x0F00, 0x00F0, 0x000F, 0xF000),
                                              PackPixels({0x8F0F, 0xF0F0}, 2)));
    EXPECT_EQ((std::vector<uint32_t>{0x88FF00FF, 0xFF00FF00}), fours.texels);
    EXPECT_EQ(D3DFMT_A4R4G4B4, fours.info.Format);
}

TEST(Dds, Dxt1WithFourColoursInterpolatesThirds) {
    // Red before blue (0xF800 > 0x001F): colours 2 and 3 lie a third and two thirds of the way.
    const DecodedImage image =
        Decode(MakeDds(DxtSpec(4, 4, '1'), ColourBlock(RED_565, BLUE_565, INDEX_PER_COLUMN)));
    const std::vector<uint32_t> row = {OPAQUE_ALPHA | 0xFF0000, OPAQUE_ALPHA | 0x0000FF,
                                       OPAQUE_ALPHA | (170u << 16) | 85u,
                                       OPAQUE_ALPHA | (85u << 16) | 170u};
    for (uint32_t y = 0; y < 4; ++y) {
        EXPECT_EQ(row, std::vector<uint32_t>(image.texels.begin() + 4 * y,
                                             image.texels.begin() + 4 * y + 4));
    }
    EXPECT_EQ(D3DFMT_DXT1, image.info.Format);
}

TEST(Dds, Dxt1WithThreeColoursHasTransparentBlack) {
    // Blue before red (0x001F <= 0xF800): colour 2 is the midpoint, colour 3 transparent black.
    const DecodedImage image =
        Decode(MakeDds(DxtSpec(4, 1, '1'), ColourBlock(BLUE_565, RED_565, INDEX_PER_COLUMN)));
    EXPECT_EQ((std::vector<uint32_t>{OPAQUE_ALPHA | 0x0000FF, OPAQUE_ALPHA | 0xFF0000,
                                     OPAQUE_ALPHA | (127u << 16) | 127u, 0x00000000}),
              image.texels);
}

TEST(Dds, Dxt3CarriesFourBitAlphaPerTexel) {
    // Alpha nibbles 0xF, 0x8, 0x0, 0x1 repeated; colour all index 0 (white).
    Bytes block(8, 0);
    block[0] = 0x8F;  // texel 0 in the low nibble
    block[1] = 0x10;
    const Bytes colour = ColourBlock(0xFFFF, 0xFFFF, std::vector<uint32_t>(16, 0));
    block.insert(block.end(), colour.begin(), colour.end());
    const DecodedImage image = Decode(MakeDds(DxtSpec(4, 1, '3'), block));
    EXPECT_EQ((std::vector<uint32_t>{0xFFFFFFFF, (8u * 17) << 24 | 0xFFFFFF, 0x00FFFFFF,
                                     (17u << 24) | 0xFFFFFF}),
              image.texels);
    EXPECT_EQ(D3DFMT_DXT3, image.info.Format);
}

Bytes Dxt5Block(uint8_t a0, uint8_t a1, const std::vector<uint32_t>& alphaIndices) {
    uint64_t packed = 0;
    for (size_t i = 0; i < alphaIndices.size(); ++i) {
        packed |= uint64_t(alphaIndices[i]) << (3 * i);
    }
    Bytes block = {a0, a1};
    for (int i = 0; i < 6; ++i) {
        block.push_back((packed >> (8 * i)) & 0xFF);
    }
    const Bytes colour = ColourBlock(RED_565, RED_565, std::vector<uint32_t>(16, 0));
    block.insert(block.end(), colour.begin(), colour.end());
    return block;
}

TEST(Dds, Dxt5InterpolatesAlphaInSevenOrFiveSteps) {
    // a0 > a1: indices 2..7 step from a0 to a1 in sevenths; index 2 is (6 * 255 + 0) / 7 = 218.
    const DecodedImage eight = Decode(MakeDds(DxtSpec(4, 1, '5'), Dxt5Block(255, 0, {0, 1, 2, 7})));
    EXPECT_EQ((std::vector<uint32_t>{0xFFFF0000, 0x00FF0000, (218u << 24) | 0xFF0000,
                                     (36u << 24) | 0xFF0000}),
              eight.texels);
    // a0 <= a1: indices 2..5 step in fifths, 6 is 0 and 7 is 255; index 2 is 255 / 5 = 51.
    const DecodedImage six = Decode(MakeDds(DxtSpec(4, 1, '5'), Dxt5Block(0, 255, {2, 5, 6, 7})));
    EXPECT_EQ((std::vector<uint32_t>{(51u << 24) | 0xFF0000, (204u << 24) | 0xFF0000, 0x00FF0000,
                                     0xFFFF0000}),
              six.texels);
    EXPECT_EQ(D3DFMT_DXT5, six.info.Format);
}

TEST(Dds, BlocksOverhangingTheEdgeKeepOnlyTexelsInside) {
    // 5 x 1: two blocks across; texel 4 is the first texel of the second block.
    Bytes blocks = ColourBlock(RED_565, RED_565, std::vector<uint32_t>(16, 0));
    const Bytes blue = ColourBlock(BLUE_565, BLUE_565, std::vector<uint32_t>(16, 0));
    blocks.insert(blocks.end(), blue.begin(), blue.end());
    const DecodedImage image = Decode(MakeDds(DxtSpec(5, 1, '1'), blocks));
    ASSERT_EQ(5u, image.texels.size());
    EXPECT_EQ(OPAQUE_ALPHA | 0xFF0000, image.texels[3]);
    EXPECT_EQ(OPAQUE_ALPHA | 0x0000FF, image.texels[4]);
}

TEST(Dds, TruncatedAndMalformedFilesFail) {
    const Bytes good = MakeDds(A8R8G8B8Spec(2, 2), Bytes(16, 0));
    for (size_t length : {size_t(3), size_t(100), size_t(127), good.size() - 1}) {
        EXPECT_FALSE(Failure(Bytes(good.begin(), good.begin() + length)).empty()) << length;
    }
    Failure(MakeDds(DxtSpec(8, 8, '1'), Bytes(31, 0)));  // four blocks need 32 bytes

    Bytes wrongHeaderSize = good;
    PutU32(wrongHeaderSize, 4, 100);
    Failure(wrongHeaderSize);

    Bytes zeroWidth = good;
    PutU32(zeroWidth, DDS_WIDTH_AT, 0);
    Failure(zeroWidth);

    Failure(MakeDds(DxtSpec(4, 4, '0'), Bytes(16, 0)));  // "DXT0" is no format

    DdsLayout cube = A8R8G8B8Spec(1, 1);
    cube.caps2 = 0x200 | 0xFC00;
    Failure(MakeDds(cube, Bytes(24, 0)));

    DdsLayout oddMasks = A8R8G8B8Spec(1, 1);
    oddMasks.masks[0] = 0x000000FF;
    oddMasks.masks[2] = 0x00FF0000;
    Failure(MakeDds(oddMasks, Bytes(4, 0)));
}

TEST(Dds, AbsurdSizesFailBeforeAnythingIsAllocated) {
    for (uint32_t side : {16384u, 65536u, 0xFFFFFFFFu}) {
        DdsLayout huge = DxtSpec(side, side, '1');
        Failure(MakeDds(huge, Bytes(64, 0)));
    }
}

}  // namespace
