// The icons' board of 4 x 4 cells seen from a corner, and their ball's shading, in any units.
#pragma once

#include <vector>

#include "tools/artgen/image.h"
#include "tools/artgen/raster.h"

namespace artgen {

inline const Colour BALL_LIGHT{0.47f, 0.66f, 0.94f, 1};
inline const Colour BALL_DARK{0.06f, 0.11f, 0.25f, 1};

struct ColouredPolygon {
    std::vector<Point> points;
    Colour colour;
};

// The board as one picture lays it out: where its far corner lies, how far one cell steps across
// and down, and how deep its rim hangs.
struct CornerBoard {
    static constexpr int CELLS = 4;

    Point top;
    float cellAcross;
    float cellDown;
    float rimDepth;

    Point At(float row, float column, float drop = 0.0f) const;
    // The two rims facing the viewer, then the cells, the goal in the corner nearest the viewer;
    // painted in this order.
    std::vector<ColouredPolygon> Polygons() const;
};

// Lightest at `highlight`, darkest from `reach` away.
Paint ShadedBall(Point highlight, float reach);

}  // namespace artgen
