// What a message box holds and how it answers keys and clicks, apart from any window.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/box/box_canvas.h"
#include "platform/win32/win32_subset.h"

namespace platform::box {

struct BoxButton {
    int answer;
    const char* label;
};

// The buttons of a box type (Yes and No for MB_YESNO, else OK), the focused one and the one the
// mouse holds down. The first button is the default.
class BoxModel {
  public:
    explicit BoxModel(UINT type);

    // The answer a key gives, if it ends the box; arrows and Tab move the focus instead.
    std::optional<int> PressKey(int virtualKey);
    // What closing the box's window or pressing Escape answers.
    int EscapeAnswer() const;

    std::vector<BoxButton> buttons;
    int focused = 0;
    int pressed = -1;  // the button under a held mouse button, or -1
    bool warning = false;
};

// Where everything of a box goes, for a text of `lines` lines at most `textWidth` pixels wide.
struct BoxLayout {
    int width = 0;
    int height = 0;
    bool hasIcon = false;
    BoxRect icon;
    int textLeft = 0;
    int textTop = 0;
    int footerTop = 0;
    std::vector<BoxRect> buttons;

    // The index of the button at a point, or -1.
    int ButtonAt(int x, int y) const;
};

BoxLayout LayoutBox(int textWidth, int lines, int lineHeight, bool hasIcon, int buttonCount);

// The lines of a text, split at line feeds (a carriage return before one is dropped).
std::vector<std::string> SplitLines(const std::string& text);

}  // namespace platform::box
