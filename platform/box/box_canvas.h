// A pixel buffer the message box paints itself into before it goes to the screen.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace platform::box {

struct BoxRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    bool Contains(int pointX, int pointY) const {
        return pointX >= x && pointX < x + width && pointY >= y && pointY < y + height;
    }
};

class Canvas {
  public:
    Canvas(int width, int height);

    void Fill(const BoxRect& rect, uint32_t rgb);
    // A one-pixel outline inside the rectangle.
    void Outline(const BoxRect& rect, uint32_t rgb);
    // Mixes `rgb` into one pixel with a coverage of 0 (nothing) to 255 (all); off-canvas is
    // clipped.
    void Blend(int x, int y, uint32_t rgb, int coverage);

    int Width() const { return width; }
    int Height() const { return height; }
    // ARGB, opaque, rows top first.
    const std::vector<uint32_t>& Pixels() const { return pixels; }
    uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }

  private:
    int width;
    int height;
    std::vector<uint32_t> pixels;
};

}  // namespace platform::box
