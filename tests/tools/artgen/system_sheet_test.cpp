// Tests of graphics/system.bmp: every rectangle the play scene cuts holds its art where the
// sprites look for it, and nothing bleeds between them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/tools/artgen/art_test_support.h"
#include "tools/artgen/fonts.h"
#include "tools/artgen/system_sheet.h"

namespace {

struct SheetRect {
    std::string what;
    int x, y, width, height;
};

constexpr uint32_t OPAQUE_ENOUGH = 0xC0;

// The play scene's sheet table: glyph rectangles, transparent around their letters.
std::vector<SheetRect> GlyphRectangles() {
    std::vector<SheetRect> rects = {
        {"stage word", 0, 47, 126, 47},         {"clear word", 126, 47, 126, 47},
        {"time label", 0, 94, 52, 25},          {"lives label", 52, 94, 52, 25},
        {"start sign", 130, 94, 60, 50},        {"best label", 190, 126, 52, 25},
        {"new-record banner", 0, 142, 120, 20}, {"game-over banner", 0, 162, 209, 47},
        {"ending banner", 0, 209, 234, 47}};
    for (int digit = 0; digit < 10; ++digit) {
        rects.push_back({"large digit " + std::to_string(digit), 25 * digit, 0, 25, 47});
        rects.push_back({"small digit " + std::to_string(digit), 13 * digit, 119, 13, 23});
    }
    return rects;
}

const std::vector<SheetRect> CURTAIN_TILES = {{"first curtain tile", 190, 94, 32, 32},
                                              {"second curtain tile", 222, 94, 32, 32}};

uint32_t At(const DecodedImage& image, int x, int y) {
    return image.texels[static_cast<size_t>(y) * image.width + static_cast<size_t>(x)];
}

bool Inside(const SheetRect& rect, int x, int y) {
    return x >= rect.x && y >= rect.y && x < rect.x + rect.width && y < rect.y + rect.height;
}

// Sum of channel differences, colour weighted by coverage: 0 for identical letters.
long Difference(const DecodedImage& sheet, int x, int y, const artgen::Image& letter) {
    long total = 0;
    for (int row = 0; row < letter.Height(); ++row) {
        for (int column = 0; column < letter.Width(); ++column) {
            const uint32_t a = At(sheet, x + column, y + row);
            const uint32_t b = letter.At(column, row);
            for (int shift = 0; shift <= 24; shift += 8) {
                total += std::abs(static_cast<int>((a >> shift) & 0xFF) -
                                  static_cast<int>((b >> shift) & 0xFF));
            }
        }
    }
    return total;
}

class SystemSheet : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_NO_FATAL_FAILURE(LoadSquareGraphic("system.bmp", 256, sheet)); }

    DecodedImage sheet;
};

TEST_F(SystemSheet, IsStoredWithAnAlphaMaskSoReadersKeepTransparency) {
    const std::vector<uint8_t> file = ReadBytes(RunFolderPath("graphics/system.bmp"));
    ASSERT_GT(file.size(), 70u);
    auto word = [&file](size_t offset) {
        return uint32_t{file[offset]} | uint32_t{file[offset + 1]} << 8 |
               uint32_t{file[offset + 2]} << 16 | uint32_t{file[offset + 3]} << 24;
    };
    EXPECT_GE(word(14), 108u) << "a version 4 or 5 header";
    EXPECT_EQ(file[28], 32) << "32 bits per pixel";
    EXPECT_EQ(word(14 + 52), 0xFF000000u) << "the alpha mask";
}

TEST_F(SystemSheet, EveryGlyphRectangleHasInkInsideAndAClearRim) {
    for (const SheetRect& rect : GlyphRectangles()) {
        int opaque = 0;
        int rimInk = 0;
        for (int y = rect.y; y < rect.y + rect.height; ++y) {
            for (int x = rect.x; x < rect.x + rect.width; ++x) {
                const bool rim = x == rect.x || y == rect.y || x == rect.x + rect.width - 1 ||
                                 y == rect.y + rect.height - 1;
                if (rim && Alpha(At(sheet, x, y)) != 0) {
                    ++rimInk;
                }
                if (Alpha(At(sheet, x, y)) >= OPAQUE_ENOUGH) {
                    ++opaque;
                }
            }
        }
        EXPECT_GT(opaque, rect.width * rect.height / 10) << rect.what << " is (nearly) empty";
        EXPECT_EQ(rimInk, 0) << rect.what << " touches its edge, so filtering bleeds it";
    }
}

