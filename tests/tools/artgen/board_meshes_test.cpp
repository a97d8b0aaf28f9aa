// Tests of the play scene's meshes as the X-file loader delivers them: sizes and places the
// board relies on, faces wound for counter-clockwise culling, and materials for its lighting.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "tests/tools/artgen/art_test_support.h"

namespace {

constexpr float TOLERANCE = 1e-4f;
constexpr float HALF_CELL = 2.5f;    // cells are 5 world units square
constexpr float BOARD_HALF = 50.0f;  // the board spans -50..50 on x and z
const char* const BOARD_MESHES[] = {"ball.x", "wall.x", "tile.x", "block.x", "goal.x"};

TEST(BoardMeshes, FloorAndGoalFillTheirCellWithTheTopAtFloorLevel) {
    for (const char* name : {"tile.x", "goal.x"}) {
        const LoadedMesh mesh = LoadGraphicMesh(name);
        ASSERT_TRUE(mesh.loaded) << name;
        EXPECT_NEAR(mesh.min.x, -HALF_CELL, TOLERANCE) << name;
        EXPECT_NEAR(mesh.max.x, HALF_CELL, TOLERANCE) << name;
        EXPECT_NEAR(mesh.min.z, -HALF_CELL, TOLERANCE) << name;
        EXPECT_NEAR(mesh.max.z, HALF_CELL, TOLERANCE) << name;
        EXPECT_NEAR(mesh.max.y, 0.0f, TOLERANCE) << name;
    }
}

TEST(BoardMeshes, TheBlockFillsItsCellAndStandsAboveTheBall) {
    const LoadedMesh mesh = LoadGraphicMesh("block.x");
    ASSERT_TRUE(mesh.loaded);
    EXPECT_NEAR(mesh.min.x, -HALF_CELL, TOLERANCE);
    EXPECT_NEAR(mesh.max.x, HALF_CELL, TOLERANCE);
    EXPECT_NEAR(mesh.min.z, -HALF_CELL, TOLERANCE);
    EXPECT_NEAR(mesh.max.z, HALF_CELL, TOLERANCE);
    EXPECT_LE(mesh.min.y, 0.0f);
    EXPECT_GE(mesh.max.y, 2 * HALF_CELL) << "a block at least as high as the ball";
}

TEST(BoardMeshes, TheBallIsASphereOfRadiusTwoAndAHalfRestingOnTheFloor) {
    const LoadedMesh mesh = LoadGraphicMesh("ball.x");
    ASSERT_TRUE(mesh.loaded);
    ASSERT_GE(mesh.TriangleCount(), 100u) << "enough facets to look round";
    for (const MeshVertex& v : mesh.vertices) {
        EXPECT_NEAR(std::sqrt(v.x * v.x + (v.y - 2.5f) * (v.y - 2.5f) + v.z * v.z), 2.5f, 1e-3f);
    }
    EXPECT_NEAR(mesh.min.y, 0.0f, 1e-3f);
    EXPECT_NEAR(mesh.max.y, 5.0f, 1e-3f);
}

TEST(BoardMeshes, TheFrameSurroundsTheBoardAndLeavesItsInsideOpen) {
    const LoadedMesh mesh = LoadGraphicMesh("wall.x");
    ASSERT_TRUE(mesh.loaded);
    EXPECT_LE(mesh.min.x, -BOARD_HALF);
    EXPECT_GE(mesh.max.x, BOARD_HALF);
    EXPECT_LE(mesh.min.z, -BOARD_HALF);
    EXPECT_GE(mesh.max.z, BOARD_HALF);
    EXPECT_GT(mesh.max.y, 0.0f) << "a rim that rises above the floor";
    // Nothing may lie over or under the board's square: holes must show nothing below them.
    for (size_t t = 0; t < mesh.TriangleCount(); ++t) {
        float minX = 1e9f, maxX = -1e9f, minZ = 1e9f, maxZ = -1e9f;
        for (int corner = 0; corner < 3; ++corner) {
            const MeshVertex& v = mesh.Corner(t, corner);
            minX = std::min(minX, v.x);
            maxX = std::max(maxX, v.x);
            minZ = std::min(minZ, v.z);
            maxZ = std::max(maxZ, v.z);
        }
        const bool overlapsInside = minX < BOARD_HALF - TOLERANCE &&
                                    maxX > -BOARD_HALF + TOLERANCE &&
                                    minZ < BOARD_HALF - TOLERANCE && maxZ > -BOARD_HALF + TOLERANCE;
        EXPECT_FALSE(overlapsInside) << "triangle " << t;
    }
}

// Each triangle must face the way its normals say, and for the convex pieces that is away from
// their middle: counter-clockwise culling then keeps exactly the outside.
TEST(BoardMeshes, FacesAreWoundClockwiseSeenFromOutside) {
    for (const char* name : BOARD_MESHES) {
        const LoadedMesh mesh = LoadGraphicMesh(name);
        ASSERT_TRUE(mesh.loaded) << name;
        const bool convex = std::string(name) != "wall.x";
        const Vector3 middle{(mesh.min.x + mesh.max.x) / 2, (mesh.min.y + mesh.max.y) / 2,
                             (mesh.min.z + mesh.max.z) / 2};
        int wrong = 0;
        for (size_t t = 0; t < mesh.TriangleCount(); ++t) {
            const Vector3 winding = WindingNormal(mesh, t);
            const MeshVertex& a = mesh.Corner(t, 0);
            wrong += Dot(winding, {a.nx, a.ny, a.nz}) <= 0;
            if (convex) {
                const MeshVertex& b = mesh.Corner(t, 1);
                const MeshVertex& c = mesh.Corner(t, 2);
                const Vector3 outward{(a.x + b.x + c.x) / 3 - middle.x,
                                      (a.y + b.y + c.y) / 3 - middle.y,
                                      (a.z + b.z + c.z) / 3 - middle.z};
                wrong += Dot(winding, outward) <= 0;
            }
        }
        EXPECT_EQ(wrong, 0) << name;
    }
}

// Lit with white ambient light, ambient taken from diffuse, and a white light straight down, a
// face that points up shows twice its diffuse colour and a side face its diffuse colour once.
TEST(BoardMeshes, OneMaterialEachThatLetsTopsReachFullBrightnessWhileSidesStayDarker) {
    for (const char* name : BOARD_MESHES) {
        const LoadedMesh mesh = LoadGraphicMesh(name);
        ASSERT_TRUE(mesh.loaded) << name;
        ASSERT_EQ(mesh.materials.size(), 1u) << name;
        const D3DCOLORVALUE& diffuse = mesh.materials[0].material.Diffuse;
        const float brightest = std::max({diffuse.r, diffuse.g, diffuse.b});
        EXPECT_GE(2 * brightest, 0.95f) << name << ": the lit top stays dull";
        EXPECT_LE(brightest, 0.6f) << name << ": the sides are as bright as the top";
        EXPECT_FLOAT_EQ(diffuse.a, 1.0f) << name;
        if (std::string(name) != "ball.x") {
            // textured pieces: a grey that leaves the texture's own colours on the lit top
            EXPECT_GE(2 * std::min({diffuse.r, diffuse.g, diffuse.b}), 0.95f) << name;
        }
    }
}

TEST(BoardMeshes, CellPiecesShowTheWholeTextureUprightOnTheirTop) {
    for (const char* name : {"tile.x", "block.x", "goal.x"}) {
        const LoadedMesh mesh = LoadGraphicMesh(name);
        ASSERT_TRUE(mesh.loaded) << name;
        int topCorners = 0;
        for (const MeshVertex& v : mesh.vertices) {
            if (v.ny > 0.99f && std::abs(v.y - mesh.max.y) < TOLERANCE) {
                ++topCorners;
                // u grows to the right (+x) and v down the screen (towards -z) of the play camera
                EXPECT_NEAR(v.u, (v.x + HALF_CELL) / (2 * HALF_CELL), TOLERANCE) << name;
                EXPECT_NEAR(v.v, (HALF_CELL - v.z) / (2 * HALF_CELL), TOLERANCE) << name;
            }
        }
        EXPECT_GE(topCorners, 3) << name;
    }
}

}  // namespace
