// TitleScene::Load: what the opening puts into the engine's lists and on the device.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "title_fixture.h"
#include "title_matrices.h"

namespace title_test {
namespace {

using TitleLoad = TitleFixture;

TEST_F(TitleLoad, FirstTickLoadsTheOpeningAndRunsStepZero) {
    EXPECT_EQ(app->TitleScene::loaded, 0);
    EXPECT_EQ(Tick(), SCENE_TITLE);

    EXPECT_EQ(app->TitleScene::loaded, 1);
    EXPECT_EQ(State(), FadeInUpper);
    EXPECT_EQ(Counter(), 1);
    ASSERT_EQ(app->textures.size(), 1u);
    EXPECT_EQ(app->textures[0].imageInfo.Width, 256u);
    // Both meshes keep their index even though neither file exists here.
    EXPECT_EQ(app->meshes.size(), 2u);
    ASSERT_EQ(app->instances.size(), 3u);
    EXPECT_EQ(app->instances[0].mesh, &app->meshes[0]);
    EXPECT_EQ(app->instances[1].mesh, &app->meshes[0]);
    EXPECT_EQ(app->instances[2].mesh, &app->meshes[1]);
}

TEST_F(TitleLoad, SpritesFollowTheOpeningTable) {
    Tick();
    ASSERT_EQ(app->sprites.size(), 14u);
    for (const Sprite& sprite : app->sprites) {
        EXPECT_EQ(sprite.texture, &app->textures[0]);
        EXPECT_EQ(sprite.z, 0.0f);
        EXPECT_EQ(sprite.uniformColour, 1);
        EXPECT_EQ(sprite.visible, 1);
        EXPECT_EQ(sprite.animate, 0);
    }

    // The two picture halves, centred: 192 = (640 - 256) / 2 and 176 = (480 - 128) / 2.
    for (int half = 0; half < 2; ++half) {
        const Sprite& picture = app->sprites[half];
        EXPECT_EQ(picture.x, 192.0f);
        EXPECT_EQ(picture.y, 176.0f + 64.0f * half);
        EXPECT_EQ(picture.width, 256.0f);
        EXPECT_EQ(picture.height, 64.0f);
        EXPECT_EQ(picture.cellColumn, 0.0f);
        EXPECT_EQ(picture.cellRow, static_cast<float>(half));
        EXPECT_EQ(picture.sourceX, 0.0f);
        EXPECT_EQ(picture.sourceY, 0.0f);
    }
    // Step 0 has run once: the upper half has risen by 5 per channel, the lower not at all.
    EXPECT_EQ(app->sprites[0].colour, 0x05050505u);
    EXPECT_EQ(app->sprites[1].colour, 0x00000000u);

    // The glyphs lie side by side from texel x 0; each letter sits at 192 plus its texel x,
    // with its top on the bottom edge of the window.
    const float widths[12] = {28, 19, 19, 19, 24, 19, 20, 18, 20, 19, 19, 19};
    float sourceX = 0;
    for (int letter = 0; letter < 12; ++letter) {
        const Sprite& sprite = app->sprites[2 + letter];
        EXPECT_EQ(sprite.sourceX, sourceX) << "letter " << letter;
        EXPECT_EQ(sprite.sourceY, 128.0f);
        EXPECT_EQ(sprite.x, 192.0f + sourceX);
        EXPECT_EQ(sprite.y, 480.0f);
        EXPECT_EQ(sprite.width, widths[letter]);
        EXPECT_EQ(sprite.height, 64.0f);
        EXPECT_EQ(sprite.colour, 0xFFFFFFFFu);
        sourceX += widths[letter];
    }
    EXPECT_EQ(sourceX, 243.0f);  // the row of glyphs ends at texel x 242
}

TEST_F(TitleLoad, InstancesStartHiddenWithTheBoxesTurnedHalfwayOffScreen) {
    Tick();
    for (const MeshInstance& instance : app->instances) {
        EXPECT_EQ(instance.visible, 0);
    }
    EXPECT_FLOAT_EQ(app->instances[0].rotationZ, PI);
    EXPECT_FLOAT_EQ(app->instances[1].rotationZ, PI);
    EXPECT_EQ(app->instances[0].position.y, 200.0f);
    EXPECT_EQ(app->instances[1].position.y, -200.0f);
    EXPECT_TRUE(MatrixNear(app->instances[0].world, TurnedZThenMoved(PI, 0, 200, 0)));
    EXPECT_TRUE(MatrixNear(app->instances[1].world, TurnedZThenMoved(PI, 0, -200, 0)));
    EXPECT_EQ(app->instances[2].position.y, 6.5f);
    EXPECT_EQ(app->instances[2].rotationY, 0.0f);
    EXPECT_TRUE(MatrixNear(app->instances[2].world, Moved(0, 6.5f, 0)));
}

TEST_F(TitleLoad, BoxesAreWireframeAndTheTitleSolid) {
    Tick();
    const RenderStateOverride expected[6] = {
        {0, 8, 2}, {0, 22, 1}, {1, 8, 2}, {1, 22, 1}, {2, 8, 3}, {2, 22, 3},
    };
    ASSERT_EQ(app->renderStateOverrides.size(), 6u);
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(app->renderStateOverrides[i].instance, expected[i].instance) << i;
        EXPECT_EQ(app->renderStateOverrides[i].state, expected[i].state) << i;
        EXPECT_EQ(app->renderStateOverrides[i].value, expected[i].value) << i;
    }
}

TEST_F(TitleLoad, CameraLooksDownTheZAxisWithLightFromAbove) {
    log.Clear();
    Tick();
    EXPECT_EQ(app->eye.z, -100.0f);
    EXPECT_EQ(app->eye.y, 10.0f);
    EXPECT_EQ(app->lookAt.z, 100.0f);
    EXPECT_EQ(app->lookAt.y, 10.0f);
    EXPECT_EQ(app->up.y, 1.0f);
    // Looking straight along +z, the view only moves the eye to the origin.
    EXPECT_TRUE(MatrixNear(app->view, Moved(0, -10, 100)));
    // Perspective: h = cot(pi / 6) = sqrt(3); w = h / 1.333; far / (far - near) = 500 / 499.
    EXPECT_NEAR(app->projection.m[1][1], std::sqrt(3.0f), 1e-4);
    EXPECT_NEAR(app->projection.m[0][0], std::sqrt(3.0f) / 1.333f, 1e-4);
    EXPECT_NEAR(app->projection.m[2][2], 500.0f / 499.0f, 1e-5);
    EXPECT_EQ(app->projection.m[2][3], 1.0f);

    const std::vector<std::string> lines = log.Lines();
    EXPECT_NE(std::find(lines.begin(), lines.end(), "LightEnable 0 1"), lines.end());
}

TEST_F(TitleLoad, ReturnFromPlayReplaysFromStepZeroWithFreshResources) {
    RunUntilState(WaitForStart);
    HoldSpace(true);
    EXPECT_EQ(Tick(), SCENE_PLAY);
    HoldSpace(false);
    EXPECT_EQ(app->TitleScene::loaded, 0);
    EXPECT_EQ(State(), FadeInUpper);
    EXPECT_EQ(Counter(), 0);
    EXPECT_EQ(app->keysReleased, 1);

    // Leaving kept everything in the engine; the reload must replace it, not add to it.
    EXPECT_EQ(app->textures.size(), 1u);
    log.Clear();
    EXPECT_EQ(Tick(), SCENE_TITLE);
    EXPECT_EQ(State(), FadeInUpper);
    EXPECT_EQ(Counter(), 1);
    EXPECT_EQ(app->textures.size(), 1u);
    ASSERT_EQ(app->sprites.size(), 14u);
    EXPECT_EQ(app->sprites[0].colour, 0x05050505u);
    EXPECT_EQ(app->sprites[2].y, 480.0f);
    ASSERT_EQ(app->instances.size(), 3u);
    EXPECT_EQ(app->instances[0].visible, 0);
    EXPECT_EQ(app->instances[0].position.y, 200.0f);
    EXPECT_EQ(app->instances[0].position.z, 0.0f);
    EXPECT_EQ(app->renderStateOverrides.size(), 6u);
    EXPECT_EQ(log.Count("CreateTexture"), 1u);
}

TEST_F(TitleWithoutTexture, OpeningRunsWithoutSpritesAndSpaceStillStartsPlay) {
    Tick();
    EXPECT_TRUE(app->textures.empty());
    EXPECT_TRUE(app->sprites.empty());
    EXPECT_EQ(app->instances.size(), 3u);

    // Every step that touches sprites runs, both normally and skipped.
    RunUntilState(FadeInLower);
    Tick(0x01);  // skips step 1
    RunUntilState(LettersHop);
    Ticks(60);
    Tick(0x10);  // skips the rest of step 7
    EXPECT_EQ(State(), WaitForStart);
    Ticks(3);
    EXPECT_TRUE(app->sprites.empty());

    HoldSpace(true);
    EXPECT_EQ(Tick(), SCENE_PLAY);
}

}  // namespace
}  // namespace title_test
