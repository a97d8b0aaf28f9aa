// The icons' board seen from a corner, and their ball's shading.
#include "tools/artgen/corner_board.h"

#include <algorithm>
#include <cmath>

namespace artgen {

Point CornerBoard::At(float row, float column, float drop) const {
    return {top.x + (column - row) * cellAcross, top.y + (column + row) * cellDown + drop};
}

std::vector<ColouredPolygon> CornerBoard::Polygons() const {
    const float n = static_cast<float>(CELLS);
    std::vector<ColouredPolygon> polygons{
        {{At(0, n), At(n, n), At(n, n, rimDepth), At(0, n, rimDepth)}, {0.35f, 0.15f, 0.08f, 1}},
        {{At(n, 0), At(n, n), At(n, n, rimDepth), At(n, 0, rimDepth)}, {0.55f, 0.35f, 0.17f, 1}},
    };
    for (int row = 0; row < CELLS; ++row) {
        for (int column = 0; column < CELLS; ++column) {
            const float r = static_cast<float>(row);
            const float c = static_cast<float>(column);
            Colour floor = (row + column) % 2 == 0 ? Colour{0.90f, 0.84f, 0.71f, 1}
                                                   : Colour{0.78f, 0.71f, 0.56f, 1};
            if (row == CELLS - 1 && column == CELLS - 1) {
                floor = {0.22f, 0.70f, 0.31f, 1};  // the goal, nearest the viewer
            }
            polygons.push_back({{At(r, c), At(r, c + 1), At(r + 1, c + 1), At(r + 1, c)}, floor});
        }
    }
    return polygons;
}

Paint ShadedBall(Point highlight, float reach) {
    return [highlight, reach](float x, float y) {
        const float distance = std::hypot(x - highlight.x, y - highlight.y) / reach;
        return Mix(BALL_LIGHT, BALL_DARK, std::clamp(distance, 0.0f, 1.0f));
    };
}

}  // namespace artgen
