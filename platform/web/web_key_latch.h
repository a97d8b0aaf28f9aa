// The keys the page holds for the game, as the game polls them: pressed and released by the
// canvas's key events (and by any control of the page that stands for a key), read through
// GetAsyncKeyState.
#pragma once

#include <map>
#include <set>
#include <string>

namespace platform::web {

// Keys are named as KeyboardEvent.code names them ("ArrowUp", "Space", "ShiftLeft").
class KeyLatch {
  public:
    // The key goes down. False when it is down already: a repeat is no new press.
    bool Press(const std::string& code);
    // The key goes up; false when it was not down. A key no poll has seen since it went down is
    // kept as a tap, so that a press shorter than a frame still reaches the game.
    bool Release(const std::string& code);
    // Every key goes up and no tap is kept (the page lost the focus, so releases go elsewhere).
    void ReleaseAll();
    // Whether a poll of `virtualKey` sees it down. A tap counts for one poll at most, and only in
    // the round of polls that follows its release (a round ends when a key is polled again): a
    // tap of a key the game does not poll then is gone, and cannot act later.
    bool IsDown(int virtualKey);

  private:
    std::set<std::string> held;
    std::set<std::string> unpolled;             // held, and not yet seen by a poll
    std::map<std::string, std::set<int>> taps;  // a tap's code and the keys polled since
};

}  // namespace platform::web
