// Tests of the ray-box probe with the flat cell boxes and rays of the ball physics.
#include "gfxutil/ray_box.h"

#include <gtest/gtest.h>

namespace {

constexpr float CELL_HALF = 2.5f;
const Vector3 RIGHT{2.5f, 0, 0};
const Vector3 LEFT{-2.5f, 0, 0};

// A cell's box as the physics builds it: centre +- 2.5 on x and z, flat at y 0.
struct Cell {
    Vector3 min, max;
};
Cell CellAt(float x, float z) {
    return {{x - CELL_HALF, 0, z - CELL_HALF}, {x + CELL_HALF, 0, z + CELL_HALF}};
}

bool Hits(const Cell& cell, const Vector3& origin, const Vector3& direction) {
    return RayHitsBox(cell.min, cell.max, origin, direction);
}

TEST(RayHitsBox, RayAlongPlusXHitsABlockOnTheRightWithinItsZRange) {
    const Cell block = CellAt(5, 0);
    EXPECT_TRUE(Hits(block, {0, 0, 0}, RIGHT));
    EXPECT_TRUE(Hits(block, {0.1f, 0, 1.5f}, RIGHT));
    // The z bounds are closed: a centre level with the block's edge still hits.
    EXPECT_TRUE(Hits(block, {0, 0, 2.5f}, RIGHT));
    EXPECT_TRUE(Hits(block, {0, 0, -2.5f}, RIGHT));
    EXPECT_FALSE(Hits(block, {0, 0, 2.6f}, RIGHT));
    EXPECT_FALSE(Hits(block, {0, 0, -2.6f}, RIGHT));
}

TEST(RayHitsBox, RayMissesABlockBehindIt) {
    EXPECT_FALSE(Hits(CellAt(-5, 0), {0, 0, 0}, RIGHT));
    EXPECT_TRUE(Hits(CellAt(-5, 0), {0, 0, 0}, LEFT));
    EXPECT_FALSE(Hits(CellAt(0, -5), {0, 0, 0}, {0, 0, 2.5f}));
}

TEST(RayHitsBox, TheRayHasNoEnd) {
    // Only the direction counts, not its length: a block far along the ray is hit.
    EXPECT_TRUE(Hits(CellAt(100, 0), {0, 0, 0}, RIGHT));
}

TEST(RayHitsBox, OriginOnOrInsideTheBoxHitsWhateverTheDirection) {
    const Cell block = CellAt(5, 0);
    EXPECT_TRUE(Hits(block, {5, 0, 0}, LEFT));
    EXPECT_TRUE(Hits(block, {2.5f, 0, 2.5f}, {0, 0, 0}));
    // A ball flush against the block (centres 5 apart) starts on its face: inside for the probe.
    EXPECT_TRUE(Hits(block, {2.5f, 0, 0}, LEFT));
}

TEST(RayHitsBox, DegeneratePointBoxIsNeverHit) {
    const Vector3 point{1, 0, 1};
    EXPECT_FALSE(RayHitsBox(point, point, point, RIGHT));
    EXPECT_FALSE(RayHitsBox(point, point, {0, 0, 1}, RIGHT));
}

TEST(RayHitsBox, ZeroDirectionFromOutsideMisses) {
    EXPECT_FALSE(Hits(CellAt(5, 0), {0, 0, 0}, {0, 0, 0}));
}

TEST(RayHitsBox, DiagonalRayClipsACornerAndMissesWhenPointingAway) {
    // Ball centre below and left of the block's lower-left corner (2.5, 2.5): the ray up-right
    // meets the plane x = 2.5 last (t 0.8), where z is 3, inside the block.
    const Cell block = CellAt(5, 5);
    const Vector3 centre{0.5f, 0, 1};
    EXPECT_TRUE(Hits(block, centre, {2.5f, 0, 2.5f}));
    EXPECT_FALSE(Hits(block, centre, {-2.5f, 0, -2.5f}));
    EXPECT_FALSE(Hits(block, centre, {2.5f, 0, -2.5f}));
    // Passing right of the block: where the ray reaches z = 2.5 (t 3.4), x is already 8.5.
    EXPECT_FALSE(Hits(block, {0, 0, -6}, {2.5f, 0, 2.5f}));
}

TEST(RayHitsBox, FlatBoxOutOfTheRayPlaneIsMissed) {
    // The same cell raised to y 1: the ray at y 0 passes beneath it.
    const Cell raised{{2.5f, 1, -2.5f}, {7.5f, 1, 2.5f}};
    EXPECT_FALSE(Hits(raised, {0, 0, 0}, RIGHT));
}

}  // namespace
