// The play scene's meshes: the ball, the frame around the board, and the three cell meshes.
#pragma once

#include "tools/artgen/mesh_builder.h"

namespace artgen {

constexpr float CELL_SIZE = 5.0f;
constexpr float BALL_RADIUS = 2.5f;
constexpr float BOARD_EXTENT = 50.0f;  // the board spans -50..50 on x and z
constexpr float FRAME_WIDTH = 5.0f;    // the frame is one cell wide
constexpr float FRAME_TOP = 4.0f;
constexpr float FRAME_BOTTOM = -3.0f;
constexpr float TILE_THICKNESS = 1.0f;  // floor and goal slabs hang below y = 0
constexpr float BLOCK_HEIGHT = 5.0f;
constexpr int BALL_SLICES = 16;
constexpr int BALL_STACKS = 12;

MeshBuilder BuildBallMesh();
MeshBuilder BuildFrameMesh();
MeshBuilder BuildTileMesh();
MeshBuilder BuildBlockMesh();
MeshBuilder BuildGoalMesh();

}  // namespace artgen
