// The asset inspector: what it prints for the shipped art and for files that do not load.
#include "tools/inspect/asset_report.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "tests/support/test_support.h"

namespace {

std::string ArtFile(const std::string& name) {
    return (std::filesystem::path(GORVANTI_RUN_DIR) / "graphics" / name).string();
}

std::string FirstLine(const std::string& text) {
    return text.substr(0, text.find('\n'));
}

}  // namespace

TEST(Inspect, ReportsTheShippedSheetAndTitleTexture) {
    AssetReport sheet = InspectAsset(ArtFile("system.bmp"));
    ASSERT_TRUE(sheet.loaded) << sheet.text;
    EXPECT_EQ(FirstLine(sheet.text), "image: 256x256 format=A8R8G8B8 mips=1");
    EXPECT_EQ(sheet.image.texels.size(), 256u * 256u);

    AssetReport title = InspectAsset(ArtFile("openingtitle.dds"));
    ASSERT_TRUE(title.loaded) << title.text;
    EXPECT_EQ(FirstLine(title.text), "image: 256x256 format=A8R8G8B8 mips=1");
}

TEST(Inspect, ReportsAMeshWithItsBoundsAndMaterials) {
    AssetReport tile = InspectAsset(ArtFile("tile.x"));
    ASSERT_TRUE(tile.loaded) << tile.text;
    // A floor tile fills its 5 x 5 cell with its top at y = 0.
    EXPECT_NE(tile.text.find("bbox=-2.5,"), std::string::npos) << tile.text;
    EXPECT_NE(tile.text.find(",2.5,0,2.5\n"), std::string::npos) << tile.text;
    EXPECT_EQ(tile.text.rfind("mesh: subsets=1 ", 0), 0u) << tile.text;
    EXPECT_NE(tile.text.find("\nmaterial 0: diffuse="), std::string::npos) << tile.text;
}

TEST(Inspect, FilesThatDoNotLoadGiveOneErrorLine) {
    ScratchDirectory directory;
    directory.Write("notes.txt", "hello");
    directory.Write("short.bmp", "BM\x10");
    directory.Write("broken.x", "xof 0303txt 0032\nMesh {");
    for (const char* name : {"missing.bmp", "notes.txt", "short.bmp", "broken.x"}) {
        AssetReport report = InspectAsset(name);
        EXPECT_FALSE(report.loaded) << name;
        EXPECT_EQ(report.text.rfind("error: ", 0), 0u) << name << ": " << report.text;
        EXPECT_EQ(report.text.find('\n'), report.text.size() - 1) << report.text;
    }
}

TEST(Inspect, SurvivesEveryTruncationOfTheShippedArt) {
    ScratchDirectory directory;
    for (const char* name : {"system.bmp", "openingtitle.dds", "ball.x", "title.x"}) {
        std::ifstream source(ArtFile(name), std::ios::binary);
        std::string bytes((std::istreambuf_iterator<char>(source)), {});
        ASSERT_FALSE(bytes.empty()) << name;
        // Cuts at a spread of lengths, the header region densely.
        for (size_t length = 0; length < bytes.size(); length += length < 256 ? 1 : 997) {
            directory.Write("cut", bytes.substr(0, length));
            AssetReport report = InspectAsset("cut");
            EXPECT_FALSE(report.text.empty());
        }
    }
}
