// The key configuration read from ./setup.ini.
#include <gtest/gtest.h>

#include "app/game_app.h"
#include "tests/support/box_recorder.h"
#include "tests/support/run_folder.h"

namespace {

class KeyConfigTest : public ::testing::Test {
  protected:
    ScratchDirectory directory;
    BoxRecorder boxes;
    GameApp app;

    // Loads ./setup.ini with the given content; the five codes in slot order.
    std::vector<int> Load(const std::string& content) {
        directory.Write("setup.ini", content);
        app.keyState = KeyState{};
        EXPECT_EQ(app.LoadKeyConfig(), 1);
        EXPECT_EQ(app.closed, 1);
        const int* keys = app.keyState.keys;
        return {keys[0], keys[1], keys[2], keys[3], keys[4]};
    }
};

using Codes = std::vector<int>;

}  // namespace

TEST_F(KeyConfigTest, ReadsTheFiveCodesFromTheirLines) {
    // Lines 3, 5, 7, 9, 11 hold slots 0, 2, 1, 3, 4.
    EXPECT_EQ(Load(ARROW_KEYS_SETUP), (Codes{0x26, 0x28, 0x27, 0x25, 0x20}));
}

TEST_F(KeyConfigTest, DecimalLookingValuesAreHexadecimalAndCommentsAfterValuesAreIgnored) {
    EXPECT_EQ(Load("a\nb\n37 the seven key\nc\n0x41\nd\n25\ne\n-1\nf\n5a\n"),
              (Codes{0x37, 0x25, 0x41, -1, 0x5A}));
}

TEST_F(KeyConfigTest, TheFirstTwoLinesAreAlwaysDiscarded) {
    // A value on line 1 is lost: the first value read is the first number after line 2.
    EXPECT_EQ(Load("26\n27\n28\nx\n25\nx\n20\nx\n10\nx\n11\n"),
              (Codes{0x28, 0x20, 0x25, 0x10, 0x11}));
}

TEST_F(KeyConfigTest, ABlankLineBeforeAValueShiftsTheLaterValues) {
    // White space before a number is skipped, so the value after the blank line is still read...
    EXPECT_EQ(Load("x\ny\n\n26\nx\n27\nx\n28\nx\n25\nx\n20\n"),
              (Codes{0x26, 0x28, 0x27, 0x25, 0x20}));
    // ...but the next value must then sit one line further down than usual.
    EXPECT_EQ(Load("x\ny\n\n26\n27\nx\n28\nx\n25\nx\n20\n"), (Codes{0x26, 0, 0, 0, 0}));
}

TEST_F(KeyConfigTest, ABadValueLeavesZeroInItsSlotAndEveryLaterSlot) {
    EXPECT_EQ(Load("a\nb\n26\nx\nzz\nx\n28\nx\n25\nx\n20\n"), (Codes{0x26, 0, 0, 0, 0}));
}

TEST_F(KeyConfigTest, AShortFileLeavesTheMissingSlotsAtZero) {
    EXPECT_EQ(Load("a\nb\n26\nx\n27\n"), (Codes{0x26, 0, 0x27, 0, 0}));
}

TEST_F(KeyConfigTest, AnOverLongIgnoredLineStopsTheReading) {
    EXPECT_EQ(Load("a\nb\n26\n" + std::string(300, '-') + "\n27\nx\n28\n"),
              (Codes{0x26, 0, 0, 0, 0}));
}

TEST_F(KeyConfigTest, AMissingFileShowsTheBoxAndFails) {
    EXPECT_EQ(app.LoadKeyConfig(), 0);
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].caption, "FileOpenError");
}
