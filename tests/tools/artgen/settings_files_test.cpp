// Tests of the shipped setup.ini and besttime.dat as the game reads them, and of the build step
// that ships them without replacing a player's own.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "app/text_file.h"
#include "platform/win32.h"
#include "tests/tools/artgen/art_test_support.h"
#include "tools/replay/scratch_directory.h"

namespace {

std::vector<std::string> Lines(const std::string& path) {
    std::ifstream in(path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        std::transform(line.begin(), line.end(), line.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        lines.push_back(line);
    }
    return lines;
}

// The reading order of the game: two lines skipped before each code, slots 0, 2, 1, 3, 4.
TEST(SetupIni, ReadsBackAsTheArrowKeysAndAFifthKey) {
    TextFile file;
    const SimpleString path(RunFolderPath("setup.ini").c_str());
    ASSERT_EQ(file.Open(path, TextFile::MODE_READ), 1);
    int keys[5] = {0, 0, 0, 0, 0};
    for (const int slot : {0, 2, 1, 3, 4}) {
        file.SkipLines(2);
        file.ReadHex(keys[slot]);
    }
    file.SkipLines(2);
    EXPECT_FALSE(file.stream->fail()) << "every value where the game looks for it";
    file.Close();
    EXPECT_EQ(keys[0], VK_UP);
    EXPECT_EQ(keys[1], VK_DOWN);
    EXPECT_EQ(keys[2], VK_RIGHT);
    EXPECT_EQ(keys[3], VK_LEFT);
    EXPECT_NE(keys[4], 0);
    EXPECT_EQ(std::count(std::begin(keys), std::end(keys), keys[4]), 1) << "a key of its own";
}

TEST(SetupIni, CommentLinesNameEachKeyAndTheNumberBase) {
    const std::vector<std::string> lines = Lines(RunFolderPath("setup.ini"));
    ASSERT_GE(lines.size(), 11u);
    EXPECT_NE((lines[0] + lines[1]).find("hexadecimal"), std::string::npos);
    EXPECT_NE((lines[0] + lines[1]).find("virtual-key"), std::string::npos);
    // the line before each code names it: up (slot 0), right (2), down (1), left (3)
    EXPECT_NE(lines[1].find("up"), std::string::npos);
    EXPECT_NE(lines[3].find("right"), std::string::npos);
    EXPECT_NE(lines[5].find("down"), std::string::npos);
    EXPECT_NE(lines[7].find("left"), std::string::npos);
    for (const std::string& line : lines) {
        EXPECT_LT(line.size(), 256u) << "the game's line reads stop at 255 characters";
    }
}

TEST(BestTimeFile, HoldsTenTimesOf9999AndNothingElse) {
    TextFile file;
    const SimpleString path(RunFolderPath("besttime.dat").c_str());
    ASSERT_EQ(file.Open(path, TextFile::MODE_READ), 1);
    for (int stage = 1; stage <= 10; ++stage) {
        int time = 0;
        file.ReadHex(time);
        EXPECT_EQ(time, 9999) << "stage " << stage;
    }
    int extra = -1;
    file.ReadHex(extra);
    EXPECT_EQ(extra, -1);
    EXPECT_TRUE(file.stream->fail());
    file.Close();
}

class ShipSettings : public ::testing::Test {
  protected:
    ShipSettings() {
        std::filesystem::create_directories(root / "settings");
        std::filesystem::create_directories(root / "run");
        Write(root / "settings" / "setup.ini", "shipped keys\n");
        Write(root / "settings" / "besttime.dat", "shipped times\n");
    }

    static void Write(const std::filesystem::path& path, const std::string& text) {
        std::ofstream(path, std::ios::binary) << text;
    }
    static std::string Read(const std::filesystem::path& path) {
        std::ifstream in(path, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    int Ship() const {
        const std::string command = std::string("\"") + GORVANTI_CMAKE_COMMAND +
                                    "\" -DSETTINGS_DIR=\"" + (root / "settings").string() +
                                    "\" -DRUN_DIR=\"" + (root / "run").string() + "\" -P \"" +
                                    GORVANTI_SOURCE_DIR + "/tools/artgen/ship_settings.cmake\"";
        return std::system(command.c_str());
    }

    ScratchDirectory scratch{ScratchDirectory::Enter::No};
    const std::filesystem::path& root = scratch.Path();
};

TEST_F(ShipSettings, KeepsAPlayersOwnFilesAndSuppliesMissingOnes) {
    Write(root / "run" / "setup.ini", "my own keys\n");
    ASSERT_EQ(Ship(), 0);
    EXPECT_EQ(Read(root / "run" / "setup.ini"), "my own keys\n");
    EXPECT_EQ(Read(root / "run" / "besttime.dat"), "shipped times\n");

    Write(root / "run" / "besttime.dat", "my records\n");
    ASSERT_EQ(Ship(), 0);
    EXPECT_EQ(Read(root / "run" / "besttime.dat"), "my records\n");
}

}  // namespace
