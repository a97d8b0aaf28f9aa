// Tests of the icon encoder and of the two icons, read back with the platform's icon decoder.
#include "tools/artgen/icon_writer.h"

#include <gtest/gtest.h>

#include "platform/win32/ico_decoder.h"
#include "tests/tools/artgen/art_test_support.h"

namespace {

const artgen::IconPalette PALETTE{0x000000, 0xFFFFFF, 0xFF0000, 0x00FF00, 0x0000FF, 0x808080,
                                  0x800000, 0x008000, 0x000080, 0x808000, 0x800080, 0x008080,
                                  0xC0C0C0, 0xFFFF00, 0xFF00FF, 0x00FFFF};

TEST(IconWriter, MapsColoursToTheNearestPaletteEntryAndMasksTransparency) {
    artgen::Image image(32, 32);
    image.Set(0, 0, 0xFFF01010);   // nearly red
    image.Set(31, 0, 0xFF10F010);  // nearly green, top right
    image.Set(0, 31, 0xFF7F7F81);  // nearly grey, bottom left
    image.Set(5, 5, 0x7FFFFFFF);   // less than half opaque: transparent
    const artgen::Bytes bytes = artgen::EncodeIcon16(image, PALETTE);
    platform::IconImage decoded;
    ASSERT_TRUE(platform::DecodeIcon(bytes.data(), bytes.size(), decoded));
    ASSERT_EQ(decoded.width, 32);
    ASSERT_EQ(decoded.height, 32);
    auto at = [&decoded](int x, int y) { return decoded.argb[static_cast<size_t>(y) * 32 + x]; };
    EXPECT_EQ(at(0, 0), 0xFFFF0000u);
    EXPECT_EQ(at(31, 0), 0xFF00FF00u);
    EXPECT_EQ(at(0, 31), 0xFF808080u);
    EXPECT_EQ(Alpha(at(5, 5)), 0u);
    EXPECT_EQ(Alpha(at(10, 10)), 0u);
}

TEST(Icons, BothAre32By32In16ColoursWithAPicture) {
    for (const char* name : {"gorvanti.ico", "gorvanti_small.ico"}) {
        const std::vector<uint8_t> bytes = ReadBytes(std::string(GORVANTI_ICON_DIR) + "/" + name);
        ASSERT_GT(bytes.size(), 22u) << name;
        EXPECT_EQ(bytes[6], 32) << name;
        EXPECT_EQ(bytes[7], 32) << name;
        EXPECT_EQ(bytes[8], 16) << name << ": colours";
        platform::IconImage decoded;
        ASSERT_TRUE(platform::DecodeIcon(bytes.data(), bytes.size(), decoded)) << name;
        int opaque = 0;
        for (uint32_t pixel : decoded.argb) {
            opaque += Alpha(pixel) == 0xFF;
        }
        EXPECT_GT(opaque, 32 * 32 / 4) << name;
        EXPECT_LT(opaque, 32 * 32) << name << ": no transparent surround";
    }
}

}  // namespace
