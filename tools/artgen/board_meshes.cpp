// Geometry and materials of the board pieces. The play scene lights them with white ambient
// light, ambient taken from diffuse, and one white light straight down: a face pointing up shows
// twice its diffuse colour, a side face its diffuse colour once, so diffuse colours stay near one
// half to let tops reach full brightness while sides stay darker.
#include "tools/artgen/board_meshes.h"

#include <cmath>

namespace artgen {

namespace {

constexpr float PI = 3.14159265f;
constexpr float HALF_CELL = CELL_SIZE / 2;
constexpr float FRAME_TEXTURE_REPEATS_PER_UNIT = 1.0f / CELL_SIZE;

// Textured pieces: a neutral grey, so the lit top shows the texture's own colours.
const XMaterial TEXTURED{0.5f, 0.5f, 0.5f, 1.0f, 0.0f, 0, 0, 0, 0, 0, 0};
// The ball: steel blue, far from the floor's sand, the blocks' brown and the goal's green.
const XMaterial BALL{0.16f, 0.30f, 0.56f, 1.0f, 0.0f, 0, 0, 0, 0, 0, 0};

MeshBuilder Slab(float bottom, float top) {
    MeshBuilder mesh;
    mesh.AddMaterial(TEXTURED);
    AddBox(mesh, {-HALF_CELL, bottom, -HALF_CELL}, {HALF_CELL, top, HALF_CELL}, BOX_ALL, 0.0f);
    return mesh;
}

}  // namespace

MeshBuilder BuildBallMesh() {
    MeshBuilder mesh;
    mesh.AddMaterial(BALL);
    const Vec3 centre{0, BALL_RADIUS, 0};
    auto at = [&](int stack, int slice) {
        const float polar = PI * static_cast<float>(stack) / BALL_STACKS;
        const float azimuth = 2 * PI * static_cast<float>(slice % BALL_SLICES) / BALL_SLICES;
        // exact poles, so the top and bottom rings close without slivers
        const float ring = stack == 0 || stack == BALL_STACKS ? 0.0f : std::sin(polar);
        const float height = stack == 0 ? 1.0f : stack == BALL_STACKS ? -1.0f : std::cos(polar);
        const Vec3 normal{ring * std::cos(azimuth), height, ring * std::sin(azimuth)};
        return Vertex{centre + normal * BALL_RADIUS, normal, 0, 0};
    };
    for (int stack = 0; stack < BALL_STACKS; ++stack) {
        for (int slice = 0; slice < BALL_SLICES; ++slice) {
            const Vertex a = at(stack, slice);
            const Vertex b = at(stack, slice + 1);
            const Vertex c = at(stack + 1, slice + 1);
            const Vertex d = at(stack + 1, slice);
            const Vec3 outward = Normalised(a.normal + b.normal + c.normal + d.normal);
            if (stack != 0) {
                mesh.AddSmoothTriangle(a, b, c, outward);
            }
            if (stack != BALL_STACKS - 1) {
                mesh.AddSmoothTriangle(a, c, d, outward);
            }
        }
    }
    return mesh;
}

MeshBuilder BuildFrameMesh() {
    MeshBuilder mesh;
    mesh.AddMaterial(TEXTURED);
    const float inner = BOARD_EXTENT;
    const float outer = BOARD_EXTENT + FRAME_WIDTH;
    // Two long bars across the full width, far and near, and two short bars between them; the
    // short bars' ends touch the long bars and are left out. The inside is open: holes in the
    // board show nothing below them.
    for (const float side : {-1.0f, 1.0f}) {
        const float nearEdge = side * inner;
        const float farEdge = side * outer;
        AddBox(mesh, {-outer, FRAME_BOTTOM, std::min(nearEdge, farEdge)},
               {outer, FRAME_TOP, std::max(nearEdge, farEdge)}, BOX_ALL,
               FRAME_TEXTURE_REPEATS_PER_UNIT);
        AddBox(mesh, {std::min(nearEdge, farEdge), FRAME_BOTTOM, -inner},
               {std::max(nearEdge, farEdge), FRAME_TOP, inner},
               BOX_TOP | BOX_BOTTOM | BOX_LEFT | BOX_RIGHT, FRAME_TEXTURE_REPEATS_PER_UNIT);
    }
    return mesh;
}

MeshBuilder BuildTileMesh() {
    return Slab(-TILE_THICKNESS, 0.0f);
}

MeshBuilder BuildBlockMesh() {
    return Slab(-TILE_THICKNESS, BLOCK_HEIGHT);
}

MeshBuilder BuildGoalMesh() {
    return Slab(-TILE_THICKNESS, 0.0f);
}

}  // namespace artgen
