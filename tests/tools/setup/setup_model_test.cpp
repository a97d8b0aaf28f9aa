// The set-up window's logic: moving between slots, taking a new key, refusing, saving, leaving.
#include "tools/setup/setup_model.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/win32.h"
#include "tests/support/run_folder.h"
#include "tests/tools/setup/game_keys.h"

namespace {

using setup::KeyCodes;
using setup::SetupModel;
using Outcome = SetupModel::Outcome;

constexpr KeyCodes SHIPPED = {0x26, 0x28, 0x27, 0x25, 0x20};
// The rows from the top: up, down, left, right, fifth; then Save and Quit.
constexpr int LEFT_ROW = 2;
constexpr int FIFTH_ROW = 4;

class SetupModelTest : public ::testing::Test {
  protected:
    ScratchDirectory directory;

    SetupModel Open(const std::string& content) {
        directory.Write("setup.ini", content);
        return SetupModel("./setup.ini", setup::ReadKeyFile("./setup.ini"));
    }

    static void Press(SetupModel& model, std::initializer_list<int> keys) {
        for (int key : keys) {
            EXPECT_EQ(model.PressKey(key), Outcome::Stay) << key;
        }
    }
};

}  // namespace

TEST_F(SetupModelTest, ReturnThenAKeyChangesTheSelectedSlotAndSSavesIt) {
    SetupModel model = Open(ARROW_KEYS_SETUP);
    // Down twice reaches the left row; while a slot waits for its key, S is just a key.
    Press(model, {VK_DOWN, VK_DOWN, VK_RETURN});
    EXPECT_TRUE(model.Capturing());
    Press(model, {'S'});
    EXPECT_FALSE(model.Capturing());
    EXPECT_EQ(model.Codes(), (KeyCodes{0x26, 0x28, 0x27, 'S', 0x20}));
    EXPECT_TRUE(model.Unsaved());
    EXPECT_EQ(directory.Read("setup.ini"), ARROW_KEYS_SETUP);

    Press(model, {'S'});
    EXPECT_FALSE(model.Unsaved());
    EXPECT_EQ(model.Message(), "Saved to ./setup.ini.");
    EXPECT_EQ(GameReadsSetup(), (KeyCodes{0x26, 0x28, 0x27, 'S', 0x20}));
}

TEST_F(SetupModelTest, TheFocusWrapsThroughTheRowsSaveAndQuit) {
    SetupModel model = Open(ARROW_KEYS_SETUP);
    Press(model, {VK_UP});
    EXPECT_EQ(model.Focused(), setup::QUIT_ITEM);
    Press(model, {VK_TAB});
    EXPECT_EQ(model.Focused(), 0);
    Press(model, {VK_UP, VK_UP, VK_RETURN});
    EXPECT_FALSE(model.Capturing());
    EXPECT_EQ(model.Message(), "Saved to ./setup.ini.");
}

TEST_F(SetupModelTest, ARefusedKeyKeepsTheSlotWaitingAndEscapeKeepsTheOldKey) {
    SetupModel model = Open(ARROW_KEYS_SETUP);
    Press(model, {VK_RETURN, VK_DOWN});
    EXPECT_TRUE(model.Capturing());
    EXPECT_TRUE(model.MessageIsProblem());
    EXPECT_EQ(model.Message(),
              "Down is already the key for roll down. Press another key, or Escape to keep Up.");
    Press(model, {0});
    EXPECT_TRUE(model.Capturing());
    // Escape cancels the change instead of becoming the key or leaving.
    Press(model, {VK_ESCAPE});
    EXPECT_FALSE(model.Capturing());
    EXPECT_EQ(model.Codes(), SHIPPED);
    EXPECT_EQ(model.PressKey(VK_ESCAPE), Outcome::Leave);
}

TEST_F(SetupModelTest, LeavingWithUnsavedChangesAsksOnceAndKeepsTheFile) {
    SetupModel model = Open(ARROW_KEYS_SETUP);
    model.Activate(FIFTH_ROW);
    Press(model, {VK_RETURN, VK_ESCAPE});
    EXPECT_TRUE(model.MessageIsProblem());
    // Any other action in between asks again.
    Press(model, {VK_TAB, VK_ESCAPE});
    EXPECT_EQ(model.Activate(setup::QUIT_ITEM), Outcome::Leave);
    EXPECT_EQ(directory.Read("setup.ini"), ARROW_KEYS_SETUP);
}

TEST_F(SetupModelTest, AFileTheGameCannotReadIsKeptUntilFiveKeysAreSaved) {
    const std::string broken = "a\nb\n26\nx\nzz\nx\n28\nx\n25\nx\n20\n";
    SetupModel model = Open(broken);
    EXPECT_TRUE(model.MessageIsProblem());
    EXPECT_NE(model.Message().find("on line 5, is not a hexadecimal number"), std::string::npos);
    EXPECT_EQ(model.Codes(), (KeyCodes{0x26, 0, 0, 0, 0}));
    Press(model, {'S'});
    EXPECT_EQ(model.Message(), "Not saved. No key for roll down yet.");
    EXPECT_EQ(directory.Read("setup.ini"), broken);

    for (int row : {1, 2, 3, 4}) {
        model.Activate(row);
        Press(model, {"SADE"[row - 1]});
    }
    Press(model, {'S'});
    EXPECT_EQ(GameReadsSetup(), (KeyCodes{0x26, 'S', 'D', 'A', 'E'}));
}

TEST_F(SetupModelTest, AReadableFileWithAKeyTheGameCannotUseSaysSoAtOnce) {
    SetupModel model = Open("a\nb\n26\nx\n27\nx\n28\nx\n1b\nx\n20\n");
    EXPECT_TRUE(model.MessageIsProblem());
    EXPECT_EQ(model.Message(),
              "./setup.ini: The key for roll left: Escape is the game's own key: it asks whether "
              "to quit.");
}

TEST_F(SetupModelTest, AFailedSaveSaysSoAndKeepsTheOldFile) {
    SetupModel model = Open(ARROW_KEYS_SETUP);
    std::filesystem::permissions(directory.Path() / "setup.ini",
                                 std::filesystem::perms::owner_read);
    model.Activate(LEFT_ROW);
    Press(model, {'A', 'S'});
    EXPECT_TRUE(model.MessageIsProblem());
    EXPECT_EQ(model.Message().rfind("Not saved: ./setup.ini: ", 0), 0u);
    EXPECT_TRUE(model.Unsaved());
    EXPECT_EQ(directory.Read("setup.ini"), ARROW_KEYS_SETUP);
}
