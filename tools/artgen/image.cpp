// Pixel storage and "over" blending for the generated pictures.
#include "tools/artgen/image.h"

#include <algorithm>
#include <cmath>

namespace artgen {

namespace {

float Channel(uint32_t argb, int shift) {
    return static_cast<float>((argb >> shift) & 0xFF) / 255.0f;
}

uint32_t Quantise(float value) {
    return static_cast<uint32_t>(std::lround(std::clamp(value, 0.0f, 1.0f) * 255.0f));
}

}  // namespace

Colour FromArgb(uint32_t argb) {
    return {Channel(argb, 16), Channel(argb, 8), Channel(argb, 0), Channel(argb, 24)};
}

uint32_t ToArgb(const Colour& colour) {
    return Quantise(colour.a) << 24 | Quantise(colour.r) << 16 | Quantise(colour.g) << 8 |
           Quantise(colour.b);
}

Colour Mix(const Colour& from, const Colour& to, float amount) {
    return {from.r + (to.r - from.r) * amount, from.g + (to.g - from.g) * amount,
            from.b + (to.b - from.b) * amount, from.a + (to.a - from.a) * amount};
}

Image::Image(int width, int height, uint32_t fill)
    : width(width), height(height), pixels(static_cast<size_t>(width) * height, fill) {}

void Image::BlendOver(int x, int y, const Colour& colour, float coverage) {
    if (x < 0 || y < 0 || x >= width || y >= height || coverage <= 0.0f) {
        return;
    }
    const Colour below = FromArgb(At(x, y));
    const float top = colour.a * std::min(coverage, 1.0f);
    const float alpha = top + below.a * (1.0f - top);
    if (alpha <= 0.0f) {
        return;
    }
    const float under = below.a * (1.0f - top);
    const Colour result{(colour.r * top + below.r * under) / alpha,
                        (colour.g * top + below.g * under) / alpha,
                        (colour.b * top + below.b * under) / alpha, alpha};
    Set(x, y, ToArgb(result));
}

void Image::FillRect(int x, int y, int rectWidth, int rectHeight, uint32_t argb) {
    for (int row = std::max(y, 0); row < std::min(y + rectHeight, height); ++row) {
        for (int column = std::max(x, 0); column < std::min(x + rectWidth, width); ++column) {
            Set(column, row, argb);
        }
    }
}

float Coverage::At(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height) {
        return 0.0f;
    }
    return values[static_cast<size_t>(y) * width + x];
}

}  // namespace artgen
