// Icon pictures, painted in full colour at their own size; the icon encoder maps them onto the
// 16-colour palette.
#include "tools/artgen/icons.h"

#include <algorithm>
#include <cmath>

#include "tools/artgen/raster.h"

namespace artgen {

namespace {

// The large icon's board: 4 x 4 cells seen from a corner, with the ball in the middle.
constexpr int ICON_BOARD_CELLS = 4;
constexpr float ICON_CELL_ACROSS = 3.75f;
constexpr float ICON_CELL_DOWN = 2.0f;
constexpr Point ICON_BOARD_TOP{16, 10};
constexpr float ICON_RIM_DEPTH = 3.0f;
constexpr float ICON_BALL_RADIUS = 6.5f;

Point IconBoardPoint(float row, float column, float drop = 0.0f) {
    return {ICON_BOARD_TOP.x + (column - row) * ICON_CELL_ACROSS,
            ICON_BOARD_TOP.y + (column + row) * ICON_CELL_DOWN + drop};
}

Paint ShadedBall(Point highlight, float reach) {
    return [highlight, reach](float x, float y) {
        const float distance = std::hypot(x - highlight.x, y - highlight.y) / reach;
        return Mix({0.47f, 0.66f, 0.94f, 1}, {0.06f, 0.11f, 0.25f, 1},
                   std::clamp(distance, 0.0f, 1.0f));
    };
}

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
    const float n = static_cast<float>(ICON_BOARD_CELLS);
    FillPolygon(icon,
                {IconBoardPoint(0, n), IconBoardPoint(n, n), IconBoardPoint(n, n, ICON_RIM_DEPTH),
                 IconBoardPoint(0, n, ICON_RIM_DEPTH)},
                Solid({0.35f, 0.15f, 0.08f, 1}));
    FillPolygon(icon,
                {IconBoardPoint(n, 0), IconBoardPoint(n, n), IconBoardPoint(n, n, ICON_RIM_DEPTH),
                 IconBoardPoint(n, 0, ICON_RIM_DEPTH)},
                Solid({0.55f, 0.35f, 0.17f, 1}));
    for (int row = 0; row < ICON_BOARD_CELLS; ++row) {
        for (int column = 0; column < ICON_BOARD_CELLS; ++column) {
            const float r = static_cast<float>(row);
            const float c = static_cast<float>(column);
            Colour floor = (row + column) % 2 == 0 ? Colour{0.90f, 0.84f, 0.71f, 1}
                                                   : Colour{0.78f, 0.71f, 0.56f, 1};
            if (row == ICON_BOARD_CELLS - 1 && column == ICON_BOARD_CELLS - 1) {
                floor = {0.22f, 0.70f, 0.31f, 1};  // the goal, nearest the viewer
            }
            FillPolygon(icon,
                        {IconBoardPoint(r, c), IconBoardPoint(r, c + 1),
                         IconBoardPoint(r + 1, c + 1), IconBoardPoint(r + 1, c)},
                        Solid(floor));
        }
    }
    const Point ground = IconBoardPoint(n / 2, n / 2);
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
