// The keys the page's own controls hold (the touch pad and buttons, the device's tilt), by
// virtual-key code, and the five codes of setup.ini those controls stand for.
#pragma once

#include <array>
#include <istream>
#include <set>

namespace platform::web {

// Keys held by the page's controls. A key released before any poll saw it still counts as down
// for one poll, so that a tap between two polls (a slow frame) is not lost.
class ControlKeys {
  public:
    // True when the key went down, false when it was down already.
    bool Press(int virtualKey);
    // True when the key was down.
    bool Release(int virtualKey);
    // What a poll of the key sees; a poll ends a tap's one look.
    bool Poll(int virtualKey);
    void ReleaseAll();

  private:
    std::set<int> held;
    std::set<int> unpolled;
    std::set<int> tapped;
};

// The page's controls, shared by every keyboard of the page.
ControlKeys& PageControlKeys();

// The five codes in the order the controls show them: roll up, right, down, left, and the fifth
// key; 0 for a key the file leaves unassigned.
using ConfiguredKeys = std::array<int, 5>;

// Reads setup.ini as the game does: two lines skipped before each hexadecimal value, the values
// for up, right, down, left and the fifth key in that order; a value that cannot be read leaves
// it and every later key unassigned.
ConfiguredKeys ReadConfiguredKeys(std::istream& setupIni);

}  // namespace platform::web
