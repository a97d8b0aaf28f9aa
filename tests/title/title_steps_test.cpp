// The opening's steps: picture fades, boxes sliding, turning and scrolling, the title's flight and
// the letters' hop, each on its normal and its skipping path.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "app/key_bits.h"
#include "title_fixture.h"
#include "title_matrices.h"

namespace title_test {
namespace {

using TitleSteps = TitleFixture;

// The picture fades as the rules give them: steps 0 and 1 raise one half by 5 per channel a tick
// (a skip makes it opaque white), step 3 lowers both by 5 (a skip makes them transparent). Every
// channel must match this level on every tick, which also keeps each within 0 to 255.
struct PictureModel {
    int level[2] = {0, 0};

    void Apply(int state, bool skip) {
        if (state == FadeInUpper || state == FadeInLower) {
            level[state] = skip ? 255 : level[state] + 5;
        } else if (state == FadeOutPicture) {
            for (int& half : level) {
                half = skip ? 0 : half - 5;
            }
        }
    }
};

::testing::AssertionResult ChannelsAre(D3DCOLOR colour, int level) {
    if (level < 0 || level > 255) {
        return ::testing::AssertionFailure() << "the rules gave level " << level;
    }
    for (int shift = 0; shift < 32; shift += 8) {
        const int channel = (colour >> shift) & 0xFF;
        if (channel != level) {
            return ::testing::AssertionFailure()
                   << "colour " << std::hex << colour << std::dec << ": channel at bit " << shift
                   << " is " << channel << ", expected " << level;
        }
    }
    return ::testing::AssertionSuccess();
}

TEST_F(TitleSteps, PictureChannelsFollowTheFadesOnEveryPath) {
    // Key patterns: none, and a single press at every tick of the picture steps, so each fade
    // is skipped at every point of its course.
    const int pictureTicks = 4 * 51 + 1;
    for (int pressAt = -1; pressAt < pictureTicks; ++pressAt) {
        app->TitleScene::loaded = 0;
        PictureModel model;
        for (int tick = 0; tick < pictureTicks; ++tick) {
            const int bits = tick == pressAt ? KEY_BIT_DOWN : 0;
            // The state this tick runs: a reload starts at step 0.
            const int state = app->TitleScene::loaded == 0 ? FadeInUpper : State();
            // keysReleased is 1 after a load and after every keyless tick.
            model.Apply(state, bits != 0);
            Tick(bits);
            ASSERT_TRUE(ChannelsAre(app->sprites[0].colour, model.level[0]))
                << "press at " << pressAt << ", tick " << tick;
            ASSERT_TRUE(ChannelsAre(app->sprites[1].colour, model.level[1]))
                << "press at " << pressAt << ", tick " << tick;
        }
        EXPECT_EQ(app->sprites[0].colour, 0u);
        EXPECT_EQ(app->sprites[1].colour, 0u);
    }
}

TEST_F(TitleSteps, BoxesSlideInToFifteenAndShowAllInstances) {
    RunUntilState(BoxesSlideIn);
    EXPECT_EQ(app->instances[2].visible, 0);
    Tick();
    for (const MeshInstance& instance : app->instances) {
        EXPECT_EQ(instance.visible, 1);
    }
    // The world of each tick is built before the move: 200 at the first tick.
    EXPECT_TRUE(MatrixNear(app->instances[0].world, Moved(0, 200, 0)));
    EXPECT_TRUE(MatrixNear(app->instances[1].world, Moved(0, -200, 0)));
    Ticks(36);
    EXPECT_EQ(State(), TitleFlyIn);
    // 37 moves of 5 from 200; the last world drawn is one move short.
    EXPECT_EQ(app->instances[0].position.y, 200.0f - 37 * 5.0f);
    EXPECT_EQ(app->instances[1].position.y, -200.0f + 37 * 5.0f);
    EXPECT_TRUE(MatrixNear(app->instances[0].world, Moved(0, 20, 0)));
    EXPECT_TRUE(MatrixNear(app->instances[1].world, Moved(0, -20, 0)));
}

TEST_F(TitleSteps, SkippingTheSlideMovesTheBoxesButNotTheirWorlds) {
    RunUntilState(BoxesSlideIn);
    Ticks(10);
    const Matrix upperBefore = app->instances[0].world;
    const Matrix lowerBefore = app->instances[1].world;
    Tick(0x01);
    EXPECT_EQ(State(), TitleFlyIn);
    EXPECT_EQ(app->instances[0].position.y, 15.0f);
    EXPECT_EQ(app->instances[1].position.y, -15.0f);
    EXPECT_TRUE(MatrixNear(app->instances[0].world, upperBefore, 0));
    EXPECT_TRUE(MatrixNear(app->instances[1].world, lowerBefore, 0));

    // The fly-in rebuilds them at once: moved, then still turned by pi from the load.
    Tick();
    EXPECT_TRUE(MatrixNear(app->instances[0].world, MovedThenTurnedZ(0, 15, 0, PI)));
    EXPECT_TRUE(MatrixNear(app->instances[1].world, MovedThenTurnedZ(0, -15, 0, PI)));
}

TEST_F(TitleSteps, SkippingTheSlideAtItsStartStillShowsTheInstances) {
    RunUntilState(BoxesSlideIn);
    Tick(0x01);
    for (const MeshInstance& instance : app->instances) {
        EXPECT_EQ(instance.visible, 1);
    }
    // Never rebuilt: still the load's turned placement above the screen.
    EXPECT_TRUE(MatrixNear(app->instances[0].world, TurnedZThenMoved(PI, 0, 200, 0)));
}

TEST_F(TitleSteps, BoxesTurnOnceDuringTheFlyIn) {
    RunUntilState(TitleFlyIn);
    Ticks(181);
    EXPECT_EQ(State(), LettersHop);
    // 180 of the 181 ticks turn: all but the one at counter 180.
    const double expected = 3.1415927 + 180 * 0.034906;
    EXPECT_NEAR(app->instances[0].rotationZ, expected, 1e-3);
    EXPECT_NEAR(app->instances[1].rotationZ, expected, 1e-3);
    // The turn stops with the step.
    Ticks(20);
    EXPECT_NEAR(app->instances[0].rotationZ, expected, 1e-3);
}

TEST_F(TitleSteps, SkippingTheFlyInStraightensTheBoxesAndPlacesTheTitle) {
    RunUntilState(TitleFlyIn);
    Ticks(40);
    const Matrix upperBefore = app->instances[0].world;
    Tick(0x01);
    EXPECT_EQ(State(), LettersHop);
    EXPECT_EQ(app->instances[0].rotationZ, 0.0f);
    EXPECT_EQ(app->instances[1].rotationZ, 0.0f);
    // A skip replaces the box step: no world built, no scroll in this tick.
    EXPECT_TRUE(MatrixNear(app->instances[0].world, upperBefore, 0));
    const MeshInstance& titleMesh = app->instances[2];
    EXPECT_EQ(titleMesh.rotationY, 0.0f);
    EXPECT_FLOAT_EQ(titleMesh.position.y, 8.3f);
    EXPECT_EQ(titleMesh.position.z, -90.0f);
    EXPECT_TRUE(MatrixNear(titleMesh.world, Moved(0, 8.3f, -90)));
}

TEST_F(TitleSteps, TitleSpinsTowardsTheCamera) {
    RunUntilState(TitleFlyIn);
    Tick();
    EXPECT_TRUE(MatrixNear(app->instances[2].world, Moved(0, 6.5f, 0)));
    Ticks(180);
    // The last world was built at counter 180 from 180 steps of each kind.
    const MeshInstance& titleMesh = app->instances[2];
    EXPECT_TRUE(MatrixNear(titleMesh.world,
                           TurnedYThenMoved(180 * 0.279248f, 0, 6.5f + 180 * 0.01f, -90), 2e-3));
    EXPECT_NEAR(titleMesh.rotationY, 181 * 0.279248, 2e-3);
    EXPECT_NEAR(titleMesh.position.y, 6.5 + 181 * 0.01, 1e-4);
    EXPECT_EQ(titleMesh.position.z, -90.5f);
    // After the step the title's world is left alone.
    const Matrix last = titleMesh.world;
    Ticks(30);
    EXPECT_TRUE(MatrixNear(app->instances[2].world, last, 0));
}

TEST_F(TitleSteps, BoxesScrollInAFiveTickCycle) {
    RunUntilState(WaitForStart);
    // Whatever the phase, the depths drawn run 0, -2, -4, -6, -8 and return to 0 every fifth
    // tick: two whole cycles from the first 0, so a cycle of another length shows.
    constexpr int CYCLE = 5;
    std::vector<float> depths;
    for (int i = 0; i < 3 * CYCLE; ++i) {
        Tick();
        depths.push_back(app->instances[0].world.m[3][2]);
        EXPECT_EQ(app->instances[1].world.m[3][2], depths.back());
    }
    const auto start = std::find(depths.begin(), depths.begin() + CYCLE, 0.0f);
    ASSERT_NE(start, depths.begin() + CYCLE);
    for (int i = 0; i < 2 * CYCLE; ++i) {
        EXPECT_EQ(*(start + i), -2.0f * (i % CYCLE)) << "tick " << i << " of the cycles";
    }
    // The boxes are moved, then turned about the line of sight.
    const MeshInstance& upper = app->instances[0];
    EXPECT_TRUE(
        MatrixNear(upper.world, MovedThenTurnedZ(0, 15, upper.world.m[3][2], upper.rotationZ)));
}

TEST_F(TitleSteps, LettersHopOneAfterAnother) {
    RunUntilState(LettersHop);
    for (int tick = 1; tick <= 123; ++tick) {
        Tick();
        // After `tick` ticks, letter j has risen for the ticks 10j to 10j + 9 it has seen and
        // dropped back for 10j + 10 and 10j + 11.
        for (int letter = 0; letter < 12; ++letter) {
            const int rising = std::clamp(tick - 10 * letter, 0, 10);
            const int settling = std::clamp(tick - 10 * letter - 10, 0, 2);
            const float expected = 480.0f - 16.0f * rising + 16.0f * settling;
            ASSERT_EQ(app->sprites[2 + letter].y, expected)
                << "letter " << letter << " after " << tick << " ticks";
        }
    }
    EXPECT_EQ(State(), WaitForStart);
}

TEST_F(TitleSteps, SkippingTheHopSettlesEveryLetter) {
    RunUntilState(LettersHop);
    Ticks(35);
    EXPECT_NE(app->sprites[2 + 3].y, 352.0f);  // mid-hop
    Tick(0x01);
    EXPECT_EQ(State(), WaitForStart);
    for (int letter = 0; letter < 12; ++letter) {
        EXPECT_EQ(app->sprites[2 + letter].y, 352.0f);
        EXPECT_EQ(app->sprites[2 + letter].x, app->sprites[2 + letter].sourceX + 192.0f);
    }
}

}  // namespace
}  // namespace title_test
