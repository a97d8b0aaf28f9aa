// Tests of the BMP and DDS encoders, read back through the game's image decoder.
#include <gtest/gtest.h>

#include "gfxutil/texture_loader.h"
#include "tools/artgen/bmp_writer.h"
#include "tools/artgen/dds_writer.h"

namespace {

// Three columns so that 24-bit rows need padding; distinct alphas, including none and half.
artgen::Image Sample() {
    artgen::Image image(3, 2);
    image.Set(0, 0, 0xFF102030);
    image.Set(1, 0, 0x80405060);
    image.Set(2, 0, 0x00708090);
    image.Set(0, 1, 0xFFA0B0C0);
    image.Set(1, 1, 0x01D0E0F0);
    image.Set(2, 1, 0xFF010203);
    return image;
}

DecodedImage Decode(const artgen::Bytes& bytes) {
    DecodedImage decoded;
    std::string error;
    EXPECT_TRUE(DecodeImage(bytes.data(), bytes.size(), decoded, error)) << error;
    return decoded;
}

TEST(BmpWriter, ThirtyTwoBitsKeepEveryAlphaAndTheRowOrder) {
    const artgen::Image image = Sample();
    const DecodedImage decoded = Decode(artgen::EncodeBmp32(image));
    ASSERT_EQ(decoded.width, 3u);
    ASSERT_EQ(decoded.height, 2u);
    EXPECT_EQ(decoded.texels, image.Pixels());
}

TEST(BmpWriter, TwentyFourBitsPadRowsAndComeBackOpaque) {
    const artgen::Image image = Sample();
    const DecodedImage decoded = Decode(artgen::EncodeBmp24(image));
    ASSERT_EQ(decoded.width, 3u);
    ASSERT_EQ(decoded.height, 2u);
    ASSERT_EQ(decoded.texels.size(), 6u);
    for (size_t i = 0; i < 6; ++i) {
        EXPECT_EQ(decoded.texels[i], image.Pixels()[i] | 0xFF000000u) << "texel " << i;
    }
}

TEST(DdsWriter, KeepsEveryTexelAndReportsArgb) {
    const artgen::Image image = Sample();
    const DecodedImage decoded = Decode(artgen::EncodeDdsArgb(image));
    EXPECT_EQ(decoded.info.Format, D3DFMT_A8R8G8B8);
    EXPECT_EQ(decoded.texels, image.Pixels());
}

}  // namespace
