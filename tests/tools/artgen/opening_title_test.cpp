// Tests of graphics/openingtitle.dds: the two picture halves and the twelve letter cells the
// title scene cuts.
#include <gtest/gtest.h>

#include "tests/tools/artgen/art_test_support.h"

namespace {

// The letter sprites' widths, side by side from x = 0 in the third row of 64 texels.
constexpr int LETTER_WIDTHS[12] = {28, 19, 19, 19, 24, 19, 20, 18, 20, 19, 19, 19};
constexpr int LETTER_ROW_TOP = 128;
constexpr int ROW_HEIGHT = 64;
constexpr uint32_t OPAQUE_ENOUGH = 0xC0;

class OpeningTitle : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(LoadSquareGraphic("openingtitle.dds", 256, image));
    }

    uint32_t At(int x, int y) const {
        return image.texels[static_cast<size_t>(y) * image.width + static_cast<size_t>(x)];
    }
    int OpaqueIn(int left, int top, int width, int height) const {
        int opaque = 0;
        for (int y = top; y < top + height; ++y) {
            for (int x = left; x < left + width; ++x) {
                opaque += Alpha(At(x, y)) >= OPAQUE_ENOUGH;
            }
        }
        return opaque;
    }

    DecodedImage image;
};

TEST_F(OpeningTitle, IsAnUncompressedTextureWithAlpha) {
    EXPECT_EQ(image.info.ImageFileFormat, IMAGE_FILE_DDS);
    EXPECT_EQ(image.info.Format, D3DFMT_A8R8G8B8);
}

TEST_F(OpeningTitle, BothHalvesOfThePictureHoldPartOfIt) {
    EXPECT_GT(OpaqueIn(0, 0, 256, ROW_HEIGHT), 256 * ROW_HEIGHT / 10);
    EXPECT_GT(OpaqueIn(0, ROW_HEIGHT, 256, ROW_HEIGHT), 256 * ROW_HEIGHT / 10);
}

TEST_F(OpeningTitle, EachLetterCellHoldsALetterThatKeepsOffItsEdges) {
    int left = 0;
    for (int letter = 0; letter < 12; ++letter) {
        const int width = LETTER_WIDTHS[letter];
        EXPECT_GT(OpaqueIn(left, LETTER_ROW_TOP, width, ROW_HEIGHT), 20) << "letter " << letter;
        for (int y = LETTER_ROW_TOP; y < LETTER_ROW_TOP + ROW_HEIGHT; ++y) {
            EXPECT_EQ(Alpha(At(left, y)), 0u) << "letter " << letter << " left edge, row " << y;
            EXPECT_EQ(Alpha(At(left + width - 1, y)), 0u)
                << "letter " << letter << " right edge, row " << y;
        }
        for (int x = left; x < left + width; ++x) {
            EXPECT_EQ(Alpha(At(x, LETTER_ROW_TOP)), 0u) << "letter " << letter << " top edge";
            EXPECT_EQ(Alpha(At(x, LETTER_ROW_TOP + ROW_HEIGHT - 1)), 0u)
                << "letter " << letter << " bottom edge";
        }
        left += width;
    }
    EXPECT_EQ(left, 243) << "the last letter ends on texel 242";
    EXPECT_EQ(OpaqueIn(243, LETTER_ROW_TOP, 256 - 243, ROW_HEIGHT), 0);
}

}  // namespace
