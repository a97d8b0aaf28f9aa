// gorvanti-setup's reading and writing of setup.ini, judged by the game's own key reader.
#include "tools/setup/key_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <vector>

#include "tests/support/run_folder.h"
#include "tests/tools/setup/game_keys.h"

namespace {

using setup::KeyCodes;

// The shipped keys with a comment after every code, as a player might annotate them.
const char* const COMMENTED_SETUP =
    "; keys\n"
    "; up:\n"
    "26 up arrow\n"
    "; right:\n"
    "27\tright arrow\n"
    "; down:\n"
    "0x28 ; down arrow\n"
    "; left:\n"
    "25\n"
    "; fifth:\n"
    "20 space\n"
    "; end\n";

// Slots 0 to 4: up, down, right, left, fifth.
constexpr KeyCodes WASD_KEYS = {'W', 'S', 'D', 'A', 'E'};

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

class SetupFileTest : public ::testing::Test {
  protected:
    ScratchDirectory directory;

    // Writes `codes` over ./setup.ini holding `content` as the tool does; the new text.
    std::string Save(const std::string& content, const KeyCodes& codes) {
        directory.Write("setup.ini", content);
        setup::KeyFile file = setup::ReadKeyFile("./setup.ini");
        EXPECT_EQ(setup::WriteKeyFile("./setup.ini", setup::ComposeKeyFile(file, codes)), "");
        return directory.Read("setup.ini");
    }
};

}  // namespace

TEST_F(SetupFileTest, ReadsEveryFileAsTheGameDoes) {
    const std::string texts[] = {
        ARROW_KEYS_SETUP,
        COMMENTED_SETUP,
        "a\r\nb\r\n26\r\nc\r\n27\r\nd\r\n28\r\ne\r\n25\r\nf\r\n20\r\n",
        "x\ny\n\n26\nx\n27\nx\n28\nx\n25\nx\n20\n",  // a blank line shifts the later codes
        "26\n27\n28\nx\n25\nx\n20\nx\n10\nx\n11\n",  // a code on line 1 is never read
        "a\nb\n37\nc\n-1\nd\n+41\ne\n0X5a\nf\n20",   // no line end after the last code
        "a\nb\n26\nx\n27\n",
        "a\nb\n26\nx\nzz\nx\n28\nx\n25\nx\n20\n",
        "a\nb\n26\n" + std::string(300, '-') + "\n27\nx\n28\nx\n25\nx\n20\n",
        "",
    };
    for (const std::string& text : texts) {
        directory.Write("setup.ini", text);
        EXPECT_EQ(setup::ParseKeyFile(text).codes, GameReadsSetup()) << text;
    }
}

TEST_F(SetupFileTest, EachSlotChangesOnItsOwnLineAndKeepsTheCommentThere) {
    // Slots 0, 2, 1, 3, 4 are read from lines 3, 5, 7, 9, 11.
    struct Case {
        int slot;
        int line;
        const char* newLine;
    };
    const Case cases[] = {{0, 3, "57 up arrow"},
                          {2, 5, "44\tright arrow"},
                          {1, 7, "53 ; down arrow"},
                          {3, 9, "41"},
                          {4, 11, "45 space"}};
    const KeyCodes shipped = {0x26, 0x28, 0x27, 0x25, 0x20};
    for (const Case& change : cases) {
        KeyCodes codes = shipped;
        codes[change.slot] = WASD_KEYS[change.slot];
        std::vector<std::string> expected = Lines(COMMENTED_SETUP);
        expected[change.line - 1] = change.newLine;
        EXPECT_EQ(Lines(Save(COMMENTED_SETUP, codes)), expected);
        EXPECT_EQ(GameReadsSetup(), codes);
    }
}

TEST_F(SetupFileTest, OddButReadableLayoutsKeepTheirShape) {
    // The blank line and the carriage returns stay; the game still finds each code.
    const std::string shifted = "x\r\ny\r\n\r\n26\r\nx\r\n27\r\nx\r\n28\r\nx\r\n25\r\nx\r\n0x20";
    EXPECT_EQ(Save(shifted, WASD_KEYS),
              "x\r\ny\r\n\r\n57\r\nx\r\n44\r\nx\r\n53\r\nx\r\n41\r\nx\r\n45");
    EXPECT_EQ(GameReadsSetup(), WASD_KEYS);
}

