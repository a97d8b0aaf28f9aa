// The play scene's resources on the engine, and the digits of the on-screen display.
#include <cassert>
#include <iterator>

#include "play/board_geometry.h"
#include "play/hud_layout.h"
#include "play/play_scene.h"

namespace {

const char* const TEXTURE_FILES[] = {
    "./graphics/wall.bmp", "./graphics/tile.bmp",   "./graphics/block.bmp",
    "./graphics/goal.bmp", "./graphics/system.bmp",
};
const char* const MESH_FILES[] = {
    "./graphics/ball.x",  "./graphics/wall.x", "./graphics/tile.x",
    "./graphics/block.x", "./graphics/goal.x",
};
// The ball is untextured; the box, tiles, blocks and goals wear textures 0 to 3.
const int32_t MESH_TEXTURES[] = {-1, 0, 1, 2, 3};

constexpr float CAMERA_HEIGHT = 110.0f;
constexpr float FIELD_OF_VIEW = 1.0471976f;  // pi / 3
// The single-precision value nearest 1.333, not 4/3.
constexpr float ASPECT_RATIO = 1.333f;
constexpr float NEAR_PLANE = 1.0f;
constexpr float FAR_PLANE = 200.0f;
constexpr float LIGHT_RANGE = 1000.0f;
constexpr int PERSPECTIVE = 0;
constexpr DWORD FULL_AMBIENT = 0xFFFFFFFF;

constexpr float CURTAIN_TILE_SIZE = 32.0f;
constexpr float CURTAIN_DEPTH = 0.5f;
constexpr D3DCOLOR FALL_LETTER_COLOUR = 0xFFFFFF00;  // the sheet tinted yellow
constexpr D3DCOLOR WHITE = 0xFFFFFFFF;
constexpr float RECORD_BANNER_SCALE = 2.0f;

// Rectangles of the sheet, in texels: x, y, width, height.
struct SheetRectangle {
    float x, y, width, height;
};
constexpr SheetRectangle EVEN_CURTAIN_TILE = {190, 94, 32, 32};
constexpr SheetRectangle ODD_CURTAIN_TILE = {222, 94, 32, 32};
constexpr SheetRectangle STAGE_WORD = {0, 47, 126, 47};
constexpr SheetRectangle START_SIGN = {130, 94, 60, 50};
constexpr SheetRectangle CLEAR_WORD = {126, 47, 126, 47};
constexpr SheetRectangle LARGE_DIGIT = {0, 0, 25, 47};
constexpr SheetRectangle TIME_LABEL = {0, 94, 52, 25};
constexpr SheetRectangle LIVES_LABEL = {52, 94, 52, 25};
constexpr SheetRectangle BEST_LABEL = {190, 126, 52, 25};
constexpr SheetRectangle SMALL_DIGIT = {0, 119, 13, 23};
constexpr SheetRectangle RECORD_BANNER = {0, 142, 120, 20};
constexpr SheetRectangle GAME_OVER_BANNER = {0, 162, 209, 47};
constexpr SheetRectangle ENDING_BANNER = {0, 209, 234, 47};
// The fall letters are cut from inside the labels.
constexpr SheetRectangle FALL_LETTERS_CUT[FALL_LETTERS] = {
    {26, 94, 13, 25},
    {13, 94, 13, 25},
    {216, 126, 13, 25},
    {216, 126, 13, 25},
};

// Window positions of the unrotated top-left corners, in pixels.
constexpr float RECORD_BANNER_X = 200.0f;
constexpr float RECORD_BANNER_Y = 120.0f;
constexpr float FIRST_FALL_LETTER_X = 294.0f;
constexpr float FALL_LETTER_Y = 227.0f;
// The display column at the window's left edge.
constexpr float TIME_DIGITS_Y = 25.0f;
constexpr float LIVES_LABEL_Y = 60.0f;
constexpr float LIVES_DIGITS_Y = 85.0f;
constexpr float BEST_LABEL_Y = 120.0f;
constexpr float BEST_TIME_LABEL_Y = 145.0f;
constexpr float BEST_DIGITS_Y = 170.0f;

// Cut and Place change the one parameter block only where the next sprite differs.
void Cut(SpriteParams& params, const SheetRectangle& rectangle) {
    params.sourceX = rectangle.x;
    params.sourceY = rectangle.y;
    params.width = rectangle.width;
    params.height = rectangle.height;
}

void Place(SpriteParams& params, float x, float y) {
    params.x = x;
    params.y = y;
}

// The last `digitCount` decimal digits of `value`, highest first, leading zeros shown.
void PutDigits(std::vector<Sprite>& sprites, int firstSprite, int digitCount, int32_t value) {
    int32_t modulus = 10;
    for (int k = digitCount - 1; k >= 0; --k) {
        sprites[firstSprite + k].cellColumn =
            static_cast<float>((value % modulus) / (modulus / 10));
        modulus *= 10;
    }
}

// The board's textures and meshes; a file that fails to load leaves its entry missing or empty.
void LoadBoardArt(RenderEngine& engine) {
    for (const char* file : TEXTURE_FILES) {
        TextureLoadParams params;
        params.fileName = file;
        params.pool = D3DPOOL_MANAGED;
        engine.LoadTexture(params);
    }
    for (size_t k = 0; k < std::size(MESH_FILES); ++k) {
        engine.LoadMesh(MESH_FILES[k], AmbientFromDiffuse, MESH_TEXTURES[k]);
    }
}

// The curtain: a chequer of tiles over the whole window, behind every other sprite.
void AddCurtain(RenderEngine& engine, SpriteParams& params) {
    params.z = CURTAIN_DEPTH;
    for (int k = 0; k < CURTAIN_TILES; ++k) {
        const int row = k / CURTAIN_COLUMNS;
        const int column = k % CURTAIN_COLUMNS;
        Cut(params, (row + column) % 2 == 0 ? EVEN_CURTAIN_TILE : ODD_CURTAIN_TILE);
        Place(params, CURTAIN_TILE_SIZE * column, CURTAIN_TILE_SIZE * row);
        engine.AddSpriteAt(FIRST_CURTAIN_SPRITE + k, params);
    }
}

// The stage title, the start sign and the clear word start hidden.
void AddStageWords(RenderEngine& engine, SpriteParams& params) {
    params.z = 0;
    params.visible = 0;
    Place(params, 0, 0);
    Cut(params, STAGE_WORD);
    engine.AddSpriteAt(STAGE_WORD_SPRITE, params);
    Place(params, START_SIGN_X, START_SIGN_Y);
    Cut(params, START_SIGN);
    engine.AddSpriteAt(START_SIGN_SPRITE, params);
    Place(params, 0, 0);
    Cut(params, CLEAR_WORD);
    engine.AddSpriteAt(CLEAR_WORD_SPRITE, params);
    Cut(params, LARGE_DIGIT);
    engine.AddSpriteAt(STAGE_TENS_SPRITE, params);
    engine.AddSpriteAt(STAGE_ONES_SPRITE, params);
}

// A row of small digits at the window's left edge.
void AddDigitRow(RenderEngine& engine, SpriteParams& params, int firstSprite, int digitCount,
                 float y) {
    Cut(params, SMALL_DIGIT);
    for (int k = 0; k < digitCount; ++k) {
        Place(params, SMALL_DIGIT.width * k, y);
        engine.AddSpriteAt(firstSprite + k, params);
    }
}

// The display column at the window's left edge, visible in every state: time, balls, best time.
void AddDisplayColumn(RenderEngine& engine, SpriteParams& params) {
    params.visible = 1;
    Cut(params, TIME_LABEL);
    engine.AddSpriteAt(TIME_LABEL_SPRITE, params);
    AddDigitRow(engine, params, FIRST_TIME_DIGIT_SPRITE, TIME_DIGITS, TIME_DIGITS_Y);
    Place(params, 0, LIVES_LABEL_Y);
    Cut(params, LIVES_LABEL);
    engine.AddSpriteAt(LIVES_LABEL_SPRITE, params);
    AddDigitRow(engine, params, FIRST_LIVES_DIGIT_SPRITE, LIVES_DIGITS, LIVES_DIGITS_Y);
    Place(params, 0, BEST_LABEL_Y);
    Cut(params, BEST_LABEL);
    engine.AddSpriteAt(BEST_LABEL_SPRITE, params);
    Place(params, 0, BEST_TIME_LABEL_Y);
    Cut(params, TIME_LABEL);
    engine.AddSpriteAt(BEST_TIME_LABEL_SPRITE, params);
    AddDigitRow(engine, params, FIRST_BEST_DIGIT_SPRITE, TIME_DIGITS, BEST_DIGITS_Y);
}

// The record banner, the fall letters and the game-over and ending banners start hidden.
void AddNotices(RenderEngine& engine, SpriteParams& params) {
    params.visible = 0;
    Place(params, RECORD_BANNER_X, RECORD_BANNER_Y);
    Cut(params, RECORD_BANNER);
    params.scaleX = RECORD_BANNER_SCALE;
    params.scaleY = RECORD_BANNER_SCALE;
    engine.AddSpriteAt(RECORD_BANNER_SPRITE, params);
    params.scaleX = 1.0f;
    params.scaleY = 1.0f;
    params.colour = FALL_LETTER_COLOUR;
    for (int k = 0; k < FALL_LETTERS; ++k) {
        Place(params, FIRST_FALL_LETTER_X + FALL_LETTERS_CUT[k].width * k, FALL_LETTER_Y);
        Cut(params, FALL_LETTERS_CUT[k]);
        engine.AddSpriteAt(FIRST_FALL_LETTER_SPRITE + k, params);
    }
    params.colour = WHITE;
    Place(params, 0, 0);
    Cut(params, GAME_OVER_BANNER);
    engine.AddSpriteAt(GAME_OVER_SPRITE, params);
    Cut(params, ENDING_BANNER);
    engine.AddSpriteAt(ENDING_SPRITE, params);
}

// Straight down on the board, lit from above.
void SetBoardCamera(RenderEngine& engine) {
    engine.eye = {0, CAMERA_HEIGHT, 0};
    engine.lookAt = {0, 0, 0};
    engine.up = {0, 0, 1};  // +z towards the top of the window
    engine.UpdateView();
    engine.SetProjection(PERSPECTIVE, FIELD_OF_VIEW, ASPECT_RATIO, NEAR_PLANE, FAR_PLANE);
    engine.SetDirectionalLight(0, -1.0f, 0, LIGHT_RANGE);
    if (engine.device != nullptr) {
        engine.device->SetRenderState(D3DRS_FILLMODE, D3DFILL_SOLID);
        engine.device->SetRenderState(D3DRS_CULLMODE, D3DCULL_CCW);
        engine.device->SetRenderState(D3DRS_AMBIENT, FULL_AMBIENT);
    }
}

}  // namespace

