// The page's key latch: what the game's polls see of presses, repeats, taps and a lost focus, from
// the keyboard and from the page's controls alike.
#include "platform/web/web_key_latch.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using platform::web::KeyLatch;
using platform::web::PageKey;
using platform::web::VirtualKeyOf;

namespace {

// Windows virtual-key codes of the shipped setup.ini's keys, and Escape, which the game hears as
// a message and never polls.
constexpr int VK_UP = 0x26;
constexpr int VK_RIGHT = 0x27;
constexpr int VK_DOWN = 0x28;
constexpr int VK_LEFT = 0x25;
constexpr int VK_SPACE = 0x20;
constexpr int VK_ESCAPE = 0x1B;
constexpr int VK_SHIFT = 0x10;

// The same keys held two ways: by the keyboard, and by the page's controls (pad, Start, Esc).
struct KeysOfOneKind {
    const char* kind;
    PageKey up, right, down, space, escape;
};

const KeysOfOneKind KEYBOARD{"Keyboard", "ArrowUp", "ArrowRight", "ArrowDown", "Space", "Escape"};
const KeysOfOneKind CONTROLS{"Controls", VK_UP, VK_RIGHT, VK_DOWN, VK_SPACE, VK_ESCAPE};

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

class EveryKindOfKey : public testing::TestWithParam<KeysOfOneKind> {
  protected:
    KeyLatch keys;
    const KeysOfOneKind& key = GetParam();
};

TEST_P(EveryKindOfKey, AHeldKeyIsDownUntilReleasedAndItsRepeatsAreNoNewPresses) {
    EXPECT_TRUE(keys.Press(key.up));
    EXPECT_FALSE(keys.Press(key.up));
    EXPECT_EQ(PollRound(keys), std::vector<int>{VK_UP});
    EXPECT_EQ(PollRound(keys), std::vector<int>{VK_UP});
    EXPECT_TRUE(keys.Release(key.up));
    EXPECT_FALSE(keys.Release(key.up));
    // Seen while held: the release leaves no tap behind.
    EXPECT_TRUE(PollRound(keys).empty());
}

// A tap on Start shorter than a slow frame still starts the game, once.
TEST_P(EveryKindOfKey, ATapBetweenTwoPollsCountsForOnePollOnly) {
    keys.Press(key.space);
    keys.Release(key.space);
    EXPECT_EQ(PollRound(keys), std::vector<int>{VK_SPACE});
    EXPECT_TRUE(PollRound(keys).empty());

    keys.Press(key.space);
    keys.Release(key.space);
    keys.Press(key.space);
    EXPECT_EQ(PollRound(keys), std::vector<int>{VK_SPACE});
    keys.Release(key.space);
    EXPECT_TRUE(PollRound(keys).empty()) << "the second press was polled while held";
}

// Down is polled only while up is not held: a tap of down then (a finger on the pad while the
// tilt holds up) is gone after that round, and a tap of a key the game never polls (Esc) cannot
// act later.
TEST_P(EveryKindOfKey, ATapOfAKeyTheNextRoundDoesNotPollIsForgotten) {
    keys.Press(key.up);
    keys.Press(key.down);
    keys.Release(key.down);
    keys.Press(key.escape);
    keys.Release(key.escape);
    EXPECT_EQ(PollRound(keys), std::vector<int>{VK_UP});
    keys.Release(key.up);
    // Now down is polled, but its tap belonged to the round before.
    EXPECT_TRUE(PollRound(keys).empty());
    EXPECT_FALSE(keys.IsDown(VK_ESCAPE));
}

INSTANTIATE_TEST_SUITE_P(WebKeyLatch, EveryKindOfKey, testing::Values(KEYBOARD, CONTROLS),
                         [](const auto& info) { return std::string(info.param.kind); });

TEST(WebKeyLatch, AKeyHeldByTheKeyboardAndAControlIsDownUntilBothLetGo) {
    KeyLatch keys;
    EXPECT_TRUE(keys.Press("ArrowRight"));
    EXPECT_TRUE(keys.Press(VK_RIGHT)) << "each tells the game's window of its own press";
    EXPECT_TRUE(keys.IsDown(VK_RIGHT));
    EXPECT_TRUE(keys.Release("ArrowRight"));
    EXPECT_TRUE(keys.IsDown(VK_RIGHT));
    EXPECT_TRUE(keys.Release(VK_RIGHT));
    EXPECT_FALSE(keys.IsDown(VK_RIGHT));
}

// The canvas losing the focus means the keyboard's releases go elsewhere; a finger on the pad
// still lifts where the page hears it.
TEST(WebKeyLatch, LosingTheFocusReleasesTheKeyboardsKeysAndTapsButNotTheControls) {
    KeyLatch keys;
    keys.Press("ArrowLeft");
    keys.Press("Space");
    keys.Release("Space");
    keys.Press(VK_UP);
    keys.ReleaseKeyboardKeys();
    EXPECT_EQ(PollRound(keys), std::vector<int>{VK_UP});
    // The release the canvas gets later, if any, finds nothing down.
    EXPECT_FALSE(keys.Release("ArrowLeft"));
    EXPECT_TRUE(keys.Release(VK_UP));
}

TEST(WebKeyLatch, EitherShiftKeyCountsAsShift) {
    KeyLatch keys;
    keys.Press("ShiftRight");
    EXPECT_TRUE(keys.IsDown(VK_SHIFT));
    keys.Release("ShiftRight");
    EXPECT_FALSE(keys.IsDown(VK_SHIFT));
}

TEST(WebKeyLatch, TheWindowHearsAKeysOwnCodeOrTheControlsCode) {
    EXPECT_EQ(VirtualKeyOf(PageKey{"ShiftLeft"}), VK_SHIFT);
    EXPECT_EQ(VirtualKeyOf(PageKey{"Unidentified"}), 0);
    EXPECT_EQ(VirtualKeyOf(PageKey{0x57}), 0x57);
}

}  // namespace