TEST_F(SetupFileTest, SavingFiveKeysWhoseCodesChangeLengthKeepsEveryLaterCodeInPlace) {
    // Each "0x.." of four characters becomes two digits: a code replaced before a later one would
    // move the later one out from under its recorded place.
    const std::string prefixed = "a\nb\n0x26 up\nx\n0x27\nx\n0x28\nx\n0x25\nx\n0x20\n";
    EXPECT_EQ(Save(prefixed, WASD_KEYS), "a\nb\n57 up\nx\n44\nx\n53\nx\n41\nx\n45\n");
    EXPECT_EQ(GameReadsSetup(), WASD_KEYS);
    // And the other way: single digits growing to two.
    const KeyCodes digits = {0x31, 0x32, 0x33, 0x34, 0x35};
    EXPECT_EQ(Save("a\nb\n1\nx\n3\nx\n2\nx\n4\nx\n5\n", digits),
              "a\nb\n31\nx\n33\nx\n32\nx\n34\nx\n35\n");
    EXPECT_EQ(GameReadsSetup(), digits);
}

TEST_F(SetupFileTest, AFileTheGameCannotFullyReadIsWrittenAnew) {
    for (const std::string content : {"", "a\nb\n26\nx\n27\n", "a\nb\n26\nx\nzz\nx\n28\n"}) {
        Save(content, WASD_KEYS);
        EXPECT_EQ(GameReadsSetup(), WASD_KEYS) << content;
    }
    std::filesystem::remove(directory.Path() / "setup.ini");
    setup::KeyFile missing = setup::ReadKeyFile("./setup.ini");
    ASSERT_EQ(setup::WriteKeyFile("./setup.ini", setup::ComposeKeyFile(missing, WASD_KEYS)), "");
    EXPECT_EQ(GameReadsSetup(), WASD_KEYS);
}

TEST_F(SetupFileTest, SaysWhyAFileGivesTheGameNoFiveCodes) {
    struct Case {
        std::string content;
        std::string problem;
        KeyCodes codes;  // what is read before the problem, as the game reads it
    };
    const Case cases[] = {
        {"", "The file ends before the 1st key code (roll up).", {}},
        {"a\nb\n26\nx\n27\n",
         "The file ends before the 3rd key code (roll down).",
         {0x26, 0, 0x27, 0, 0}},
        {"a\nb\n26\nx\n27\nx\n28\n\n\n \n",
         "The file ends before the 4th key code (roll left).",
         {0x26, 0x28, 0x27, 0, 0}},
        {"a\nb\n26\nx\nzz\nx\n28\n",
         "The 2nd key code (roll right), on line 5, is not a hexadecimal number the game can "
         "read: \"zz\".",
         {0x26, 0, 0, 0, 0}},
        {"a\nb\n26\nx\n27\nx\n28\nx\n25\nx\n80000000\n",
         "The 5th key code (fifth key), on line 11, is not a hexadecimal number the game can "
         "read: \"80000000\".",
         {0x26, 0x28, 0x27, 0x25, 0}},
        {"a\nb\n26\n" + std::string(300, '-') + "\n27\n",
         "Line 4 is longer than 255 characters; the game reads no key code after it.",
         {0x26, 0, 0, 0, 0}},
    };
    for (const Case& bad : cases) {
        setup::KeyFile file = setup::ParseKeyFile(bad.content);
        EXPECT_FALSE(file.Complete());
        EXPECT_EQ(file.problem, bad.problem);
        EXPECT_EQ(file.codes, bad.codes);
    }
    EXPECT_EQ(setup::ReadKeyFile("./setup.ini").problem, "The file does not exist.");
    std::filesystem::create_directory(directory.Path() / "setup.ini");
    EXPECT_EQ(setup::ReadKeyFile("./setup.ini").problem,
              "It is not a plain file, so the game cannot read it.");
}

TEST_F(SetupFileTest, AFailedWriteKeepsTheOldFile) {
    namespace fs = std::filesystem;
    directory.Write("setup.ini", ARROW_KEYS_SETUP);
    fs::permissions(directory.Path() / "setup.ini", fs::perms::owner_read);
    setup::KeyFile file = setup::ReadKeyFile("./setup.ini");
    EXPECT_NE(setup::WriteKeyFile("./setup.ini", setup::ComposeKeyFile(file, WASD_KEYS)), "");
    EXPECT_EQ(directory.Read("setup.ini"), ARROW_KEYS_SETUP);
    EXPECT_FALSE(directory.Exists("setup.ini.tmp"));

    fs::create_directory(directory.Path() / "folder.ini");
    EXPECT_NE(setup::WriteKeyFile("./folder.ini", setup::ComposeKeyFile(file, WASD_KEYS)), "");
    EXPECT_TRUE(fs::is_directory(directory.Path() / "folder.ini"));
}
