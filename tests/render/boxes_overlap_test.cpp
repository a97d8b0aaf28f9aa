// BoxesOverlap: the axis-aligned box test the ball's collisions use.
#include <gtest/gtest.h>

#include "render/meshes.h"

TEST(BoxesOverlap, IdenticalBoxesOverlap) {
    BoxTest test;
    EXPECT_EQ(test.BoxesOverlap(0, 0, 0, 1, 1, 1, 0, 0, 0, 1, 1, 1), 1);
}

TEST(BoxesOverlap, BoxesThatOnlyShareAFaceDoNotOverlap) {
    BoxTest test;
    EXPECT_EQ(test.BoxesOverlap(0, 0, 0, 1, 1, 1, 1, 0, 0, 2, 1, 1), 0);
    EXPECT_EQ(test.BoxesOverlap(0, 0, 0, 1, 1, 1, 0, 0, -1, 1, 1, 0), 0);
}

TEST(BoxesOverlap, ASeparationOnAnyOneAxisIsEnough) {
    BoxTest test;
    // Overlapping in two axes, apart in the third, for each axis in turn.
    EXPECT_EQ(test.BoxesOverlap(0, 0, 0, 2, 2, 2, 3, 1, 1, 4, 3, 3), 0);
    EXPECT_EQ(test.BoxesOverlap(0, 0, 0, 2, 2, 2, 1, 3, 1, 3, 4, 3), 0);
    EXPECT_EQ(test.BoxesOverlap(0, 0, 0, 2, 2, 2, 1, 1, 3, 3, 3, 4), 0);
    EXPECT_EQ(test.BoxesOverlap(0, 0, 0, 2, 2, 2, 1, 1, 1, 3, 3, 3), 1);
}

TEST(BoxesOverlap, OneBoxInsideTheOtherOverlaps) {
    BoxTest test;
    EXPECT_EQ(test.BoxesOverlap(-5, -5, -5, 5, 5, 5, -1, -1, -1, 1, 1, 1), 1);
    EXPECT_EQ(test.BoxesOverlap(-1, -1, -1, 1, 1, 1, -5, -5, -5, 5, 5, 5), 1);
}

TEST(BoxesOverlap, FlatBoxesInOnePlaneOverlapWhereTheirSpanIsZero) {
    BoxTest test;
    // Zero height at the same y, overlapping in x and z: span 0 counts as overlap.
    EXPECT_EQ(test.BoxesOverlap(0, 3, 0, 2, 3, 2, 1, 3, 1, 3, 3, 3), 1);
    // Zero height at different y: a span of 1 and an extent of 0.
    EXPECT_EQ(test.BoxesOverlap(0, 3, 0, 2, 3, 2, 1, 4, 1, 3, 4, 3), 0);
}
