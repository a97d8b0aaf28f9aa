// Box buttons, keys and layout. Sizes follow the look of a Windows message box.
#include "platform/box/box_model.h"

#include <algorithm>

namespace platform::box {
namespace {

constexpr int MARGIN = 24;
constexpr int ICON_SIZE = 32;
constexpr int ICON_GAP = 14;
constexpr int BUTTON_WIDTH = 88;
constexpr int BUTTON_HEIGHT = 26;
constexpr int BUTTON_GAP = 10;
constexpr int FOOTER_HEIGHT = 46;
constexpr int MIN_WIDTH = 240;
// A longer text is cut off rather than making a box wider than a small screen.
constexpr int MAX_WIDTH = 1000;

constexpr int VK_LETTER_N = 'N';
constexpr int VK_LETTER_Y = 'Y';

}  // namespace

BoxModel::BoxModel(UINT type) : warning((type & MB_ICONMASK) == MB_ICONWARNING) {
    if ((type & MB_TYPEMASK) == MB_YESNO) {
        buttons = {{IDYES, "Yes"}, {IDNO, "No"}};
    } else {
        buttons = {{IDOK, "OK"}};
    }
}

std::optional<int> BoxModel::PressKey(int virtualKey) {
    int count = static_cast<int>(buttons.size());
    switch (virtualKey) {
        case VK_RETURN:
        case VK_SPACE:
            return buttons[focused].answer;
        case VK_ESCAPE:
            return EscapeAnswer();
        case VK_LEFT:
        case VK_UP:
            focused = (focused + count - 1) % count;
            return std::nullopt;
        case VK_RIGHT:
        case VK_DOWN:
        case VK_TAB:
            focused = (focused + 1) % count;
            return std::nullopt;
        default:
            break;
    }
    for (const BoxButton& button : buttons) {
        bool yesKey = virtualKey == VK_LETTER_Y && button.answer == IDYES;
        bool noKey = virtualKey == VK_LETTER_N && button.answer == IDNO;
        if (yesKey || noKey) {
            return button.answer;
        }
    }
    return std::nullopt;
}

int BoxModel::EscapeAnswer() const {
    // A Yes/No box has no Cancel: leaving it is the safe answer, No.
    for (const BoxButton& button : buttons) {
        if (button.answer == IDNO) {
            return IDNO;
        }
    }
    return IDOK;
}

int BoxLayout::ButtonAt(int x, int y) const {
    for (size_t index = 0; index < buttons.size(); ++index) {
        if (buttons[index].Contains(x, y)) {
            return static_cast<int>(index);
        }
    }
    return -1;
}

BoxLayout LayoutBox(int textWidth, int lines, int lineHeight, bool hasIcon, int buttonCount) {
    BoxLayout layout;
    layout.hasIcon = hasIcon;
    int iconSpace = hasIcon ? ICON_SIZE + ICON_GAP : 0;
    int buttonsWidth = buttonCount * BUTTON_WIDTH + std::max(buttonCount - 1, 0) * BUTTON_GAP;
    layout.width = std::max(
        {MARGIN + iconSpace + textWidth + MARGIN, MARGIN + buttonsWidth + MARGIN, MIN_WIDTH});
    layout.width = std::min(layout.width, MAX_WIDTH);

    int textHeight = std::max(lines, 1) * lineHeight;
    int bodyHeight = std::max(textHeight, hasIcon ? ICON_SIZE : 0);
    layout.icon = {MARGIN, MARGIN + (bodyHeight - ICON_SIZE) / 2, ICON_SIZE, ICON_SIZE};
    layout.textLeft = MARGIN + iconSpace;
    layout.textTop = MARGIN + (bodyHeight - textHeight) / 2;
    layout.footerTop = MARGIN + bodyHeight + MARGIN;
    layout.height = layout.footerTop + FOOTER_HEIGHT;

    // Right-aligned in the footer, as Windows places them.
    int buttonTop = layout.footerTop + (FOOTER_HEIGHT - BUTTON_HEIGHT) / 2;
    int buttonLeft = layout.width - MARGIN - buttonsWidth;
    for (int index = 0; index < buttonCount; ++index) {
        layout.buttons.push_back({buttonLeft + index * (BUTTON_WIDTH + BUTTON_GAP), buttonTop,
                                  BUTTON_WIDTH, BUTTON_HEIGHT});
    }
    return layout;
}

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines(1);
    for (char letter : text) {
        if (letter == '\n') {
            if (!lines.back().empty() && lines.back().back() == '\r') {
                lines.back().pop_back();
            }
            lines.emplace_back();
        } else {
            lines.back() += letter;
        }
    }
    return lines;
}

}  // namespace platform::box
