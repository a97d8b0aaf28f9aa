// Icon pictures, painted in full colour at their own size; the icon encoder maps them onto the
// 16-colour palette.
#include "tools/artgen/icons.h"

#include "tools/artgen/corner_board.h"
#include "tools/artgen/raster.h"

namespace artgen {

namespace {

// The large icon's board, with the ball in the middle.
constexpr CornerBoard ICON_BOARD{{16, 10}, 3.75f, 2.0f, 3.0f};
constexpr float ICON_BALL_RADIUS = 6.5f;

}  // namespace

const IconPalette& IconColours() {
    // Black first: transparent pixels are stored as colour 0 under the mask.
    static const IconPalette palette{0x000000, 0xFFFFFF, 0x101C40, 0x2850A0, 0x78A8F0, 0xE6D6B4,
                                     0xC8B490, 0xA85438, 0x5A2614, 0x38B450, 0x146424, 0xF8E070,
                                     0x8C5A2C, 0x505050, 0xB4B4B4, 0xD04030};
    return palette;
}

Image BuildLargeIcon() {
    Image icon(ICON_SIZE, ICON_SIZE);
    for (const ColouredPolygon& polygon : ICON_BOARD.Polygons()) {
        FillPolygon(icon, polygon.points, Solid(polygon.colour));
    }
    const float n = static_cast<float>(CornerBoard::CELLS);
    const Point ground = ICON_BOARD.At(n / 2, n / 2);
    const Point centre{ground.x, ground.y - ICON_BALL_RADIUS + 1.0f};
    const Point highlight{centre.x - 2.5f, centre.y - 2.5f};
    FillCircle(icon, centre, ICON_BALL_RADIUS, ShadedBall(highlight, 2.2f * ICON_BALL_RADIUS));
    FillCircle(icon, highlight, 1.6f, Solid({1, 1, 1, 1}));
    return icon;
}

Image BuildSmallIcon() {
    Image icon(ICON_SIZE, ICON_SIZE);
    const Point middle{16, 16};
    FillPolygon(icon, {{middle.x, 1}, {31, middle.y}, {middle.x, 31}, {1, middle.y}},
                Solid({0.08f, 0.39f, 0.14f, 1}));
    FillPolygon(icon, {{middle.x, 3}, {29, middle.y}, {middle.x, 29}, {3, middle.y}},
                Solid({0.22f, 0.70f, 0.31f, 1}));
    FillCircle(icon, middle, 9.5f, ShadedBall({12.5f, 12.5f}, 15.0f));
    FillCircle(icon, {12.5f, 12.5f}, 2.2f, Solid({1, 1, 1, 1}));
    return icon;
}

}  // namespace artgen
