// The flow of a game: load, the intro and its timer, falls, game over, clears and the ending.
#include "play_fixture.h"

namespace play_test {
namespace {

using Flow = PlayFixture;

// Stage 2's hole in row 0, column 0.
constexpr float HOLE_X = -47.5f;
constexpr float HOLE_Z = 47.5f;
constexpr int FALL_TICKS = 26;  // 25 sinking 2 units to -50, the loss counted on the 26th
constexpr int CLEAR_TICKS = 86;
constexpr int GAME_OVER_TICKS = 72;

// The ending and game-over banners after `steps` growth steps: 0.1 of scale and 36 degrees a
// step, kept centred on the 640 x 480 window and turning about its centre. `width` is the width
// the banner is centred with (the game-over banner's is one more than its 209 texels).
void ExpectGrownBanner(const Sprite& banner, int steps, double width) {
    const double scale = 0.1 * steps;
    EXPECT_NEAR(banner.scaleX, scale, 1e-5);
    EXPECT_NEAR(banner.scaleY, scale, 1e-5);
    EXPECT_NEAR(banner.x, (640 - scale * width) / 2, 1e-3);
    EXPECT_NEAR(banner.y, (480 - scale * 47) / 2, 1e-3);
    EXPECT_NEAR(banner.pivotX, scale * width / 2, 1e-3);
    EXPECT_NEAR(banner.pivotY, scale * 47 / 2, 1e-3);
    EXPECT_EQ(banner.angle, 36 * steps);
}

TEST_F(Flow, LoadStartsANewGameAtStageOneWithTenBalls) {
    EXPECT_EQ(app->PlayScene::loaded, 0);
    EXPECT_EQ(app->bestTimesRead, 0);
    EXPECT_EQ(Tick(), SCENE_PLAY);
    EXPECT_EQ(app->PlayScene::loaded, 1);
    EXPECT_EQ(app->bestTimesRead, 1);
    EXPECT_EQ(app->closed, 1);  // the file is never left open between ticks
    EXPECT_EQ(app->stage, 1);
    EXPECT_EQ(app->lives, 10);
    EXPECT_EQ(app->time, 0);
    EXPECT_EQ(app->phase, 1);
    EXPECT_EQ(app->sprites.size(), 326u);

    // A later game starts over, whatever the last one reached.
    app->stage = 6;
    app->lives = 3;
    app->PlayScene::loaded = 0;
    Tick();
    EXPECT_EQ(app->stage, 1);
    EXPECT_EQ(app->lives, 10);
}

TEST_F(Flow, TheIntroLasts102TicksThenTheTimerRuns) {
    Ticks(INTRO_TICKS - 1, 0x01 | 0x04);
    EXPECT_EQ(app->playing, 0);
    EXPECT_EQ(app->time, 0);
    // Keys during the intro tilt nothing.
    EXPECT_EQ(Ball().rotationX, 0.0f);
    EXPECT_EQ(Ball().rotationZ, 0.0f);
    Tick();
    EXPECT_EQ(app->playing, 1);
    EXPECT_EQ(app->phase, 0);
    EXPECT_EQ(app->time, 0);
    Ticks(75);
    EXPECT_EQ(app->time, 75);
    const float digits[4] = {0, 0, 7, 5};
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(SpriteAt(306 + k).cellColumn, digits[k]);
    }
    app->time = 9998;
    Ticks(3);
    EXPECT_EQ(app->time, 9999);
}

TEST_F(Flow, AFallTakes26TicksWithTheTimerRunningAndCostsOneBall) {
    StartStage(2);
    Tilt(3, 2);
    PlaceBall(HOLE_X + 1.0f, HOLE_Z - 1.0f);
    Tick();
    ASSERT_EQ(app->falling, 1);
    const int timeAtHole = app->time;
    for (int tick = 1; tick < FALL_TICKS; ++tick) {
        Tick();
        EXPECT_EQ(app->falling, 1) << "fall tick " << tick;
        EXPECT_EQ(Ball().position.y, -2.0f * tick);
        // Letters on fall ticks 1, 3, 5 and 7; the game-over and ending banners after them in
        // the list stay hidden.
        for (int letter = 0; letter < 4; ++letter) {
            EXPECT_EQ(SpriteAt(320 + letter).visible, tick >= 1 + 2 * letter ? 1 : 0);
        }
        EXPECT_EQ(SpriteAt(324).visible, 0) << "fall tick " << tick;
        EXPECT_EQ(SpriteAt(325).visible, 0) << "fall tick " << tick;
    }
    Tick();
    EXPECT_EQ(SpriteAt(324).visible, 0);
    EXPECT_EQ(SpriteAt(325).visible, 0);
    EXPECT_EQ(app->falling, 0);
    EXPECT_EQ(app->lives, 9);
    EXPECT_EQ(SpriteAt(312).cellColumn, 9.0f);
    EXPECT_EQ(app->time, timeAtHole + FALL_TICKS);
    EXPECT_EQ(app->stage, 2);
    EXPECT_EQ(Ball().visible, 1);
    EXPECT_EQ(Ball().position.x, -17.5f);
    EXPECT_EQ(Ball().position.z, 12.5f);
    EXPECT_EQ(Ball().rotationX, 0.0f);
    EXPECT_EQ(app->instances[1].rotationZ, 0.0f);
    for (int letter = 0; letter < 4; ++letter) {
        EXPECT_EQ(SpriteAt(320 + letter).visible, 0);
    }
}

TEST_F(Flow, TheTenthLostBallEndsTheGameAfter72TicksAtTheTitle) {
    StartStage(2);
    for (int ball = 1; ball <= 10; ++ball) {
        PlaceBall(HOLE_X, HOLE_Z);
        Ticks(1 + FALL_TICKS);
        ASSERT_EQ(app->lives, 10 - ball);
    }
    EXPECT_EQ(app->gameOver, 1);
    EXPECT_EQ(Ball().visible, 0);
    std::filesystem::remove(folder / "besttime.dat");
    for (int tick = 1; tick < GAME_OVER_TICKS; ++tick) {
        ASSERT_EQ(Tick(), SCENE_PLAY) << "game-over tick " << tick;
    }
    // Curtain closed, banner grown to scale 2 after 20 steps of 0.1.
    EXPECT_EQ(app->curtainOpen, 0);
    EXPECT_EQ(SpriteAt(0).x, 0.0f);
    EXPECT_EQ(SpriteAt(324).visible, 1);
    ExpectGrownBanner(SpriteAt(324), 20, 210);
    EXPECT_EQ(Tick(), SCENE_TITLE);
    EXPECT_EQ(app->PlayScene::loaded, 0);
    EXPECT_EQ(BestTimeText(), BestTimeLines(std::vector<int>(10, 9999)));
}

TEST_F(Flow, AClearTakes86TicksThenTheNextStageIsBuilt) {
    StartStage(1);
    PlaceBall(42.5f, -45.0f);  // 2.5 above the goal's centre
    Tick();
    ASSERT_EQ(app->goalReached, 1);
    EXPECT_EQ(app->time, 1);
    // Keys tilt the board while the curtain closes, on clear ticks 1 to 21, and not after it has
    // closed, until the board is levelled on tick 31.
    Tilt(4, 0);
    const double step = 0.017453;
    for (int tick = 1; tick < CLEAR_TICKS; ++tick) {
        const int bits = tick == 1 ? KEY_BIT_DOWN : tick >= 22 && tick <= 30 ? KEY_BIT_UP : 0;
        ASSERT_EQ(Tick(bits), SCENE_PLAY);
        ASSERT_EQ(app->goalReached, 1) << "clear tick " << tick;
        if (tick == 21) {
            EXPECT_EQ(app->curtainOpen, 0);
        }
        if (tick <= 30) {
            EXPECT_NEAR(Ball().rotationX, 3 * step, 1e-6) << "clear tick " << tick;
        }
    }
    EXPECT_EQ(app->stage, 2);
    // The two words slid in: 20 steps of 15 pixels from just outside the window.
    EXPECT_EQ(SpriteAt(300).x, -126.0f + 20 * 15.0f);
    EXPECT_EQ(SpriteAt(302).x, 640.0f - 20 * 15.0f);
    EXPECT_EQ(Ball().rotationX, 0.0f);
    std::filesystem::remove(folder / "besttime.dat");
    EXPECT_EQ(Tick(), SCENE_PLAY);
    EXPECT_EQ(app->goalReached, 0);
    EXPECT_EQ(app->playing, 0);
    EXPECT_EQ(SpriteAt(300).visible, 0);
    EXPECT_EQ(SpriteAt(302).visible, 0);
    std::vector<int> times(10, 9999);
    times[0] = 1;
    EXPECT_EQ(BestTimeText(), BestTimeLines(times));

    Tick();  // the next intro builds stage 2 behind the closed curtain
    EXPECT_EQ(app->stageMap, &stageMaps[1]);
    EXPECT_EQ(app->curtainOpen, 0);
    EXPECT_EQ(SpriteAt(304).cellColumn, 2.0f);
}

TEST_F(Flow, AfterStageTenTheEndingRunsAndPlayReturnsToTheTitle) {
    StartStage(10);
    PlaceBall(0, 45.0f);  // the top border is goal
    Tick();
    ASSERT_EQ(app->goalReached, 1);
    std::filesystem::remove(folder / "besttime.dat");
    for (int tick = 1; tick < CLEAR_TICKS; ++tick) {
        ASSERT_EQ(Tick(), SCENE_PLAY);
    }
    EXPECT_EQ(app->stage, 11);
    EXPECT_EQ(SpriteAt(325).visible, 1);
    EXPECT_EQ(SpriteAt(300).visible, 0);  // no clear banners after the last stage
    ExpectGrownBanner(SpriteAt(325), 20, 234);
    EXPECT_EQ(Tick(), SCENE_TITLE);
    EXPECT_EQ(app->PlayScene::loaded, 0);
    EXPECT_EQ(SpriteAt(325).visible, 0);
    std::vector<int> times(10, 9999);
    times[9] = 1;
    EXPECT_EQ(BestTimeText(), BestTimeLines(times));

    // Entering the scene again starts a new game at stage 1 without reading the file again.
    std::filesystem::remove(folder / "besttime.dat");
    EXPECT_EQ(Tick(), SCENE_PLAY);
    EXPECT_EQ(app->stage, 1);
    EXPECT_EQ(app->bestTimes[9], 1);
}

}  // namespace
}  // namespace play_test
