// The solver's probe: the game's own roll code on a built stage, stepped from saved states.
#include "tools/solver/board_probe.h"

#include <gtest/gtest.h>

namespace {

constexpr float TILT_STEP = 0.017453f;
constexpr float SPEED_PER_DEGREE = 0.15f;
constexpr float BOARD_HALF = 47.5f;

TEST(BoardProbe, StartsWhereTheIntroLeavesTheBall) {
    {
        // Stored one cell above row 0; the intro's motion clamps it onto the board.
        BoardProbe probe(1);
        EXPECT_FLOAT_EQ(probe.Start().x, -BOARD_HALF);
        EXPECT_FLOAT_EQ(probe.Start().z, BOARD_HALF);
        EXPECT_EQ(probe.Start().tiltX, 0.0f);
    }
    {
        BoardProbe probe(8);
        EXPECT_FLOAT_EQ(probe.Start().x, BOARD_HALF);
        EXPECT_FLOAT_EQ(probe.Start().z, 17.5f);
    }
}

TEST(BoardProbe, EveryStepStartsFromTheStateItIsGiven) {
    BoardProbe probe(10);  // starts at the centre of the open middle of the board
    const BallState start = probe.Start();
    BallState oneDegree, twoDegrees, again, level;
    EXPECT_EQ(probe.Step(start, KEY_BIT_RIGHT, oneDegree), Outcome::Rolling);
    EXPECT_EQ(oneDegree.tiltZ, -TILT_STEP);
    EXPECT_EQ(oneDegree.x, start.x);  // one degree is all friction

    EXPECT_EQ(probe.Step(oneDegree, KEY_BIT_RIGHT | KEY_BIT_UP, twoDegrees), Outcome::Rolling);
    EXPECT_FLOAT_EQ(twoDegrees.x, start.x + 2 * SPEED_PER_DEGREE - SPEED_PER_DEGREE);
    EXPECT_EQ(twoDegrees.z, start.z);
    EXPECT_EQ(twoDegrees.tiltX, TILT_STEP);

    // The probe's game has moved on; the same step from the same state must not notice.
    EXPECT_EQ(probe.Step(oneDegree, KEY_BIT_RIGHT | KEY_BIT_UP, again), Outcome::Rolling);
    EXPECT_EQ(again.x, twoDegrees.x);
    EXPECT_EQ(again.tiltZ, twoDegrees.tiltZ);
    EXPECT_EQ(probe.Step(start, 0, level), Outcome::Rolling);
    EXPECT_EQ(level.x, start.x);
    EXPECT_EQ(level.tiltZ, 0.0f);
}

}  // namespace
