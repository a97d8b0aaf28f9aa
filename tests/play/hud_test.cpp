// The play scene's resources, display digits, curtain, stage intro steps and the missing sheet.
#include <algorithm>

#include "play_fixture.h"

namespace play_test {
namespace {

using Hud = PlayFixture;

TEST_F(Hud, SetUpCoversTheWindowWithTheClosedCurtainAndSetsTheDevice) {
    Tick();
    ASSERT_EQ(app->sprites.size(), 326u);
    ASSERT_EQ(app->textures.size(), 5u);
    ASSERT_EQ(app->meshes.size(), 5u);
    // 20 x 15 tiles of 32 pixels: the whole 640 x 480 window, in a two-tile checkerboard.
    for (int k = 0; k < 300; ++k) {
        const Sprite& tile = SpriteAt(k);
        const int row = k / 20, column = k % 20;
        EXPECT_EQ(tile.x, 32.0f * column);
        EXPECT_EQ(tile.y, 32.0f * row);
        EXPECT_EQ(tile.width, 32.0f);
        EXPECT_EQ(tile.height, 32.0f);
        EXPECT_EQ(tile.sourceX, (row + column) % 2 == 0 ? 190.0f : 222.0f);
        EXPECT_EQ(tile.z, 0.5f);
        EXPECT_EQ(tile.visible, 1);
        EXPECT_EQ(tile.texture, &app->textures[4]);
    }
    // Only the display column shows besides the curtain (and the stage title once built).
    for (int k = 300; k < 326; ++k) {
        const bool display = k >= 305 && k <= 318;
        const bool title = k == 300 || k == 303 || k == 304;
        EXPECT_EQ(SpriteAt(k).visible, display || title ? 1 : 0) << "sprite " << k;
        EXPECT_EQ(SpriteAt(k).texture, &app->textures[4]);
    }
    EXPECT_EQ(SpriteAt(319).scaleX * SpriteAt(319).width, 240.0f);
    EXPECT_EQ(SpriteAt(320).colour, 0xFFFFFF00u);
    EXPECT_EQ(SpriteAt(324).colour, 0xFFFFFFFFu);
    EXPECT_EQ(SpriteAt(324).scaleX, 1.0f);

    const std::vector<std::string> lines = log.Lines();
    for (const char* call : {"SetRenderState 8 3", "SetRenderState 22 3",
                             "SetRenderState 139 4294967295", "LightEnable 0 1"}) {
        EXPECT_NE(std::find(lines.begin(), lines.end(), call), lines.end()) << call;
    }
    EXPECT_EQ(app->eye.y, 110.0f);
    EXPECT_EQ(app->up.z, 1.0f);
}

TEST_F(Hud, EverySpriteAfterTheCurtainCutsAndPlacesItsRectangle) {
    app->SetUpResources();
    struct Row {
        int sprite;
        float x, y, width, height, sourceX, sourceY;
    };
    const Row table[] = {
        {300, 0, 0, 126, 47, 0, 47},       {301, 290, 215, 60, 50, 130, 94},
        {302, 0, 0, 126, 47, 126, 47},     {303, 0, 0, 25, 47, 0, 0},
        {304, 0, 0, 25, 47, 0, 0},         {305, 0, 0, 52, 25, 0, 94},
        {306, 0, 25, 13, 23, 0, 119},      {307, 13, 25, 13, 23, 0, 119},
        {308, 26, 25, 13, 23, 0, 119},     {309, 39, 25, 13, 23, 0, 119},
        {310, 0, 60, 52, 25, 52, 94},      {311, 0, 85, 13, 23, 0, 119},
        {312, 13, 85, 13, 23, 0, 119},     {313, 0, 120, 52, 25, 190, 126},
        {314, 0, 145, 52, 25, 0, 94},      {315, 0, 170, 13, 23, 0, 119},
        {316, 13, 170, 13, 23, 0, 119},    {317, 26, 170, 13, 23, 0, 119},
        {318, 39, 170, 13, 23, 0, 119},    {319, 200, 120, 120, 20, 0, 142},
        {320, 294, 227, 13, 25, 26, 94},   {321, 307, 227, 13, 25, 13, 94},
        {322, 320, 227, 13, 25, 216, 126}, {323, 333, 227, 13, 25, 216, 126},
        {324, 0, 0, 209, 47, 0, 162},      {325, 0, 0, 234, 47, 0, 209},
    };
    for (const Row& row : table) {
        const Sprite& sprite = SpriteAt(row.sprite);
        EXPECT_EQ(sprite.x, row.x) << "sprite " << row.sprite;
        EXPECT_EQ(sprite.y, row.y) << "sprite " << row.sprite;
        EXPECT_EQ(sprite.width, row.width) << "sprite " << row.sprite;
        EXPECT_EQ(sprite.height, row.height) << "sprite " << row.sprite;
        EXPECT_EQ(sprite.sourceX, row.sourceX) << "sprite " << row.sprite;
        EXPECT_EQ(sprite.sourceY, row.sourceY) << "sprite " << row.sprite;
        EXPECT_EQ(sprite.z, 0.0f) << "sprite " << row.sprite;
        EXPECT_EQ(sprite.angle, 0) << "sprite " << row.sprite;
    }
}

TEST_F(Hud, TheDisplayColumnReadsTimeBallsAndBestTime) {
    Tick();
    // 0000, 10 and the stage 1 best time 9999.
    const float expected[] = {0, 0, 0, 0, 1, 0, 9, 9, 9, 9};
    const int sprites[] = {306, 307, 308, 309, 311, 312, 315, 316, 317, 318};
    for (int k = 0; k < 10; ++k) {
        EXPECT_EQ(SpriteAt(sprites[k]).cellColumn, expected[k]) << "sprite " << sprites[k];
    }
    // Only four digits: 12345 shows as 2345.
    app->bestTimes[0] = 12345;
    app->ShowBestTime();
    EXPECT_EQ(SpriteAt(315).cellColumn, 2.0f);
    EXPECT_EQ(SpriteAt(318).cellColumn, 5.0f);
}

TEST_F(Hud, TheCurtainMovesTwentyTimesAndFlipsOnTheTwentyFirstCall) {
    Tick();
    for (int move = 0; move < 20; ++move) {
        EXPECT_EQ(app->OpenCurtain(), 1);
    }
    EXPECT_EQ(SpriteAt(0).x, 640.0f);
    EXPECT_EQ(SpriteAt(20).x, -640.0f);
    EXPECT_EQ(SpriteAt(299).x, 608.0f + 640.0f);  // row 14 is even
    EXPECT_EQ(app->curtainOpen, 0);
    EXPECT_EQ(app->OpenCurtain(), 1);
    EXPECT_EQ(app->curtainOpen, 1);
    EXPECT_EQ(SpriteAt(0).x, 640.0f);
    EXPECT_EQ(app->OpenCurtain(), 0);

    for (int move = 0; move < 21; ++move) {
        EXPECT_EQ(app->CloseCurtain(), 1);
    }
    EXPECT_EQ(app->curtainOpen, 0);
    EXPECT_EQ(app->CloseCurtain(), 0);
    for (int k = 0; k < 300; ++k) {
        EXPECT_EQ(SpriteAt(k).x, 32.0f * (k % 20)) << "tile " << k;
    }
}

TEST_F(Hud, TheIntroShowsTitleFadesItAndSpinsTheStartSign) {
    Tick();
    EXPECT_EQ(SpriteAt(300).x, 232.0f);
    EXPECT_EQ(SpriteAt(303).x, 358.0f);
    EXPECT_EQ(SpriteAt(304).x, 383.0f);
    EXPECT_EQ(SpriteAt(304).y, 216.0f);
    EXPECT_EQ(SpriteAt(303).cellColumn, 0.0f);
    EXPECT_EQ(SpriteAt(304).cellColumn, 1.0f);
    EXPECT_EQ(SpriteAt(0).x, 0.0f);

    Ticks(40);  // phases 1 to 40: the curtain is open
    EXPECT_EQ(app->curtainOpen, 1);
    Ticks(39);  // phases 41 to 79: 25 fade steps of 10 from alpha 255
    EXPECT_EQ(SpriteAt(300).colour, 0x05FFFFFFu);
    EXPECT_EQ(SpriteAt(304).colour, 0x05FFFFFFu);

    Tick();  // phase 80: the sign replaces the title
    EXPECT_EQ(SpriteAt(301).visible, 1);
    EXPECT_EQ(SpriteAt(300).visible, 0);
    EXPECT_EQ(SpriteAt(300).colour, 0xFFFFFFFFu);
    for (int step = 1; step <= 10; ++step) {
        Tick();
        const Sprite& sign = SpriteAt(301);
        EXPECT_NEAR(sign.x + sign.pivotX, 320.0f, 1e-3) << "step " << step;
        EXPECT_NEAR(sign.y + sign.pivotY, 240.0f, 1e-3) << "step " << step;
        EXPECT_EQ(sign.angle, 36 * step);
    }
    EXPECT_NEAR(SpriteAt(301).scaleX, 3.0f, 1e-5);
    Ticks(10);  // to phase 100: five flattening steps of 0.6
    EXPECT_NEAR(SpriteAt(301).scaleY, 0.0f, 1e-5);
    EXPECT_NEAR(SpriteAt(301).scaleX, 3.0f, 1e-5);
    Tick();
    const Sprite& sign = SpriteAt(301);
    EXPECT_EQ(sign.visible, 0);
    EXPECT_EQ(sign.scaleY, 1.0f);
    EXPECT_EQ(sign.x, 290.0f);
    EXPECT_EQ(sign.y, 215.0f);
    EXPECT_EQ(sign.angle, 0);
    EXPECT_EQ(sign.pivotX, 0.0f);
}

TEST_F(Hud, TheStageTitleShowsTensAndOnes) {
    Tick();
    for (int stage : {3, 10}) {
        app->stage = stage;
        app->BuildBoard();
        EXPECT_EQ(SpriteAt(303).cellColumn, static_cast<float>(stage / 10)) << stage;
        EXPECT_EQ(SpriteAt(304).cellColumn, static_cast<float>(stage % 10)) << stage;
    }
}

// The shipped meshes, and stand-in textures of different widths so that each can be told apart.
class BoardMeshes : public PlayFixture {
  protected:
    void PrepareFolder() override {
        PlayFixture::PrepareFolder();
        for (const char* name : {"ball.x", "wall.x", "tile.x", "block.x", "goal.x"}) {
            std::filesystem::copy_file(std::filesystem::path(GORVANTI_RUN_DIR) / "graphics" / name,
                                       folder / "graphics" / name);
        }
        int width = 2;
        for (const char* name : {"wall.bmp", "tile.bmp", "block.bmp", "goal.bmp"}) {
            WriteBmp(folder / "graphics" / name, width, 2);
            width *= 2;
        }
    }

