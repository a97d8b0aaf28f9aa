// The letterbox arithmetic: the picture's rectangle, the bars around it, and back buffer
// rectangles carried onto it.
#include "platform/gl/gl_letterbox.h"

#include <algorithm>
#include <numeric>

namespace platform::gl {

namespace {

// An edge at `edge` of `from` pixels, at the same place on `to` pixels.
int ScaleEdge(int edge, int from, int to) {
    const long long scaled = static_cast<long long>(edge) * to;
    return static_cast<int>((scaled + from / 2) / from);
}

}  // namespace

PixelRect LetterboxPicture(int drawableWidth, int drawableHeight, int backBufferWidth,
                           int backBufferHeight) {
    if (drawableWidth <= 0 || drawableHeight <= 0 || backBufferWidth <= 0 ||
        backBufferHeight <= 0) {
        return {};
    }
    const int divisor = std::gcd(backBufferWidth, backBufferHeight);
    const int shapeWidth = backBufferWidth / divisor;
    const int shapeHeight = backBufferHeight / divisor;
    const int times = std::min(drawableWidth / shapeWidth, drawableHeight / shapeHeight);
    if (times == 0) {
        return {};
    }
    PixelRect picture;
    picture.width = times * shapeWidth;
    picture.height = times * shapeHeight;
    picture.x = (drawableWidth - picture.width) / 2;
    picture.y = (drawableHeight - picture.height) / 2;
    return picture;
}

std::array<PixelRect, 4> BarsAround(const PixelRect& picture, int drawableWidth,
                                    int drawableHeight) {
    const int pictureBottom = picture.y + picture.height;
    const int pictureRight = picture.x + picture.width;
    return {
        PixelRect{0, 0, drawableWidth, picture.y},
        PixelRect{0, pictureBottom, drawableWidth, drawableHeight - pictureBottom},
        PixelRect{0, picture.y, picture.x, picture.height},
        PixelRect{pictureRight, picture.y, drawableWidth - pictureRight, picture.height},
    };
}

PixelRect OnPicture(const PixelRect& picture, int backBufferWidth, int backBufferHeight,
                    const PixelRect& backBufferRect) {
    const int left = ScaleEdge(backBufferRect.x, backBufferWidth, picture.width);
    const int top = ScaleEdge(backBufferRect.y, backBufferHeight, picture.height);
    const int right =
        ScaleEdge(backBufferRect.x + backBufferRect.width, backBufferWidth, picture.width);
    const int bottom =
        ScaleEdge(backBufferRect.y + backBufferRect.height, backBufferHeight, picture.height);
    return {picture.x + left, picture.y + top, right - left, bottom - top};
}

}  // namespace platform::gl
