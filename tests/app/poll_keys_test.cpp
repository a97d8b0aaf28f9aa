// The sampling of the five keys between two ticks, on the headless keyboard.
#include <gtest/gtest.h>

#include "app/key_bits.h"
#include "app/keys.h"
#include "tests/support/test_support.h"

namespace {

class PollKeysTest : public ::testing::Test {
  protected:
    platform::headless::Session session;
    KeyState keyState{{VK_UP, VK_DOWN, VK_RIGHT, VK_LEFT, VK_SPACE}, 0};

    void Sample(std::initializer_list<int> held) {
        session.keyboard.held = held;
        PollKeys(keyState);
    }
};

}  // namespace

TEST_F(PollKeysTest, WithinOneSampleTheLowerSlotOfAPairWins) {
    Sample({VK_UP, VK_DOWN, VK_RIGHT, VK_LEFT});
    EXPECT_EQ(keyState.bits, KEY_BIT_UP | KEY_BIT_RIGHT);
}

TEST_F(PollKeysTest, SamplesAccumulateUntilTheBitsAreCleared) {
    Sample({VK_UP});
    Sample({});
    Sample({VK_DOWN, VK_LEFT});
    EXPECT_EQ(keyState.bits, KEY_BIT_UP | KEY_BIT_DOWN | KEY_BIT_LEFT);
}

TEST_F(PollKeysTest, TheFifthKeyCombinesWithAnyOther) {
    Sample({VK_SPACE, VK_RIGHT});
    EXPECT_EQ(keyState.bits, KEY_BIT_FIFTH | KEY_BIT_RIGHT);
}

TEST_F(PollKeysTest, ASlotWithoutACodeNeverSetsItsBit) {
    keyState.keys[0] = 0;
    Sample({0, VK_DOWN});
    EXPECT_EQ(keyState.bits, KEY_BIT_DOWN);
}
