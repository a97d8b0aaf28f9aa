// Where the game's picture lies on a drawable of any size: the largest rectangle of the back
// buffer's shape that fits in whole pixels, centred, with black bars around it.
#pragma once

#include <array>

namespace platform::gl {

// In drawable pixels, the origin at the top left.
struct PixelRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    bool Empty() const { return width <= 0 || height <= 0; }
    bool operator==(const PixelRect&) const = default;
};

// OpenGL counts rows from the bottom: the row of the rectangle's lowest pixel so counted.
inline int RowsBelow(const PixelRect& rect, int drawableHeight) {
    return drawableHeight - rect.y - rect.height;
}

// The picture of a back buffer on a drawable: the back buffer's shape (its sides divided by their
// greatest common divisor) taken the most whole times that fit, centred; the leftover pixel of an
// odd margin goes to the right or the bottom. Empty when not even one time fits.
PixelRect LetterboxPicture(int drawableWidth, int drawableHeight, int backBufferWidth,
                           int backBufferHeight);

// The parts of the drawable outside the picture: above, below, left and right of it (some empty).
std::array<PixelRect, 4> BarsAround(const PixelRect& picture, int drawableWidth,
                                    int drawableHeight);

// A back buffer rectangle on the drawable: its edges scaled onto the picture and rounded.
PixelRect OnPicture(const PixelRect& picture, int backBufferWidth, int backBufferHeight,
                    const PixelRect& backBufferRect);

}  // namespace platform::gl