    // The width of the texture file that every material of mesh `index` wears; 0 for none.
    unsigned WornWidth(int index) {
        const MeshEntry& mesh = app->meshes[index];
        EXPECT_NE(mesh.mesh, nullptr) << "mesh " << index;
        EXPECT_FALSE(mesh.materialTextures.empty()) << "mesh " << index;
        IDirect3DTexture9* worn =
            mesh.materialTextures.empty() ? nullptr : mesh.materialTextures[0];
        for (IDirect3DTexture9* texture : mesh.materialTextures) {
            EXPECT_EQ(texture, worn) << "mesh " << index;
        }
        for (const TextureEntry& entry : app->textures) {
            if (worn != nullptr && entry.texture == worn) {
                return entry.imageInfo.Width;
            }
        }
        return 0;
    }
};

TEST_F(BoardMeshes, TheBallIsUntexturedAndEveryOtherMeshWearsItsOwnTexture) {
    Tick();
    ASSERT_EQ(app->meshes.size(), 5u);
    EXPECT_EQ(WornWidth(0), 0u);   // the ball
    EXPECT_EQ(WornWidth(1), 2u);   // the box: wall.bmp
    EXPECT_EQ(WornWidth(2), 4u);   // floor tiles: tile.bmp
    EXPECT_EQ(WornWidth(3), 8u);   // blocks: block.bmp
    EXPECT_EQ(WornWidth(4), 16u);  // goals: goal.bmp
}

class MissingSheet : public PlayFixture {
    bool WithSheet() const override { return false; }
};

TEST_F(MissingSheet, SpritesGoWithoutTextureAndTheGameStillPlays) {
    Tick();
    EXPECT_EQ(app->textures.size(), 4u);
    ASSERT_EQ(app->sprites.size(), 326u);
    for (const Sprite& sprite : app->sprites) {
        EXPECT_EQ(sprite.texture, nullptr);
    }
    EXPECT_EQ(app->DrawFrame(), 1);
    EXPECT_EQ(app->instances.size(), 402u);
    Ticks(INTRO_TICKS - 1);
    ASSERT_EQ(app->playing, 1);
    Ticks(5, 0x04);
    EXPECT_GT(Ball().position.x, -47.5f);
    EXPECT_EQ(app->DrawFrame(), 1);
}

}  // namespace
}  // namespace play_test
