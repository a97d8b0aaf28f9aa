// Rolling distances to the target cells on a fine grid, by Dijkstra over eight neighbours.
#include "tools/solver/distance_field.h"

#include <cmath>
#include <functional>
#include <queue>
#include <utility>

#include "play/board_geometry.h"

namespace {

// A hole or goal catches the ball's centre closer than this on both axes (half a cell plus the
// probe's half size).
constexpr float CATCH_REACH = HALF_CELL + 0.1f;

float CellX(int column) {
    return -BOARD_HALF + CELL_SIZE * column;
}

float CellZ(int row) {
    return BOARD_HALF - CELL_SIZE * row;
}

bool Within(float a, float b, float reach) {
    return std::fabs(a - b) < reach;
}

}  // namespace

DistanceField::DistanceField(const StageMap& map, StageCell target)
    : size(static_cast<int>(std::lround(2 * BOARD_HALF / SPACING)) + 1),
      distances(size * size, UNREACHABLE),
      open(size * size, 1) {
    std::vector<char> isTarget(size * size, 0);
    for (int row = 0; row < size; ++row) {
        for (int column = 0; column < size; ++column) {
            const float x = -BOARD_HALF + SPACING * column;
            const float z = BOARD_HALF - SPACING * row;
            for (int cell = 0; cell < MAP_CELLS; ++cell) {
                const int kind = map.cells[cell];
                const float cellX = CellX(cell % MAP_SIZE);
                const float cellZ = CellZ(cell / MAP_SIZE);
                if (kind == Block && Within(x, cellX, CELL_SIZE) && Within(z, cellZ, CELL_SIZE)) {
                    open[Index(column, row)] = 0;
                }
                if ((kind == Hole || kind == Goal) && Within(x, cellX, CATCH_REACH) &&
                    Within(z, cellZ, CATCH_REACH)) {
                    // Caught by a target ends the roll; caught by anything else ruins it.
                    if (kind == target) {
                        isTarget[Index(column, row)] = 1;
                    } else {
                        open[Index(column, row)] = 0;
                    }
                }
            }
        }
    }

    using Entry = std::pair<float, int>;
    std::priority_queue<Entry, std::vector<Entry>, std::greater<Entry>> queue;
    for (int index = 0; index < size * size; ++index) {
        if (isTarget[index] && open[index]) {
            distances[index] = 0;
            queue.push({0.0f, index});
        }
    }
    const float diagonal = SPACING * std::sqrt(2.0f);
    while (!queue.empty()) {
        auto [distance, index] = queue.top();
        queue.pop();
        if (distance > distances[index]) {
            continue;
        }
        const int column = index % size;
        const int row = index / size;
        for (int dRow = -1; dRow <= 1; ++dRow) {
            for (int dColumn = -1; dColumn <= 1; ++dColumn) {
                const int nextColumn = column + dColumn;
                const int nextRow = row + dRow;
                if ((dRow == 0 && dColumn == 0) || nextColumn < 0 || nextRow < 0 ||
                    nextColumn >= size || nextRow >= size) {
                    continue;
                }
                const int next = Index(nextColumn, nextRow);
                // A diagonal step must not cut the corner of something closed.
                if (!open[next] || !open[Index(nextColumn, row)] || !open[Index(column, nextRow)]) {
                    continue;
                }
                const float through = distance + (dRow != 0 && dColumn != 0 ? diagonal : SPACING);
                if (through < distances[next]) {
                    distances[next] = through;
                    queue.push({through, next});
                }
            }
        }
    }
}

int DistanceField::Nearest(float coordinate) const {
    const int index = static_cast<int>(std::lround((coordinate + BOARD_HALF) / SPACING));
    return index < 0 ? 0 : (index >= size ? size - 1 : index);
}

bool DistanceField::IsOpen(float x, float z) const {
    return open[Index(Nearest(x), Nearest(-z))];
}

float DistanceField::DistanceAt(float x, float z) const {
    const int column = Nearest(x);
    const int row = Nearest(-z);
    float best = distances[Index(column, row)];
    if (best < UNREACHABLE) {
        return best;
    }
    // Between grid points a centre may lie next to a closed one: take the best neighbour.
    for (int dRow = -1; dRow <= 1; ++dRow) {
        for (int dColumn = -1; dColumn <= 1; ++dColumn) {
            const int c = column + dColumn;
            const int r = row + dRow;
            if (c >= 0 && r >= 0 && c < size && r < size) {
                best = std::min(best, distances[Index(c, r)] + SPACING);
            }
        }
    }
    return best;
}
