// Which keys gorvanti-setup lets into which slot, and why it refuses the others.
#include "tools/setup/key_rules.h"

#include <gtest/gtest.h>

#include "platform/win32.h"

namespace {

using setup::KeyCodes;
using setup::RefusalOf;
using setup::SetRefusal;

// Slots 0 to 4: up, down, right, left, fifth.
constexpr KeyCodes SHIPPED = {VK_UP, VK_DOWN, VK_RIGHT, VK_LEFT, VK_SPACE};
// A code in the virtual-key range that no key of the keyboard sends.
constexpr int UNASSIGNED_CODE = 0x07;

}  // namespace

TEST(SetupKeyRules, RefusesKeysTheGameCannotUseWithTheReason) {
    EXPECT_EQ(RefusalOf(VK_ESCAPE, 0, SHIPPED),
              "Escape is the game's own key: it asks whether to quit.");
    EXPECT_EQ(RefusalOf(0, 0, SHIPPED),
              "That key has no Windows virtual-key code, so the game cannot see it.");
    EXPECT_EQ(RefusalOf(UNASSIGNED_CODE, 0, SHIPPED), "Code 7 names no key the game can read.");
    EXPECT_EQ(RefusalOf(VK_DOWN, 0, SHIPPED), "Down is already the key for roll down.");
    // The generic Shift polls both shift keys, so it is the same key as Left Shift.
    KeyCodes withLeftShift = SHIPPED;
    withLeftShift[4] = VK_LSHIFT;
    EXPECT_EQ(RefusalOf(VK_SHIFT, 0, withLeftShift), "Shift is already the key for fifth key.");
    // A slot may keep its own key, and keys the tool itself uses are fine for the game.
    for (int code : {VK_UP, VK_RETURN, VK_TAB, int{'S'}}) {
        EXPECT_EQ(RefusalOf(code, 0, SHIPPED), "") << code;
    }
}

TEST(SetupKeyRules, ASetIsWrittenOnlyWithFiveUsableKeysAllDifferent) {
    EXPECT_EQ(SetRefusal(SHIPPED), "");
    KeyCodes codes = SHIPPED;
    codes[3] = 0;
    EXPECT_EQ(SetRefusal(codes), "No key for roll left yet.");
    codes[3] = VK_UP;
    EXPECT_EQ(SetRefusal(codes), "The key for roll up: Up is already the key for roll left.");
    codes[3] = -1;
    EXPECT_EQ(SetRefusal(codes),
              "The key for roll left: Code ffffffff names no key the game can read.");
}
