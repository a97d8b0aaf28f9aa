// BuildBoard: the current stage turned into the ball's start and one mesh instance per cell.
#include <cassert>

#include "play/board_geometry.h"
#include "play/play_scene.h"

namespace {

int CellMesh(int32_t cell) {
    switch (cell) {
        case Floor:
            return TILE_MESH;
        case Block:
            return BLOCK_MESH;
        default:
            // Holes get a goal mesh as well; it is parked out of sight below the board.
            return GOAL_MESH;
    }
}

}  // namespace

void PlayScene::BuildBoard() {
    time = 0;
    stageMap = &stageMaps[stage - 1];
    startPosition = stageStarts[stage - 1];
    // The angles were reset by whoever ended the previous ball or stage.
    instances[BALL_INSTANCE].position = startPosition;

    ShowStageTitle();

    // The previous stage's cells go; the ball and the box stay.
    assert(instances.size() >= FIRST_CELL_INSTANCE);
    instances.erase(instances.begin() + FIRST_CELL_INSTANCE, instances.end());
    for (int row = 0; row < MAP_SIZE; ++row) {
        for (int column = 0; column < MAP_SIZE; ++column) {
            const int32_t cell = stageMap->cells[MAP_SIZE * row + column];
            AddMeshInstance(CellMesh(cell));
            // Written as the cell's lower edge plus half a cell; both come out exact.
            const float x = (BOARD_EDGE + CELL_SIZE * column) + HALF_CELL;
            const float z = -((BOARD_EDGE + CELL_SIZE * row) + HALF_CELL);
            const float y = cell == Hole ? HOLE_DEPTH : 0.0f;
            instances[FIRST_CELL_INSTANCE + MAP_SIZE * row + column].position = {x, y, z};
        }
    }

    ShowLives();
    ShowBestTime();
}
