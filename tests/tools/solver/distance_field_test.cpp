// The solver's distance field: where the ball's centre may be, and how far it is to a target.
#include "tools/solver/distance_field.h"

#include <gtest/gtest.h>

namespace {

constexpr float CELL = 5.0f;

float CellX(int column) {
    return -47.5f + CELL * column;
}

float CellZ(int row) {
    return 47.5f - CELL * row;
}

// Floor with a block at row 10 column 10, a hole at row 5 column 5 and a goal at row 15 column 15.
StageMap SmallMap() {
    StageMap map{};
    map.cells[20 * 10 + 10] = Block;
    map.cells[20 * 5 + 5] = Hole;
    map.cells[20 * 15 + 15] = Goal;
    return map;
}

TEST(DistanceField, BallFlushAgainstABlockIsFreeAndAnyCloserOverlapsIt) {
    const DistanceField field(SmallMap(), Goal);
    // The ball is a cell wide: centres 5 apart only touch, which is no overlap.
    EXPECT_TRUE(field.IsOpen(CellX(10) + CELL, CellZ(10)));
    EXPECT_TRUE(field.IsOpen(CellX(10), CellZ(10) - CELL));
    EXPECT_FALSE(field.IsOpen(CellX(10) + CELL - 0.5f, CellZ(10)));
    EXPECT_FALSE(field.IsOpen(CellX(10) + 4.5f, CellZ(10) + 4.5f));
}

TEST(DistanceField, HoleCatchesACentreWithin2Point6OnBothAxes) {
    const DistanceField field(SmallMap(), Goal);
    EXPECT_FALSE(field.IsOpen(CellX(5) + 2.5f, CellZ(5) - 2.5f));
    EXPECT_TRUE(field.IsOpen(CellX(5) + 3.0f, CellZ(5)));
    EXPECT_TRUE(field.IsOpen(CellX(5), CellZ(5) + 3.0f));
}

TEST(DistanceField, DistanceRunsToTheEdgeOfTheTargetsReach) {
    const DistanceField goals(SmallMap(), Goal);
    // Along row 15 towards the goal: caught once the centre is within 2.6, so at 2.5 on the grid.
    EXPECT_FLOAT_EQ(goals.DistanceAt(CellX(15) - 10.0f, CellZ(15)), 7.5f);
    EXPECT_FLOAT_EQ(goals.DistanceAt(CellX(15) + 2.5f, CellZ(15)), 0.0f);

    // Aimed at holes, the goal is one more place to keep away from.
    const DistanceField holes(SmallMap(), Hole);
    EXPECT_FLOAT_EQ(holes.DistanceAt(CellX(5), CellZ(5) - 10.0f), 7.5f);
    EXPECT_FALSE(holes.IsOpen(CellX(15), CellZ(15)));
    EXPECT_GE(holes.DistanceAt(CellX(15), CellZ(15)), DistanceField::UNREACHABLE);
}

}  // namespace
