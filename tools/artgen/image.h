// An ARGB picture in memory, and the blending the generator paints with.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace artgen {

// A rectangle of pixels: top-left corner and size.
struct Rect {
    int x, y, width, height;
};

// Straight (not premultiplied) colour with every channel in 0..1.
struct Colour {
    float r = 0, g = 0, b = 0, a = 0;
};

Colour FromArgb(uint32_t argb);
uint32_t ToArgb(const Colour& colour);
Colour Mix(const Colour& from, const Colour& to, float amount);

// Pixels as 32-bit ARGB words (alpha in the top byte), rows top first.
class Image {
  public:
    Image(int width, int height, uint32_t fill = 0);

    int Width() const { return width; }
    int Height() const { return height; }
    uint32_t At(int x, int y) const { return pixels[Index(x, y)]; }
    void Set(int x, int y, uint32_t argb) { pixels[Index(x, y)] = argb; }
    const std::vector<uint32_t>& Pixels() const { return pixels; }

    // Paints `colour` over the pixel with the given coverage (0..1); off-image pixels are ignored.
    void BlendOver(int x, int y, const Colour& colour, float coverage);
    void FillRect(int x, int y, int rectWidth, int rectHeight, uint32_t argb);

  private:
    size_t Index(int x, int y) const { return static_cast<size_t>(y) * width + x; }

    int width;
    int height;
    std::vector<uint32_t> pixels;
};

// How much of each pixel a shape covers, 0..1, rows top first.
struct Coverage {
    Coverage() = default;
    Coverage(int width, int height) : width(width), height(height), values(width * height, 0.0f) {}

    float At(int x, int y) const;
    float& Ref(int x, int y) { return values[static_cast<size_t>(y) * width + x]; }

    int width = 0;
    int height = 0;
    std::vector<float> values;
};

}  // namespace artgen
