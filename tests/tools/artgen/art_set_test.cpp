// Tests of the generator as a whole: the build's run folder holds its output, and its output
// never varies.
#include "tools/artgen/art_set.h"

#include <gtest/gtest.h>

#include "tests/tools/artgen/art_test_support.h"

namespace {

TEST(ArtSet, TheRunFolderHoldsExactlyWhatTheGeneratorMakes) {
    const artgen::ArtFonts fonts(artgen::DEFAULT_FONT_FOLDER);
    ASSERT_TRUE(fonts.IsOpen());
    int graphics = 0;
    int icons = 0;
    for (const artgen::ArtFile& file : artgen::BuildArtFiles(fonts)) {
        if (file.folder == artgen::ArtFolder::Graphics) {
            EXPECT_EQ(ReadBytes(RunFolderPath("graphics/" + file.name)), file.bytes) << file.name;
            ++graphics;
        } else if (file.folder == artgen::ArtFolder::Icons) {
            EXPECT_EQ(ReadBytes(std::string(GORVANTI_ICON_DIR) + "/" + file.name), file.bytes)
                << file.name;
            ++icons;
        }
    }
    // the game's art: five textures and the title texture, seven meshes; two icons
    EXPECT_EQ(graphics, 13);
    EXPECT_EQ(icons, 2);
}

TEST(ArtSet, TwoRunsGiveTheSameBytes) {
    const artgen::ArtFonts fonts(artgen::DEFAULT_FONT_FOLDER);
    ASSERT_TRUE(fonts.IsOpen());
    const std::vector<artgen::ArtFile> first = artgen::BuildArtFiles(fonts);
    const std::vector<artgen::ArtFile> second = artgen::BuildArtFiles(fonts);
    ASSERT_EQ(first.size(), second.size());
    for (size_t i = 0; i < first.size(); ++i) {
        EXPECT_EQ(first[i].name, second[i].name);
        EXPECT_EQ(first[i].bytes, second[i].bytes) << first[i].name;
    }
}

}  // namespace
