// Where everything of the set-up window goes, and painting it with the message boxes' font.
#pragma once

#include <string>
#include <vector>

#include "platform/box/box_canvas.h"
#include "platform/box/box_font.h"
#include "tools/setup/setup_model.h"

namespace setup {

struct SetupLayout {
    int width = 0;
    int height = 0;
    int headerTop = 0;
    // By item: the five slot rows in display order, then the Save and Quit buttons.
    platform::box::BoxRect items[ITEM_COUNT];
    int keyColumn = 0;
    platform::box::BoxRect message;
    int helpTop = 0;
    int footerTop = 0;

    // The item at a point, or -1.
    int ItemAt(int x, int y) const;
};

SetupLayout LayoutSetup(int lineHeight);

// `text` broken at spaces into lines at most `width` pixels wide (a longer word stands alone).
std::vector<std::string> WrapText(platform::box::BoxFont& font, const std::string& text, int width);

void PaintSetup(platform::box::Canvas& canvas, const SetupModel& model, const SetupLayout& layout,
                platform::box::BoxFont& font);

}  // namespace setup
