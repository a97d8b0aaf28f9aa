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

    // k whole tilt steps of 0.017453 radians. The input adds them one at a time in single
    // precision, so angles are compared within ANGLE_TOLERANCE, far below one step.
    static double Steps(int k) { return k * 0.017453; }
    static constexpr double ANGLE_TOLERANCE = 1e-6;
};

TEST_F(Physics, TiltStopsAtTenStepsAndEveryInstanceTurnsAlike) {
    Ticks(15, 0x01);
    EXPECT_NEAR(Ball().rotationX, Steps(10), ANGLE_TOLERANCE);
    EXPECT_EQ(app->instances[1].rotationX, Ball().rotationX);
    EXPECT_EQ(Cell(19, 18).rotationX, Ball().rotationX);
    Tick(0x02);
    EXPECT_NEAR(Ball().rotationX, Steps(9), ANGLE_TOLERANCE);

    Ticks(15, 0x04);  // slot 2 lowers the right edge: the Z angle goes negative
    EXPECT_NEAR(Ball().rotationZ, Steps(-10), ANGLE_TOLERANCE);
    Ticks(25, 0x08);
    EXPECT_NEAR(Ball().rotationZ, Steps(10), ANGLE_TOLERANCE);
}

TEST_F(Physics, BothKeysOfAPairMoveOneWayUnlessAtTheBound) {
    Tick(0x01 | 0x02);  // the first key of the pair wins below the bound
    EXPECT_EQ(Ball().rotationX, STEP);
    Tick(0x04 | 0x08);
    EXPECT_EQ(Ball().rotationZ, -STEP);

    Tilt(9, -9);  // now at +10 and -10 steps
    Tick(0x01 | 0x02);
    EXPECT_NEAR(Ball().rotationX, Steps(9), ANGLE_TOLERANCE);
    Tick(0x04 | 0x08);
    EXPECT_NEAR(Ball().rotationZ, Steps(-9), ANGLE_TOLERANCE);
}

TEST_F(Physics, OneStepStandsTwoStepsRollTenStepsRollFast) {
    UseMap(OPEN_FLOOR);
    // 0.15 a step, less one friction step of 0.15.
    const struct {
        int steps;
        float roll;
    } tilts[] = {{1, 0.0f}, {2, 0.15f}, {10, 1.35f}};
    for (const auto& tilt : tilts) {
        PlaceBall(0, 0);
        Ball().rotationX = Ball().rotationZ = 0;
        Tilt(tilt.steps, -tilt.steps);  // towards the top and to the right
        app->MoveBall();
        EXPECT_FLOAT_EQ(Ball().position.x, tilt.roll) << tilt.steps << " steps";
        EXPECT_FLOAT_EQ(Ball().position.z, tilt.roll) << tilt.steps << " steps";
    }
}

