// Painting a whole message box into its canvas.
#pragma once

#include <string>
#include <vector>

#include "platform/box/box_canvas.h"
#include "platform/box/box_font.h"
#include "platform/box/box_model.h"

namespace platform::box {

void PaintBox(Canvas& canvas, const BoxModel& model, const BoxLayout& layout,
              const std::vector<std::string>& lines, BoxFont& font);

// The yellow warning triangle with its exclamation mark, smoothed at the edges.
void PaintWarningIcon(Canvas& canvas, const BoxRect& area);

}  // namespace platform::box