TEST_F(SystemSheet, CurtainTilesCoverTheirCellsCompletelyAndDiffer) {
    long brightness[2] = {0, 0};
    for (int tile = 0; tile < 2; ++tile) {
        const SheetRect& rect = CURTAIN_TILES[tile];
        for (int y = rect.y; y < rect.y + rect.height; ++y) {
            for (int x = rect.x; x < rect.x + rect.width; ++x) {
                ASSERT_EQ(Alpha(At(sheet, x, y)), 0xFFu) << rect.what << " at " << x << "," << y;
                const uint32_t texel = At(sheet, x, y);
                brightness[tile] += ((texel >> 16) & 0xFF) + ((texel >> 8) & 0xFF) + (texel & 0xFF);
            }
        }
    }
    // a checkerboard needs two tones: at least 5 levels apart on average
    EXPECT_GT(std::abs(brightness[0] - brightness[1]), 32L * 32 * 3 * 5);
}

TEST_F(SystemSheet, NothingIsPaintedOutsideTheRectangles) {
    std::vector<SheetRect> all = GlyphRectangles();
    all.insert(all.end(), CURTAIN_TILES.begin(), CURTAIN_TILES.end());
    int stray = 0;
    for (int y = 0; y < 256; ++y) {
        for (int x = 0; x < 256; ++x) {
            bool covered = false;
            for (const SheetRect& rect : all) {
                covered = covered || Inside(rect, x, y);
            }
            if (!covered && Alpha(At(sheet, x, y)) != 0) {
                ++stray;
            }
        }
    }
    EXPECT_EQ(stray, 0);
}

TEST_F(SystemSheet, TheTenDigitsOfEachSizeDiffer) {
    for (const int width : {25, 13}) {
        const int height = width == 25 ? 47 : 23;
        const int top = width == 25 ? 0 : 119;
        for (int a = 0; a < 10; ++a) {
            for (int b = a + 1; b < 10; ++b) {
                int differing = 0;
                for (int y = 0; y < height; ++y) {
                    for (int x = 0; x < width; ++x) {
                        differing +=
                            At(sheet, a * width + x, top + y) != At(sheet, b * width + x, top + y);
                    }
                }
                EXPECT_GT(differing, width * height / 20) << "digits " << a << " and " << b;
            }
        }
    }
}

// The fall letters are cut from the labels at (26, 94), (13, 94) and twice (216, 126); each cut
// must be exactly one label letter, and together they must spell MISS.
TEST_F(SystemSheet, FallLettersCutFromTheLabelsReadMiss) {
    const artgen::ArtFonts fonts(artgen::DEFAULT_FONT_FOLDER);
    ASSERT_TRUE(fonts.IsOpen());
    std::vector<artgen::Image> alphabet;
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        alphabet.push_back(artgen::RenderLabelLetter(fonts, letter));
        ASSERT_EQ(alphabet.back().Width(), 13);
        ASSERT_EQ(alphabet.back().Height(), 25);
    }
    const struct {
        int x, y;
        char expected;
    } cuts[] = {{26, 94, 'M'}, {13, 94, 'I'}, {216, 126, 'S'}, {216, 126, 'S'}};
    for (const auto& cut : cuts) {
        char best = '?';
        long bestDifference = -1;
        for (char letter = 'A'; letter <= 'Z'; ++letter) {
            const long difference = Difference(sheet, cut.x, cut.y, alphabet[letter - 'A']);
            if (bestDifference < 0 || difference < bestDifference) {
                bestDifference = difference;
                best = letter;
            }
        }
        EXPECT_EQ(best, cut.expected) << "cut at " << cut.x << "," << cut.y;
        EXPECT_EQ(bestDifference, 0)
            << "the cut at " << cut.x << "," << cut.y << " is not exactly one letter cell";
    }
}

// The fall letters are drawn tinted yellow (colour x 0xFFFFFF00): only light letters take it.
TEST_F(SystemSheet, FallLettersAreLightEnoughToTakeTheYellowTint) {
    for (const auto& [x, y] : {std::pair{26, 94}, std::pair{13, 94}, std::pair{216, 126}}) {
        int light = 0;
        for (int row = 0; row < 25; ++row) {
            for (int column = 0; column < 13; ++column) {
                const uint32_t texel = At(sheet, x + column, y + row);
                light += Alpha(texel) == 0xFF && ((texel >> 16) & 0xFF) >= 0xD0 &&
                         ((texel >> 8) & 0xFF) >= 0xD0;
            }
        }
        EXPECT_GT(light, 12) << "letter at " << x << "," << y;
    }
}

}  // namespace
