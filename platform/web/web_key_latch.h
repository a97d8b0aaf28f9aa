// The keys the page holds for the game, as the game polls them: pressed and released by the
// canvas's key events and by the page's own controls (the touch pad and buttons, the device's
// tilt), read through GetAsyncKeyState.
#pragma once

#include <map>
#include <set>
#include <string>
#include <variant>

namespace platform::web {

// A key the page holds: a key of the keyboard, named as KeyboardEvent.code names it ("ArrowUp",
// "Space", "ShiftLeft"), or a control of the page holding a virtual-key code itself. The same
// virtual key held both ways stays down until both let go.
using PageKey = std::variant<std::string, int>;

// The virtual-key code the game's window hears in the key's messages (either shift key gives
// VK_SHIFT); 0 for a keyboard key Windows has no code for.
int VirtualKeyOf(const PageKey& key);

// One latch for every key the page holds, so that a tap means the same from every control.
class KeyLatch {
  public:
    // The key goes down. False when it is down already: a repeat is no new press.
    bool Press(const PageKey& key);
    // The key goes up; false when it was not down. A key no poll has seen since it went down is
    // kept as a tap, so that a press shorter than a frame still reaches the game.
    bool Release(const PageKey& key);
    // Every key of the keyboard goes up and its taps are forgotten: the canvas lost the focus, so
    // the keyboard's releases go elsewhere. The controls' keys stay; their releases still come.
    void ReleaseKeyboardKeys();
    // Whether a poll of `virtualKey` sees it down. A tap counts for one poll at most, and only in
    // the round of polls that follows its release (a round ends when a key is polled again): a
    // tap of a key the game does not poll then is gone, and cannot act later.
    bool IsDown(int virtualKey);

  private:
    std::set<PageKey> held;
    std::set<PageKey> unpolled;             // held, and not yet seen by a poll
    std::map<PageKey, std::set<int>> taps;  // a tap's key and the keys polled since
};

}  // namespace platform::web
