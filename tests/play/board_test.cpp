// BuildBoard: the instance list of a stage, cell positions and meshes, and the ball's start.
#include "play_fixture.h"

namespace play_test {
namespace {

using Board = PlayFixture;

TEST_F(Board, EveryBuildLeavesBallBoxAndFourHundredCells) {
    Tick();  // load and the first intro tick, which builds stage 1
    ASSERT_EQ(app->instances.size(), 402u);
    EXPECT_EQ(app->instances[0].mesh, &app->meshes[0]);
    EXPECT_EQ(app->instances[1].mesh, &app->meshes[1]);
    for (int stage = 2; stage <= 10; ++stage) {
        app->stage = stage;
        app->BuildBoard();
        ASSERT_EQ(app->instances.size(), 402u) << "stage " << stage;
        for (int row = 0; row < 20; ++row) {
            for (int column = 0; column < 20; ++column) {
                const int cell = stageMaps[stage - 1].cells[20 * row + column];
                // Floor: tile mesh 2, block: mesh 3, hole and goal: goal mesh 4.
                const int mesh = cell == 0 ? 2 : cell == 1 ? 3 : 4;
                const MeshInstance& instance = Cell(row, column);
                ASSERT_EQ(instance.mesh, &app->meshes[mesh]) << row << "," << column;
                EXPECT_EQ(instance.position.x, CellX(column));
                EXPECT_EQ(instance.position.y, cell == 2 ? -1000.0f : 0.0f);
                EXPECT_EQ(instance.position.z, CellZ(row));
            }
        }
    }
}

TEST_F(Board, TheGoalOfStageOneIsInstanceFourHundred) {
    Tick();
    const MeshInstance& goal = app->instances[2 + 20 * 19 + 18];
    EXPECT_EQ(&goal, &app->instances[400]);
    EXPECT_EQ(goal.mesh, &app->meshes[4]);
    EXPECT_EQ(goal.position.x, 42.5f);
    EXPECT_EQ(goal.position.y, 0.0f);
    EXPECT_EQ(goal.position.z, -47.5f);
}

TEST_F(Board, BuildSetsStageStartTimeAndDisplay) {
    Tick();
    app->stage = 3;
    app->time = 77;
    app->lives = 7;
    app->bestTimes[2] = 0x190;  // 400
    app->BuildBoard();
    EXPECT_EQ(app->time, 0);
    EXPECT_EQ(app->stageMap, &stageMaps[2]);
    EXPECT_EQ(app->startPosition.z, 2.5f);
    EXPECT_EQ(Ball().position.x, -47.5f);
    EXPECT_EQ(Ball().position.z, 2.5f);
    EXPECT_EQ(SpriteAt(311).cellColumn, 0.0f);
    EXPECT_EQ(SpriteAt(312).cellColumn, 7.0f);
    const float best[4] = {0, 4, 0, 0};
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(SpriteAt(315 + k).cellColumn, best[k]) << "digit " << k;
    }
}

TEST_F(Board, StartsOutsideTheBoardAreClampedByTheFirstMotion) {
    Tick();  // builds stage 1 and moves the ball once in the same tick
    EXPECT_EQ(app->startPosition.z, 52.5f);
    EXPECT_EQ(Ball().position.x, -47.5f);
    EXPECT_EQ(Ball().position.z, 47.5f);

    app->stage = 8;
    app->phase = 0;
    Tick();
    EXPECT_EQ(app->startPosition.x, 52.5f);
    EXPECT_EQ(Ball().position.x, 47.5f);
    EXPECT_EQ(Ball().position.z, 17.5f);
}

}  // namespace
}  // namespace play_test
