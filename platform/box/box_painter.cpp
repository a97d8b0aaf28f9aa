// The look of the box: white body with icon and text, grey footer with the buttons.
#include "platform/box/box_painter.h"

namespace platform::box {
namespace {

constexpr uint32_t BODY_COLOUR = 0xFFFFFF;
constexpr uint32_t FOOTER_COLOUR = 0xF0F0F0;
constexpr uint32_t FOOTER_LINE_COLOUR = 0xDFDFDF;
constexpr uint32_t TEXT_COLOUR = 0x000000;
constexpr uint32_t BUTTON_FACE = 0xE1E1E1;
constexpr uint32_t BUTTON_PRESSED_FACE = 0xCCE4F7;
constexpr uint32_t BUTTON_BORDER = 0xADADAD;
constexpr uint32_t FOCUS_BORDER = 0x0078D7;
constexpr uint32_t WARNING_YELLOW = 0xFFC83D;
constexpr uint32_t WARNING_EDGE = 0xC28A00;
constexpr uint32_t WARNING_MARK = 0x1A1A1A;

// Each icon pixel is sampled on a grid of this many points a side for smooth edges.
constexpr int SAMPLES = 4;
constexpr int FULL_COVERAGE = 255;

// Inside the triangle with its apex at the top middle and its base on the bottom edge, in a unit
// square with y downwards.
bool InTriangle(double x, double y) {
    return y >= 2.0 * x - 1.0 && y >= 1.0 - 2.0 * x && y <= 1.0;
}

// The triangle's centroid, about which the yellow inside is shrunk to leave the rim.
constexpr double CENTROID_X = 0.5;
constexpr double CENTROID_Y = 2.0 / 3.0;
constexpr double RIM_PIXELS = 1.5;

}  // namespace

void PaintWarningIcon(Canvas& canvas, const BoxRect& area) {
    // A darker rim: the triangle drawn twice, the second time shrunk.
    const double shrink = 1.0 - 4.0 * RIM_PIXELS / area.width;
    for (int row = 0; row < area.height; ++row) {
        for (int column = 0; column < area.width; ++column) {
            int outer = 0;
            int inner = 0;
            for (int sampleY = 0; sampleY < SAMPLES; ++sampleY) {
                for (int sampleX = 0; sampleX < SAMPLES; ++sampleX) {
                    double x = (column + (sampleX + 0.5) / SAMPLES) / area.width;
                    double y = (row + (sampleY + 0.5) / SAMPLES) / area.height;
                    outer += InTriangle(x, y);
                    inner += InTriangle(CENTROID_X + (x - CENTROID_X) / shrink,
                                        CENTROID_Y + (y - CENTROID_Y) / shrink);
                }
            }
            int scale = FULL_COVERAGE / (SAMPLES * SAMPLES);
            canvas.Blend(area.x + column, area.y + row, WARNING_EDGE, outer * scale);
            canvas.Blend(area.x + column, area.y + row, WARNING_YELLOW, inner * scale);
        }
    }
    // The exclamation mark: a bar and a dot on the triangle's centre line.
    int markWidth = area.width / 9 + 1;
    int markLeft = area.x + (area.width - markWidth) / 2;
    canvas.Fill({markLeft, area.y + area.height * 3 / 8, markWidth, area.height * 5 / 16},
                WARNING_MARK);
    canvas.Fill({markLeft, area.y + area.height * 3 / 4, markWidth, markWidth}, WARNING_MARK);
}

void PaintBox(Canvas& canvas, const BoxModel& model, const BoxLayout& layout,
              const std::vector<std::string>& lines, BoxFont& font) {
    canvas.Fill({0, 0, layout.width, layout.footerTop}, BODY_COLOUR);
    canvas.Fill({0, layout.footerTop, layout.width, layout.height - layout.footerTop},
                FOOTER_COLOUR);
    canvas.Fill({0, layout.footerTop, layout.width, 1}, FOOTER_LINE_COLOUR);
    if (layout.hasIcon) {
        PaintWarningIcon(canvas, layout.icon);
    }
    for (size_t index = 0; index < lines.size(); ++index) {
        font.Draw(canvas, layout.textLeft,
                  layout.textTop + static_cast<int>(index) * font.LineHeight(), lines[index],
                  TEXT_COLOUR);
    }
    for (size_t index = 0; index < layout.buttons.size() && index < model.buttons.size(); ++index) {
        const BoxRect& button = layout.buttons[index];
        bool isPressed = model.pressed == static_cast<int>(index);
        bool isFocused = model.focused == static_cast<int>(index);
        canvas.Fill(button, isPressed ? BUTTON_PRESSED_FACE : BUTTON_FACE);
        canvas.Outline(button, isFocused ? FOCUS_BORDER : BUTTON_BORDER);
        if (isFocused) {
            canvas.Outline({button.x + 1, button.y + 1, button.width - 2, button.height - 2},
                           FOCUS_BORDER);
        }
        const char* label = model.buttons[index].label;
        int labelLeft = button.x + (button.width - font.TextWidth(label)) / 2;
        int labelTop = button.y + (button.height - font.LineHeight()) / 2;
        font.Draw(canvas, labelLeft, labelTop, label, TEXT_COLOUR);
    }
}

}  // namespace platform::box
