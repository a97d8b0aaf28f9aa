// The board's measures in world units and the fixed places of the play scene's meshes.
#pragma once

constexpr float CELL_SIZE = 5.0f;
constexpr float HALF_CELL = 2.5f;
// The board spans -50 to +50 on x and z; BOARD_HALF is the largest cell centre coordinate.
constexpr float BOARD_EDGE = -50.0f;
constexpr float BOARD_HALF = 47.5f;
// Holes get a goal mesh too, parked far below the board where nobody sees it.
constexpr float HOLE_DEPTH = -1000.0f;

// Mesh indices, in load order.
constexpr int BALL_MESH = 0;
constexpr int WALL_MESH = 1;
constexpr int TILE_MESH = 2;
constexpr int BLOCK_MESH = 3;
constexpr int GOAL_MESH = 4;

// Instance indices: the ball, the box around the board, then one per cell in row-major order.
constexpr int BALL_INSTANCE = 0;
constexpr int BOX_INSTANCE = 1;
constexpr int FIRST_CELL_INSTANCE = 2;
