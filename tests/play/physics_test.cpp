// The tilt input, the ball's roll, blocks, the board edge, holes and goals, and the world matrices.
#include <cmath>

#include "play_fixture.h"

namespace play_test {
namespace {

// Stage 1 has no holes, so every cell instance lies at y 0 and a map of our own can be laid over
// it.
const std::vector<std::string> OPEN_FLOOR(20, "00000000000000000000");

class Physics : public PlayFixture {
  protected:
    void SetUp() override {
        PlayFixture::SetUp();
        StartStage(1);
    }

    // A map of floor with the given cells changed.
    void UseMapWith(std::initializer_list<std::tuple<int, int, char>> cells) {
        std::vector<std::string> rows = OPEN_FLOOR;
        for (const auto& [row, column, kind] : cells) {
            rows[row][column] = kind;
        }
        UseMap(rows);
    }

    // The tilt angle after k whole steps from level, added one at a time as the input does.
    static float Steps(int k) {
        float angle = 0;
        for (int i = 0; i < std::abs(k); ++i) {
            angle += k > 0 ? STEP : -STEP;
        }
        return angle;
    }

    // The distance a tilt of `degrees` whole steps moves the ball in one tick: 0.15 a degree,
    // less one friction step of 0.15.
    static float Roll(int degrees) {
        float step = degrees * 0.15f;
        if (step < 0) {
            step += 0.15f;
        }
        if (step > 0) {
            step -= 0.15f;
        }
        return step;
    }
};

TEST_F(Physics, TiltStopsAtTenStepsAndEveryInstanceTurnsAlike) {
    Ticks(15, 0x01);
    EXPECT_EQ(Ball().rotationX, Steps(10));
    EXPECT_EQ(app->instances[1].rotationX, Steps(10));
    EXPECT_EQ(Cell(19, 18).rotationX, Steps(10));
    Tick(0x02);
    EXPECT_EQ(Ball().rotationX, Steps(10) - STEP);

    Ticks(15, 0x04);  // slot 2 lowers the right edge: the Z angle goes negative
    EXPECT_EQ(Ball().rotationZ, Steps(-10));
    Ticks(25, 0x08);
    EXPECT_EQ(Ball().rotationZ, Steps(10));
}

TEST_F(Physics, BothKeysOfAPairMoveOneWayUnlessAtTheBound) {
    Tick(0x01 | 0x02);  // the first key of the pair wins below the bound
    EXPECT_EQ(Ball().rotationX, STEP);
    Tick(0x04 | 0x08);
    EXPECT_EQ(Ball().rotationZ, -STEP);

    Tilt(9, -9);  // now at +10 and -10 steps
    Tick(0x01 | 0x02);
    EXPECT_EQ(Ball().rotationX, Steps(10) - STEP);
    Tick(0x04 | 0x08);
    EXPECT_EQ(Ball().rotationZ, Steps(-10) + STEP);
}

TEST_F(Physics, OneStepStandsTwoStepsRollTenStepsRollFast) {
    UseMap(OPEN_FLOOR);
    for (int steps : {1, 2, 10}) {
        PlaceBall(0, 0);
        Ball().rotationX = Ball().rotationZ = 0;
        Tilt(steps, -steps);  // towards the top and to the right
        app->MoveBall();
        EXPECT_EQ(Ball().position.x, Roll(steps)) << steps << " steps";
        EXPECT_EQ(Ball().position.z, Roll(steps)) << steps << " steps";
    }
    EXPECT_EQ(Roll(1), 0.0f);
    EXPECT_FLOAT_EQ(Roll(2), 0.15f);
    EXPECT_FLOAT_EQ(Roll(10), 1.35f);
}

TEST_F(Physics, TheEdgeTestUsesTheStepBeforeFriction) {
    UseMap(OPEN_FLOOR);
    PlaceBall(-47.4f, 0);
    Tilt(0, 1);  // one step to the left: no roll after friction, but -0.15 before it
    app->MoveBall();
    EXPECT_EQ(Ball().position.x, -47.5f);

    PlaceBall(47.0f, 47.0f);
    Tilt(10, -11);
    Ticks(5);
    EXPECT_EQ(Ball().position.x, 47.5f);
    EXPECT_EQ(Ball().position.z, 47.5f);
}

TEST_F(Physics, ABallRestsFlushAgainstABlockAndRollsAwayFreely) {
    UseMapWith({{10, 12, '1'}});  // block centre (12.5, -2.5)
    PlaceBall(0, CellZ(10));
    Tilt(0, -10);
    for (int tick = 0; tick < 20; ++tick) {
        app->MoveBall();
        ASSERT_LE(Ball().position.x, 7.5f);
    }
    EXPECT_EQ(Ball().position.x, 12.5f - 5.0f);
    EXPECT_EQ(Ball().position.z, CellZ(10));

    Tilt(0, 20);
    app->MoveBall();
    EXPECT_EQ(Ball().position.x, 7.5f + Roll(-10));
    EXPECT_EQ(Ball().position.z, CellZ(10));
}

TEST_F(Physics, BlocksStopTheBallOnBothAxesFromAnyDirection) {
    UseMapWith({{10, 10, '1'}});  // block centre (2.5, -2.5)
    const struct {
        float x, z;
        int tiltX, tiltZ;
        float restX, restZ;
    } approaches[] = {
        {-10.0f, -2.5f, 0, -10, -2.5f, -2.5f},  // from the left, rolling right
        {15.0f, -2.5f, 0, 10, 7.5f, -2.5f},     // from the right
        {2.5f, 10.0f, -10, 0, 2.5f, 2.5f},      // from above, rolling down
        {2.5f, -15.0f, 10, 0, 2.5f, -7.5f},     // from below
    };
    for (const auto& approach : approaches) {
        PlaceBall(approach.x, approach.z);
        Ball().rotationX = Ball().rotationZ = 0;
        Tilt(approach.tiltX, approach.tiltZ);
        for (int tick = 0; tick < 20; ++tick) {
            app->MoveBall();
        }
        EXPECT_EQ(Ball().position.x, approach.restX) << approach.x << "," << approach.z;
        EXPECT_EQ(Ball().position.z, approach.restZ) << approach.x << "," << approach.z;
    }
}

TEST_F(Physics, TheCornerPassPushesTheBallSidewaysOffACorner) {
    UseMapWith({{10, 10, '1'}});  // block centre (2.5, -2.5)
    // Moving up along z below the block's lower-left corner: pushed out in x, z kept.
    PlaceBall(2.5f - 4.0f, -2.5f - 6.0f);
    Tilt(10, 0);
    app->MoveBall();
    EXPECT_EQ(Ball().position.x, 2.5f - 5.0f);
    EXPECT_FLOAT_EQ(Ball().position.z, -2.5f - 6.0f + Roll(10));

    // Moving right along x left of the same corner: pushed out in z, x kept.
    PlaceBall(2.5f - 6.0f, -2.5f - 4.0f);
    Ball().rotationX = 0;
    Tilt(0, -10);
    app->MoveBall();
    EXPECT_FLOAT_EQ(Ball().position.x, 2.5f - 6.0f + Roll(10));
    EXPECT_EQ(Ball().position.z, -2.5f - 5.0f);

    // Moving diagonally, as fast along x as along z: pushed out in x.
    PlaceBall(2.5f - 6.0f, -2.5f - 5.5f);
    Tilt(10, 0);
    app->MoveBall();
    EXPECT_EQ(Ball().position.x, 2.5f - 5.0f);
    EXPECT_FLOAT_EQ(Ball().position.z, -2.5f - 5.5f + Roll(10));
}

TEST_F(Physics, HolesAndGoalsCatchTheBallWithinTwoPointSixOfTheirCentre) {
    UseMapWith({{10, 10, '2'}, {2, 2, '3'}});  // hole centre (2.5, -2.5), goal (-37.5, 37.5)
    for (const Vector3& miss :
         {Vector3{2.5f + 2.6f, 0, -2.5f}, Vector3{2.5f, 0, -2.5f - 2.6f},
          Vector3{-37.5f - 2.6f, 0, 37.5f}, Vector3{-37.5f, 0, 37.5f + 2.6f}}) {
        PlaceBall(miss.x, miss.z);
        app->CheckHoleAndGoal();
        EXPECT_EQ(app->falling, 0) << miss.x << "," << miss.z;
        EXPECT_EQ(app->goalReached, 0) << miss.x << "," << miss.z;
    }
    PlaceBall(-37.5f + 2.55f, 37.5f + 2.55f);
    app->CheckHoleAndGoal();
    EXPECT_EQ(app->goalReached, 1);
    EXPECT_EQ(Ball().position.x, -37.5f);
    EXPECT_EQ(Ball().position.z, 37.5f);
    app->goalReached = 0;

    PlaceBall(2.5f + 2.55f, -2.5f - 2.55f);
    Tick();
    EXPECT_EQ(app->falling, 1);
    EXPECT_EQ(Ball().position.x, 2.5f);
    EXPECT_EQ(Ball().position.y, 0.0f);
    EXPECT_EQ(Ball().position.z, -2.5f);
    Tick();  // the fall begins on the next tick
    EXPECT_EQ(Ball().position.y, -2.0f);
}

TEST_F(Physics, OnStageTenEveryBorderCellIsAGoal) {
    app->stage = 10;
    app->BuildBoard();
    for (int k = 0; k < 20; ++k) {
        const int border[4][2] = {{0, k}, {19, k}, {k, 0}, {k, 19}};
        for (const auto& [row, column] : border) {
            app->goalReached = 0;
            PlaceBall(CellX(column), CellZ(row));
            app->CheckHoleAndGoal();
            EXPECT_EQ(app->goalReached, 1) << row << "," << column;
        }
    }

    // Rolled right from the centre, the ball meets the two goals of rows 9 and 10 at once; the
    // first in row-major order takes it.
    app->goalReached = 0;
    PlaceBall(0, 0);
    Tilt(0, -10);
    for (int tick = 0; tick < 40 && !app->goalReached; ++tick) {
        Tick();
    }
    EXPECT_EQ(app->goalReached, 1);
    EXPECT_EQ(Ball().position.x, 47.5f);
    EXPECT_EQ(Ball().position.z, 2.5f);
}

TEST_F(Physics, TheBoardTurnsAboutItsCentreAndTheBallWithIt) {
    Tilt(10, 0);
    app->UpdateWorldMatrices();
    const float angle = Steps(10);
    // Row 0, column 0 at (-47.5, 0, 47.5) under a turn about x: (x, -z sin, z cos).
    const Matrix& corner = Cell(0, 0).world;
    EXPECT_FLOAT_EQ(corner.m[3][0], -47.5f);
    EXPECT_NEAR(corner.m[3][1], -47.5f * std::sin(angle), 1e-4);
    EXPECT_NEAR(corner.m[3][2], 47.5f * std::cos(angle), 1e-4);
    // The box turns without moving.
    EXPECT_EQ(app->instances[1].world.m[3][0], 0.0f);
    EXPECT_EQ(app->instances[1].world.m[3][1], 0.0f);
    EXPECT_NEAR(app->instances[1].world.m[1][2], std::sin(angle), 1e-6);
    const Vector3 ball = Ball().position;
    EXPECT_NEAR(Ball().world.m[3][1], -ball.z * std::sin(angle), 1e-4);
}

}  // namespace
}  // namespace play_test
