// Where everything of the set-up window goes, and painting it with the message boxes' font.
#include "tools/setup/setup_painter.h"

#include <cctype>
#include <cstdio>

#include "platform/box/box_painter.h"
#include "tools/setup/key_rules.h"

namespace setup {
namespace {

using platform::box::BoxFont;
using platform::box::BoxRect;
using platform::box::Canvas;

// Sizes and colours follow the message boxes, so the tool looks like the game's own dialogs.
constexpr int WIDTH = 560;
constexpr int MARGIN = 20;
constexpr int ROW_PADDING = 14;
constexpr int SECTION_GAP = 12;
constexpr int TEXT_INSET = 10;
constexpr int KEY_COLUMN = 240;
constexpr int MESSAGE_LINES = 4;
constexpr int ICON_SIZE = 24;
constexpr int ICON_GAP = 10;
constexpr int BUTTON_WIDTH = 88;
constexpr int BUTTON_HEIGHT = 26;
constexpr int BUTTON_GAP = 10;
constexpr int FOOTER_HEIGHT = 46;

constexpr uint32_t BODY_COLOUR = 0xFFFFFF;
constexpr uint32_t FOOTER_COLOUR = 0xF0F0F0;
constexpr uint32_t FOOTER_LINE_COLOUR = 0xDFDFDF;
constexpr uint32_t TEXT_COLOUR = 0x000000;
constexpr uint32_t HINT_COLOUR = 0x5A5A5A;
constexpr uint32_t PROBLEM_COLOUR = 0xA00000;
constexpr uint32_t ROW_BORDER = 0xE0E0E0;
constexpr uint32_t FOCUS_FACE = 0xCCE4F7;
constexpr uint32_t CAPTURE_FACE = 0xFFF4C2;
constexpr uint32_t FOCUS_BORDER = 0x0078D7;
constexpr uint32_t BUTTON_FACE = 0xE1E1E1;
constexpr uint32_t BUTTON_BORDER = 0xADADAD;

const char* const HELP_TEXT = "Tab, arrows: choose   Return: change   S: save   Escape: leave";

std::string KeyText(int code) {
    if (code == 0) {
        return KeyName(code);
    }
    char hex[16];
    std::snprintf(hex, sizeof hex, "%x", static_cast<unsigned>(code));
    return KeyName(code) + "  (" + hex + ")";
}

void PaintRow(Canvas& canvas, const BoxRect& row, int keyColumn, bool focused, bool capturing,
              int slot, int code, BoxFont& font) {
    canvas.Fill(row, capturing ? CAPTURE_FACE : focused ? FOCUS_FACE : BODY_COLOUR);
    canvas.Outline(row, focused ? FOCUS_BORDER : ROW_BORDER);
    int textTop = row.y + (row.height - font.LineHeight()) / 2;
    std::string label = SlotName(slot);
    label[0] = static_cast<char>(std::toupper(label[0]));
    font.Draw(canvas, row.x + TEXT_INSET, textTop, label, TEXT_COLOUR);
    font.Draw(canvas, keyColumn, textTop, capturing ? "press a key ..." : KeyText(code),
              capturing ? HINT_COLOUR : TEXT_COLOUR);
}

void PaintButton(Canvas& canvas, const BoxRect& button, bool focused, const char* label,
                 BoxFont& font) {
    canvas.Fill(button, BUTTON_FACE);
    canvas.Outline(button, focused ? FOCUS_BORDER : BUTTON_BORDER);
    if (focused) {
        canvas.Outline({button.x + 1, button.y + 1, button.width - 2, button.height - 2},
                       FOCUS_BORDER);
    }
    font.Draw(canvas, button.x + (button.width - font.TextWidth(label)) / 2,
              button.y + (button.height - font.LineHeight()) / 2, label, TEXT_COLOUR);
}

}  // namespace

int SetupLayout::ItemAt(int x, int y) const {
    for (int item = 0; item < ITEM_COUNT; ++item) {
        if (items[item].Contains(x, y)) {
            return item;
        }
    }
    return -1;
}

SetupLayout LayoutSetup(int lineHeight) {
    SetupLayout layout;
    layout.width = WIDTH;
    layout.headerTop = MARGIN;
    int rowHeight = lineHeight + ROW_PADDING;
    int top = layout.headerTop + lineHeight + SECTION_GAP;
    for (int item = 0; item < KEY_SLOTS; ++item) {
        layout.items[item] = {MARGIN, top + item * rowHeight, WIDTH - 2 * MARGIN, rowHeight};
    }
    layout.keyColumn = MARGIN + KEY_COLUMN;
    top += KEY_SLOTS * rowHeight + SECTION_GAP;
    layout.message = {MARGIN, top, WIDTH - 2 * MARGIN, MESSAGE_LINES * lineHeight};
    layout.helpTop = layout.message.y + layout.message.height + SECTION_GAP;
    layout.footerTop = layout.helpTop + lineHeight + MARGIN;
    layout.height = layout.footerTop + FOOTER_HEIGHT;
    // Right-aligned in the footer, as in the message boxes.
    int buttonTop = layout.footerTop + (FOOTER_HEIGHT - BUTTON_HEIGHT) / 2;
    int buttonLeft = WIDTH - MARGIN - 2 * BUTTON_WIDTH - BUTTON_GAP;
    layout.items[SAVE_ITEM] = {buttonLeft, buttonTop, BUTTON_WIDTH, BUTTON_HEIGHT};
    layout.items[QUIT_ITEM] = {buttonLeft + BUTTON_WIDTH + BUTTON_GAP, buttonTop, BUTTON_WIDTH,
                               BUTTON_HEIGHT};
    return layout;
}

std::vector<std::string> WrapText(BoxFont& font, const std::string& text, int width) {
    std::vector<std::string> lines;
    std::string line;
    size_t start = 0;
    while (start < text.size()) {
        size_t space = text.find(' ', start);
        std::string word = text.substr(start, space == std::string::npos ? space : space - start);
        start = space == std::string::npos ? text.size() : space + 1;
        std::string longer = line.empty() ? word : line + " " + word;
        if (!line.empty() && font.TextWidth(longer) > width) {
            lines.push_back(line);
            line = word;
        } else {
            line = longer;
        }
    }
    if (!line.empty()) {
        lines.push_back(line);
    }
    return lines;
}

void PaintSetup(Canvas& canvas, const SetupModel& model, const SetupLayout& layout, BoxFont& font) {
    canvas.Fill({0, 0, layout.width, layout.footerTop}, BODY_COLOUR);
    canvas.Fill({0, layout.footerTop, layout.width, layout.height - layout.footerTop},
                FOOTER_COLOUR);
    canvas.Fill({0, layout.footerTop, layout.width, 1}, FOOTER_LINE_COLOUR);
    font.Draw(canvas, MARGIN, layout.headerTop, "Gorvanti keys in " + model.Path(), TEXT_COLOUR);
    for (int item = 0; item < KEY_SLOTS; ++item) {
        bool focused = model.Focused() == item;
        int slot = DISPLAY_ORDER[item];
        PaintRow(canvas, layout.items[item], layout.keyColumn, focused,
                 focused && model.Capturing(), slot, model.Codes()[slot], font);
    }
    const BoxRect& message = layout.message;
    int textLeft = message.x;
    if (model.MessageIsProblem()) {
        platform::box::PaintWarningIcon(canvas, {message.x, message.y, ICON_SIZE, ICON_SIZE});
        textLeft += ICON_SIZE + ICON_GAP;
    }
    std::vector<std::string> lines =
        WrapText(font, model.Message(), message.x + message.width - textLeft);
    for (size_t index = 0; index < lines.size() && index < MESSAGE_LINES; ++index) {
        font.Draw(canvas, textLeft, message.y + static_cast<int>(index) * font.LineHeight(),
                  lines[index], model.MessageIsProblem() ? PROBLEM_COLOUR : TEXT_COLOUR);
    }
    font.Draw(canvas, MARGIN, layout.helpTop, HELP_TEXT, HINT_COLOUR);
    PaintButton(canvas, layout.items[SAVE_ITEM], model.Focused() == SAVE_ITEM, "Save", font);
    PaintButton(canvas, layout.items[QUIT_ITEM], model.Focused() == QUIT_ITEM, "Quit", font);
}

}  // namespace setup