void PlayScene::SetUpResources() {
    ReleaseAll();
    LoadBoardArt(*this);

    ClearSprites();
    // The sprites are added in one parameter block, changed only where the next sprite differs.
    SpriteParams params;
    // Without the sheet (any failed texture load leaves index 4 empty) the sprites carry no
    // texture and the engine skips them: the board still shows and the game still plays.
    params.texture = textures.size() > SHEET_TEXTURE ? &textures[SHEET_TEXTURE] : nullptr;
    AddCurtain(*this, params);
    AddStageWords(*this, params);
    AddDisplayColumn(*this, params);
    AddNotices(*this, params);
    assert(sprites.size() == PLAY_SPRITE_COUNT);

    AddMeshInstance(BALL_MESH);
    AddMeshInstance(WALL_MESH);
    SetBoardCamera(*this);
}

void PlayScene::ShowTime() {
    PutDigits(sprites, FIRST_TIME_DIGIT_SPRITE, TIME_DIGITS, time);
}

void PlayScene::ShowLives() {
    PutDigits(sprites, FIRST_LIVES_DIGIT_SPRITE, LIVES_DIGITS, lives);
}

void PlayScene::ShowBestTime() {
    PutDigits(sprites, FIRST_BEST_DIGIT_SPRITE, TIME_DIGITS, bestTimes[stage - 1]);
}
