// The page's key latch: what the game's polls see of presses, repeats, taps and a lost focus.
#include "platform/web/web_key_latch.h"

#include <gtest/gtest.h>

using platform::web::KeyLatch;

namespace {

// Windows virtual-key codes of the shipped setup.ini's keys.
constexpr int VK_UP = 0x26;
constexpr int VK_RIGHT = 0x27;
constexpr int VK_DOWN = 0x28;
constexpr int VK_LEFT = 0x25;
constexpr int VK_SPACE = 0x20;
constexpr int VK_SHIFT = 0x10;

// One round of the game's polls as it makes them: of each tilt axis the second key only when the
// first is up, then the fifth key. Returns the keys seen down.
std::vector<int> PollRound(KeyLatch& keys) {
    std::vector<int> down;
    for (const auto& [first, second] : {std::pair{VK_UP, VK_DOWN}, std::pair{VK_RIGHT, VK_LEFT}}) {
        if (keys.IsDown(first)) {
            down.push_back(first);
        } else if (keys.IsDown(second)) {
            down.push_back(second);
        }
    }
    if (keys.IsDown(VK_SPACE)) {
        down.push_back(VK_SPACE);
    }
    return down;
}

TEST(WebKeyLatch, AHeldKeyIsDownUntilReleasedAndItsRepeatsAreNoNewPresses) {
    KeyLatch keys;
    EXPECT_TRUE(keys.Press("ArrowUp"));
    EXPECT_FALSE(keys.Press("ArrowUp"));
    EXPECT_EQ(PollRound(keys), std::vector<int>{VK_UP});
    EXPECT_EQ(PollRound(keys), std::vector<int>{VK_UP});
    EXPECT_TRUE(keys.Release("ArrowUp"));
    EXPECT_FALSE(keys.Release("ArrowUp"));
    // Seen while held: the release leaves no tap behind.
    EXPECT_TRUE(PollRound(keys).empty());
}

TEST(WebKeyLatch, ATapBetweenTwoPollsCountsForOnePollOnly) {
    KeyLatch keys;
    keys.Press("Space");
    keys.Release("Space");
    EXPECT_EQ(PollRound(keys), std::vector<int>{VK_SPACE});
    EXPECT_TRUE(PollRound(keys).empty());
}

// Down is polled only while up is not held: a tap of down then is gone after that round, and a
// tap of a key the game never polls cannot act later.
TEST(WebKeyLatch, ATapOfAKeyTheNextRoundDoesNotPollIsForgotten) {
    KeyLatch keys;
    keys.Press("ArrowUp");
    keys.Press("ArrowDown");
    keys.Release("ArrowDown");
    keys.Press("KeyQ");
    keys.Release("KeyQ");
    EXPECT_EQ(PollRound(keys), std::vector<int>{VK_UP});
    keys.Release("ArrowUp");
    // Now down is polled, but its tap belonged to the round before.
    EXPECT_TRUE(PollRound(keys).empty());
    EXPECT_FALSE(keys.IsDown('Q'));
}

TEST(WebKeyLatch, LosingTheFocusReleasesHeldKeysAndForgetsTaps) {
    KeyLatch keys;
    keys.Press("ArrowLeft");
    keys.Press("Space");
    keys.Release("Space");
    keys.ReleaseAll();
    EXPECT_TRUE(PollRound(keys).empty());
    // The release the canvas gets later, if any, finds nothing down.
    EXPECT_FALSE(keys.Release("ArrowLeft"));
}

TEST(WebKeyLatch, EitherShiftKeyCountsAsShift) {
    KeyLatch keys;
    keys.Press("ShiftRight");
    EXPECT_TRUE(keys.IsDown(VK_SHIFT));
    keys.Release("ShiftRight");
    EXPECT_FALSE(keys.IsDown(VK_SHIFT));
}

}  // namespace
