// The five codes of setup.ini that the page's controls (the touch pad and buttons, the device's
// tilt) stand for.
#pragma once

#include <array>
#include <istream>

namespace platform::web {

// The five codes in the order the controls show them: roll up, right, down, left, and the fifth
// key; 0 for a key the file leaves unassigned.
using ConfiguredKeys = std::array<int, 5>;

// Reads setup.ini as the game does: two lines skipped before each hexadecimal value, the values
// for up, right, down, left and the fifth key in that order; a value that cannot be read leaves
// it and every later key unassigned.
ConfiguredKeys ReadConfiguredKeys(std::istream& setupIni);

}  // namespace platform::web
