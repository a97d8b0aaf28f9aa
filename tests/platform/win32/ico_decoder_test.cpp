// Decoding .ico files: the 16-colour icons of the game, 32-bit icons, and broken files.
#include "platform/win32/ico_decoder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

constexpr int SIDE = 32;
constexpr uint32_t RED = 0xFFFF0000;
constexpr uint32_t GREEN = 0xFF00FF00;

void Put16(std::vector<uint8_t>& bytes, uint32_t value) {
    bytes.push_back(value & 0xFF);
    bytes.push_back((value >> 8) & 0xFF);
}
void Put32(std::vector<uint8_t>& bytes, uint32_t value) {
    Put16(bytes, value & 0xFFFF);
    Put16(bytes, value >> 16);
}

// One-image .ico: directory, entry, BITMAPINFOHEADER (height doubled for the mask), palette,
// colour rows and mask rows. Rows are handed over top first and stored bottom first, as the
// format wants.
std::vector<uint8_t> MakeIcon(int side, int bitsPerPixel, const std::vector<uint32_t>& palette,
                              const std::vector<std::vector<uint8_t>>& colourRowsTopFirst,
                              const std::vector<std::vector<uint8_t>>& maskRowsTopFirst) {
    std::vector<uint8_t> image;
    Put32(image, 40);
    Put32(image, side);
    Put32(image, side * 2);
    Put16(image, 1);
    Put16(image, bitsPerPixel);
    for (int field = 0; field < 6; ++field) {
        Put32(image, 0);  // compression, image size, resolution, colours used and important
    }
    for (uint32_t colour : palette) {
        Put32(image, colour);  // stored as blue, green, red, unused
    }
    for (auto row = colourRowsTopFirst.rbegin(); row != colourRowsTopFirst.rend(); ++row) {
        image.insert(image.end(), row->begin(), row->end());
    }
    for (auto row = maskRowsTopFirst.rbegin(); row != maskRowsTopFirst.rend(); ++row) {
        image.insert(image.end(), row->begin(), row->end());
    }
    std::vector<uint8_t> file;
    Put16(file, 0);
    Put16(file, 1);
    Put16(file, 1);
    file.push_back(static_cast<uint8_t>(side));
    file.push_back(static_cast<uint8_t>(side));
    file.push_back(bitsPerPixel == 4 ? 16 : 0);
    file.push_back(0);
    Put16(file, 1);
    Put16(file, bitsPerPixel);
    Put32(file, static_cast<uint32_t>(image.size()));
    Put32(file, 6 + 16);
    file.insert(file.end(), image.begin(), image.end());
    return file;
}

// The game's kind of icon: 16 colours. The top row is palette entry 1 (red), every other row
// entry 2 (green); the mask makes the left half of the bottom row transparent.
std::vector<uint8_t> SixteenColourIcon() {
    std::vector<uint32_t> palette(16, 0);
    palette[1] = 0x00FF0000;
    palette[2] = 0x0000FF00;
    // Two pixels a byte, the left one in the high half; 32 pixels fill 16 bytes, a whole word.
    std::vector<std::vector<uint8_t>> colours(SIDE, std::vector<uint8_t>(SIDE / 2, 0x22));
    colours[0].assign(SIDE / 2, 0x11);
    // One bit a pixel, 1 meaning transparent; 32 pixels fill 4 bytes.
    std::vector<std::vector<uint8_t>> mask(SIDE, std::vector<uint8_t>(SIDE / 8, 0x00));
    mask[SIDE - 1] = {0xFF, 0xFF, 0x00, 0x00};
    return MakeIcon(SIDE, 4, palette, colours, mask);
}

}  // namespace

TEST(IcoDecoder, SixteenColourIconComesOutTopRowFirstWithItsMask) {
    std::vector<uint8_t> file = SixteenColourIcon();
    platform::IconImage image;
    ASSERT_TRUE(platform::DecodeIcon(file.data(), file.size(), image));
    ASSERT_EQ(image.width, SIDE);
    ASSERT_EQ(image.height, SIDE);
    auto at = [&](int x, int y) { return image.argb[y * SIDE + x]; };
    EXPECT_EQ(at(0, 0), RED);
    EXPECT_EQ(at(SIDE - 1, 0), RED);
    EXPECT_EQ(at(5, 1), GREEN);
    EXPECT_EQ(at(0, SIDE - 1) >> 24, 0u);
    EXPECT_EQ(at(SIDE / 2 - 1, SIDE - 1) >> 24, 0u);
    EXPECT_EQ(at(SIDE / 2, SIDE - 1), GREEN);
}

TEST(IcoDecoder, ThirtyTwoBitIconKeepsItsAlpha) {
    // 2 by 2, blue, green, red, alpha a pixel; the mask (all opaque) is ignored for alpha.
    std::vector<std::vector<uint8_t>> colours = {
        {0x00, 0x00, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x00},
        {0xFF, 0x00, 0x00, 0x80, 0x00, 0xFF, 0x00, 0xFF},
    };
    std::vector<std::vector<uint8_t>> mask(2, std::vector<uint8_t>(4, 0x00));
    std::vector<uint8_t> file = MakeIcon(2, 32, {}, colours, mask);
    platform::IconImage image;
    ASSERT_TRUE(platform::DecodeIcon(file.data(), file.size(), image));
    ASSERT_EQ(image.argb.size(), 4u);
    EXPECT_EQ(image.argb[0], 0xFFFF0000u);
    EXPECT_EQ(image.argb[1] >> 24, 0u);
    EXPECT_EQ(image.argb[2], 0x800000FFu);
    EXPECT_EQ(image.argb[3], GREEN);
}

TEST(IcoDecoder, BrokenFilesAreRefused) {
    std::vector<uint8_t> file = SixteenColourIcon();
    platform::IconImage image;
    // Cut inside the mask, inside the directory, and a file that is not an icon.
    EXPECT_FALSE(platform::DecodeIcon(file.data(), file.size() - 10, image));
    EXPECT_FALSE(platform::DecodeIcon(file.data(), 10, image));
    std::vector<uint8_t> cursor = file;
    cursor[2] = 2;
    EXPECT_FALSE(platform::DecodeIcon(cursor.data(), cursor.size(), image));
    std::vector<uint8_t> farOffset = file;
    farOffset[6 + 12 + 3] = 0x7F;  // the image offset points far beyond the end
    EXPECT_FALSE(platform::DecodeIcon(farOffset.data(), farOffset.size(), image));
    EXPECT_FALSE(platform::DecodeIcon(nullptr, 0, image));
}
