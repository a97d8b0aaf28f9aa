// setup.ini in the line layout the game reads (two lines, then a code on every other line) and
// a best-time table that every first finish beats.
#include "tools/artgen/settings_files.h"

#include <cstdio>

namespace artgen {

namespace {

std::string Hex(int value) {
    char text[16];
    std::snprintf(text, sizeof text, "%x", static_cast<unsigned>(value));
    return text;
}

}  // namespace

std::string SetupIniText() {
    // Line 1 and 2, then the codes of slots 0, 2, 1, 3, 4 on lines 3, 5, 7, 9, 11, each after a
    // line naming it; the game skips every line that holds no code.
    std::string text;
    text +=
        "; Gorvanti keys. Each code is a Windows virtual-key code in hexadecimal (25 = left "
        "arrow).\n";
    text += "; Keep the layout: the game reads the code on lines 3, 5, 7, 9 and 11. Tilt up:\n";
    text += Hex(SHIPPED_KEYS[0]) + "\n";
    text += "; Tilt right:\n";
    text += Hex(SHIPPED_KEYS[2]) + "\n";
    text += "; Tilt down:\n";
    text += Hex(SHIPPED_KEYS[1]) + "\n";
    text += "; Tilt left:\n";
    text += Hex(SHIPPED_KEYS[3]) + "\n";
    text += "; Fifth key (skips the title sequence; 20 = space bar):\n";
    text += Hex(SHIPPED_KEYS[4]) + "\n";
    text += "; End of the key list.\n";
    return text;
}

std::string BestTimeText() {
    std::string text;
    for (int stage = 0; stage < STAGE_COUNT; ++stage) {
        text += Hex(NO_BEST_TIME) + "\n";
    }
    return text;
}

}  // namespace artgen