TEST_F(Physics, TheEdgeTestUsesTheStepBeforeFriction) {
    UseMap(OPEN_FLOOR);
    PlaceBall(-47.4f, 0);
    Tilt(0, 1);  // one step to the left: no roll after friction, but -0.15 before it
    app->MoveBall();
    EXPECT_EQ(Ball().position.x, -47.5f);

    // Ten steps to the right from x 46: the step before friction, 1.5, ends exactly on the edge
    // at 47.5, which is not past it; after friction the ball rolls 1.35.
    PlaceBall(46.0f, 0);
    Ball().rotationZ = 0;
    Tilt(0, -10);
    app->MoveBall();
    EXPECT_FLOAT_EQ(Ball().position.x, 47.35f);

    PlaceBall(47.0f, 47.0f);
    Tilt(10, 0);
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
    EXPECT_FLOAT_EQ(Ball().position.x, 7.5f - 1.35f);
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

TEST_F(Physics, TheFirstAndLastCellsOfTheMapBlockLikeAnyOther) {
    // Cell (0, 0) has its centre at (-47.5, 47.5), cell (19, 19) at (47.5, -47.5).
    UseMapWith({{0, 0, '1'}, {19, 19, '1'}});
    PlaceBall(-35.0f, 47.5f);
    Tilt(0, 10);  // rolling left
    for (int tick = 0; tick < 20; ++tick) {
        app->MoveBall();
    }
    EXPECT_EQ(Ball().position.x, -42.5f);
    EXPECT_EQ(Ball().position.z, 47.5f);

    PlaceBall(35.0f, -47.5f);
    Ball().rotationX = Ball().rotationZ = 0;
    Tilt(0, -20);  // from ten steps left to ten right: rolling right
    for (int tick = 0; tick < 20; ++tick) {
        app->MoveBall();
    }
    EXPECT_EQ(Ball().position.x, 42.5f);
    EXPECT_EQ(Ball().position.z, -47.5f);
}

TEST_F(Physics, TwoBlocksCorrectTheBallInOneAxisPass) {
    // Rolling up and right (10 steps right, 5 up: 1.35 and 0.6 a tick) from flush under a block
    // and flush left of another, into the corner between them: the block above takes the z of
    // the step back, the one to the right the x, and the ball stays where it was.
    UseMapWith({{9, 10, '1'}, {10, 11, '1'}});  // centres (2.5, 2.5) and (7.5, -2.5)
    PlaceBall(2.5f, -2.5f);
    Tilt(5, -10);
    app->MoveBall();
    EXPECT_EQ(Ball().position.x, 2.5f);
    EXPECT_EQ(Ball().position.z, -2.5f);
}

TEST_F(Physics, TheCornerPassPushesTheBallSidewaysOffACorner) {
    // One block, centre (2.5, -2.5), its box x 0 to 5 and z -5 to 0. Each ball starts clear of
    // the block's rows and columns, so the axis pass lets it in; one tick of ten steps moves it
    // 1.35. Moving mostly along z it is pushed out in x, and mostly along x, out in z.
    UseMapWith({{10, 10, '1'}});
    const struct {
        const char* what;
        float x, z;
        int tiltX, tiltZ;
        float restX, restZ;
    } passes[] = {
        {"ray 1, up past the lower left", -1.5f, -8.5f, 10, 0, -2.5f, -8.5f + 1.35f},
        {"ray 2, down past the upper left", -1.5f, 3.5f, -10, 0, -2.5f, 3.5f - 1.35f},
        {"ray 3, down past the upper right", 6.5f, 3.5f, -10, 0, 7.5f, 3.5f - 1.35f},
        {"ray 4, up past the lower right", 6.5f, -8.5f, 10, 0, 7.5f, -8.5f + 1.35f},
        {"ray 1, right past the lower left", -3.5f, -6.5f, 0, -10, -3.5f + 1.35f, -7.5f},
        {"ray 2, right past the upper left", -3.5f, 1.5f, 0, -10, -3.5f + 1.35f, 2.5f},
        {"ray 3, left past the upper right", 8.5f, 1.5f, 0, 10, 8.5f - 1.35f, 2.5f},
        {"ray 4, left past the lower right", 8.5f, -6.5f, 0, 10, 8.5f - 1.35f, -7.5f},
        // As fast along x as along z counts as along z: pushed out in x.
        {"ray 1, diagonally", -3.5f, -8.0f, 10, -10, -2.5f, -8.0f + 1.35f},
    };
    for (const auto& pass : passes) {
        PlaceBall(pass.x, pass.z);
        Ball().rotationX = Ball().rotationZ = 0;
        Tilt(pass.tiltX, pass.tiltZ);
        app->MoveBall();
        EXPECT_FLOAT_EQ(Ball().position.x, pass.restX) << pass.what;
        EXPECT_FLOAT_EQ(Ball().position.z, pass.restZ) << pass.what;
    }
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
    const double angle = Steps(10);
    // Row 0, column 0 at (-47.5, 0, 47.5) under a turn about x: (x, -z sin, z cos).
    const Matrix& corner = Cell(0, 0).world;
    EXPECT_FLOAT_EQ(corner.m[3][0], -47.5f);
    EXPECT_NEAR(corner.m[3][1], -47.5 * std::sin(angle), 1e-4);
    EXPECT_NEAR(corner.m[3][2], 47.5 * std::cos(angle), 1e-4);
    // The box turns without moving.
    EXPECT_EQ(app->instances[1].world.m[3][0], 0.0f);
    EXPECT_EQ(app->instances[1].world.m[3][1], 0.0f);
    EXPECT_NEAR(app->instances[1].world.m[1][2], std::sin(angle), 1e-6);
    const Vector3 ball = Ball().position;
    EXPECT_NEAR(Ball().world.m[3][1], -ball.z * std::sin(angle), 1e-4);

    // With both tilts the turn about x comes first, then the one about z, which takes
    // (x, y, z) to (x cos - y sin, x sin + y cos, z).
    Tilt(0, -4);
    app->UpdateWorldMatrices();
    const double angleZ = Steps(-4);
    const double x = -47.5, y = -47.5 * std::sin(angle), z = 47.5 * std::cos(angle);
    EXPECT_NEAR(corner.m[3][0], x * std::cos(angleZ) - y * std::sin(angleZ), 1e-4);
    EXPECT_NEAR(corner.m[3][1], x * std::sin(angleZ) + y * std::cos(angleZ), 1e-4);
    EXPECT_NEAR(corner.m[3][2], z, 1e-4);
}

TEST_F(Physics, BothTiltsTurnEveryCellAboutXAndThenAboutZ) {
    Tilt(10, -6);
    app->UpdateWorldMatrices();
    const float a = Steps(10), b = Steps(-6);
    // Row 19, column 0 at (-47.5, 0, -47.5): about x to (x, -z sin a, z cos a), then about z.
    const float x = -47.5f, y = 47.5f * std::sin(a), z = -47.5f * std::cos(a);
    const Matrix& corner = Cell(19, 0).world;
    EXPECT_NEAR(corner.m[3][0], x * std::cos(b) - y * std::sin(b), 1e-4);
    EXPECT_NEAR(corner.m[3][1], x * std::sin(b) + y * std::cos(b), 1e-4);
    EXPECT_NEAR(corner.m[3][2], z, 1e-4);
    // The cell turns with the board: its x axis tips with the z tilt.
    EXPECT_NEAR(corner.m[0][1], std::sin(b), 1e-6);
    EXPECT_NEAR(app->instances[1].world.m[0][1], std::sin(b), 1e-6);
}

}  // namespace
}  // namespace play_test
