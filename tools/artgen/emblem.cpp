// The emblem drawn in an isometric view, back to front, so nearer cells cover farther ones.
#include "tools/artgen/emblem.h"

#include <algorithm>
#include <cmath>

namespace artgen {

namespace {

constexpr int BOARD_CELLS = 6;
constexpr float CELL_ACROSS = 9.0f;  // pixels a cell step moves sideways at scale 1
constexpr float CELL_DOWN = 4.4f;    // pixels a cell step moves down
constexpr float BLOCK_RISE = 7.0f;
constexpr float RIM_DEPTH = 5.0f;
constexpr float BALL_RADIUS = 6.5f;

enum class Cell { Floor, Block, Hole, Goal };

Cell CellAt(int row, int column) {
    if ((row == 1 && column == 3) || (row == 2 && column == 3) || (row == 3 && column == 0) ||
        (row == 4 && column == 4)) {
        return Cell::Block;
    }
    if (row == 3 && column == 2) {
        return Cell::Hole;
    }
    if (row == 5 && column == 5) {
        return Cell::Goal;
    }
    return Cell::Floor;
}

const Colour SAND_LIGHT{0.90f, 0.84f, 0.71f, 1};
const Colour SAND_DARK{0.80f, 0.73f, 0.60f, 1};
const Colour BLOCK_TOP{0.66f, 0.33f, 0.22f, 1};
const Colour BLOCK_LEFT{0.46f, 0.21f, 0.13f, 1};
const Colour BLOCK_RIGHT{0.34f, 0.15f, 0.09f, 1};
const Colour HOLE{0.02f, 0.02f, 0.04f, 1};
const Colour GOAL{0.22f, 0.70f, 0.32f, 1};
const Colour GOAL_MARK{0.98f, 0.92f, 0.45f, 1};
const Colour RIM_LEFT{0.55f, 0.35f, 0.18f, 1};
const Colour RIM_RIGHT{0.40f, 0.24f, 0.11f, 1};
const Colour BALL_DARK{0.06f, 0.14f, 0.34f, 1};
const Colour BALL_LIGHT{0.55f, 0.72f, 1.0f, 1};
const Colour SHADOW{0.0f, 0.0f, 0.0f, 0.35f};

struct Projection {
    Point top;
    float scale;

    // The picture position of board point (row, column) lifted by `rise` pixels.
    Point At(float row, float column, float rise = 0.0f) const {
        return {top.x + (column - row) * CELL_ACROSS * scale,
                top.y + (column + row) * CELL_DOWN * scale - rise * scale};
    }
};

std::vector<Point> CellOutline(const Projection& p, int row, int column, float rise) {
    const float r = static_cast<float>(row);
    const float c = static_cast<float>(column);
    return {p.At(r, c, rise), p.At(r, c + 1, rise), p.At(r + 1, c + 1, rise), p.At(r + 1, c, rise)};
}

void PaintBlock(Image& image, const Projection& p, int row, int column) {
    const float r = static_cast<float>(row);
    const float c = static_cast<float>(column);
    // the two faces that look towards the viewer, then the top
    FillPolygon(image,
                {p.At(r + 1, c), p.At(r + 1, c + 1), p.At(r + 1, c + 1, BLOCK_RISE),
                 p.At(r + 1, c, BLOCK_RISE)},
                Solid(BLOCK_LEFT));
    FillPolygon(image,
                {p.At(r, c + 1), p.At(r + 1, c + 1), p.At(r + 1, c + 1, BLOCK_RISE),
                 p.At(r, c + 1, BLOCK_RISE)},
                Solid(BLOCK_RIGHT));
    FillPolygon(image, CellOutline(p, row, column, BLOCK_RISE), Solid(BLOCK_TOP));
}

void PaintBall(Image& image, const Projection& p, float row, float column) {
    const float radius = BALL_RADIUS * p.scale;
    const Point ground = p.At(row, column);
    FillPolygon(image,
                {{ground.x - radius, ground.y},
                 {ground.x, ground.y - radius * 0.45f},
                 {ground.x + radius, ground.y},
                 {ground.x, ground.y + radius * 0.45f}},
                Solid(SHADOW));
    const Point centre{ground.x, ground.y - radius};
    const Point highlight{centre.x - radius * 0.4f, centre.y - radius * 0.45f};
    FillCircle(image, centre, radius, [=](float x, float y) {
        const float distance = std::hypot(x - highlight.x, y - highlight.y) / (radius * 1.5f);
        return Mix(BALL_LIGHT, BALL_DARK, std::clamp(distance, 0.0f, 1.0f));
    });
    FillCircle(image, {highlight.x, highlight.y}, radius * 0.22f, Solid({1, 1, 1, 0.85f}));
}

}  // namespace

void PaintEmblem(Image& image, Point top, float scale) {
    const Projection p{top, scale};
    const float n = static_cast<float>(BOARD_CELLS);
    // the board's two near sides, as a slab
    FillPolygon(image, {p.At(0, n), p.At(n, n), p.At(n, n, -RIM_DEPTH), p.At(0, n, -RIM_DEPTH)},
                Solid(RIM_RIGHT));
    FillPolygon(image, {p.At(n, 0), p.At(n, n), p.At(n, n, -RIM_DEPTH), p.At(n, 0, -RIM_DEPTH)},
                Solid(RIM_LEFT));
    for (int sum = 0; sum <= 2 * (BOARD_CELLS - 1); ++sum) {
        for (int row = 0; row < BOARD_CELLS; ++row) {
            const int column = sum - row;
            if (column < 0 || column >= BOARD_CELLS) {
                continue;
            }
            const Cell cell = CellAt(row, column);
            Colour floor = (row + column) % 2 == 0 ? SAND_LIGHT : SAND_DARK;
            if (cell == Cell::Hole) {
                floor = HOLE;
            } else if (cell == Cell::Goal) {
                floor = GOAL;
            }
            FillPolygon(image, CellOutline(p, row, column, 0), Solid(floor));
            if (cell == Cell::Goal) {
                const Point middle = p.At(row + 0.5f, column + 0.5f);
                FillPolygon(image,
                            {{middle.x - 3.6f * scale, middle.y},
                             {middle.x, middle.y - 1.8f * scale},
                             {middle.x + 3.6f * scale, middle.y},
                             {middle.x, middle.y + 1.8f * scale}},
                            Solid(GOAL_MARK));
            }
            if (cell == Cell::Block) {
                PaintBlock(image, p, row, column);
            }
            if (row == 2 && column == 1) {
                PaintBall(image, p, row + 0.5f, column + 0.5f);
            }
        }
    }
}

}  // namespace artgen
