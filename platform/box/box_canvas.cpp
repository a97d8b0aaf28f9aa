// Filling, outlining and blending pixels of the message box's buffer.
#include "platform/box/box_canvas.h"

#include <algorithm>

namespace platform::box {
namespace {

constexpr uint32_t OPAQUE = 0xFF000000u;
constexpr int FULL_COVERAGE = 255;

uint32_t Channel(uint32_t rgb, int shift) {
    return (rgb >> shift) & 0xFF;
}

}  // namespace

Canvas::Canvas(int width, int height)
    : width(std::max(width, 0)),
      height(std::max(height, 0)),
      pixels(static_cast<size_t>(this->width) * this->height, OPAQUE) {}

void Canvas::Fill(const BoxRect& rect, uint32_t rgb) {
    int left = std::max(rect.x, 0);
    int top = std::max(rect.y, 0);
    int right = std::min(rect.x + rect.width, width);
    int bottom = std::min(rect.y + rect.height, height);
    for (int y = top; y < bottom; ++y) {
        std::fill(pixels.begin() + static_cast<ptrdiff_t>(y) * width + left,
                  pixels.begin() + static_cast<ptrdiff_t>(y) * width + right, OPAQUE | rgb);
    }
}

void Canvas::Outline(const BoxRect& rect, uint32_t rgb) {
    Fill({rect.x, rect.y, rect.width, 1}, rgb);
    Fill({rect.x, rect.y + rect.height - 1, rect.width, 1}, rgb);
    Fill({rect.x, rect.y, 1, rect.height}, rgb);
    Fill({rect.x + rect.width - 1, rect.y, 1, rect.height}, rgb);
}

void Canvas::Blend(int x, int y, uint32_t rgb, int coverage) {
    if (x < 0 || y < 0 || x >= width || y >= height || coverage <= 0) {
        return;
    }
    coverage = std::min(coverage, FULL_COVERAGE);
    uint32_t& pixel = pixels[static_cast<size_t>(y) * width + x];
    uint32_t mixed = OPAQUE;
    for (int shift : {16, 8, 0}) {
        uint32_t under = Channel(pixel, shift);
        uint32_t over = Channel(rgb, shift);
        uint32_t channel =
            (over * coverage + under * (FULL_COVERAGE - coverage) + FULL_COVERAGE / 2) /
            FULL_COVERAGE;
        mixed |= channel << shift;
    }
    pixel = mixed;
}

}  // namespace platform::box
