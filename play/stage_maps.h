// The ten stages: their maps, start positions and the meaning of a cell.
#pragma once

#include <cstdint>

#include "gfxutil/matrix.h"

constexpr int STAGE_COUNT = 10;
constexpr int MAP_SIZE = 20;
constexpr int MAP_CELLS = MAP_SIZE * MAP_SIZE;

enum StageCell : int32_t { Floor = 0, Block = 1, Hole = 2, Goal = 3 };

// 400 cells, row-major: the cell of row r, column c is element 20 * r + c.
struct StageMap {
    int32_t cells[MAP_CELLS];
};

extern const StageMap stageMaps[STAGE_COUNT];
extern const Vector3 stageStarts[STAGE_COUNT];
