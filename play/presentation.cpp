// The curtain, the stage title and start sign, the fall letters and the banners, one tick a step.
#include "play/hud_layout.h"
#include "play/play_scene.h"

namespace {

constexpr float WINDOW_WIDTH = 640.0f;
constexpr float WINDOW_HEIGHT = 480.0f;

constexpr int CURTAIN_MOVES = 20;
constexpr float CURTAIN_STEP = 32.0f;

constexpr float STAGE_TITLE_Y = 216.0f;
constexpr float STAGE_WORD_X = 232.0f;
constexpr float STAGE_TENS_X = 358.0f;
constexpr float STAGE_ONES_X = 383.0f;
// Added to the 32-bit colour: the alpha drops by 10 and the colour stays.
constexpr D3DCOLOR FADE_STEP = 0xF6000000;
constexpr D3DCOLOR WHITE = 0xFFFFFFFF;

constexpr float START_SIGN_WIDTH = 60.0f;
constexpr float START_SIGN_HEIGHT = 50.0f;
constexpr float START_SIGN_GROWTH = 0.2f;
constexpr float START_SIGN_FLATTENING = 0.6f;
constexpr int SPIN_STEP = 36;  // degrees a tick: ten steps make a full turn

constexpr float CLEAR_BANNER_Y = 216.0f;
constexpr float WORD_WIDTH = 126.0f;
constexpr float CLEAR_BANNER_STEP = 15.0f;

constexpr float BANNER_GROWTH = 0.1f;
constexpr float BANNER_HEIGHT = 47.0f;
constexpr float ENDING_BANNER_WIDTH = 234.0f;
// One wider than the sprite: the game-over banner turns about a point half a texel right.
constexpr float GAME_OVER_BANNER_WIDTH = 210.0f;

// Keeps a scaled sprite centred on the window and turning about the window's centre.
void CentreAndSpin(Sprite& sprite, float width, float height) {
    sprite.x = (WINDOW_WIDTH - sprite.scaleX * width) * 0.5f;
    sprite.y = (WINDOW_HEIGHT - sprite.scaleY * height) * 0.5f;
    sprite.z = 0;
    sprite.pivotX = sprite.scaleX * (width * 0.5f);
    sprite.pivotY = sprite.scaleY * (height * 0.5f);
    sprite.angle += SPIN_STEP;
}

// The ending and game-over banners appear at zero size and grow about the window's centre.
void ShowAtZeroSize(Sprite& banner) {
    banner.visible = 1;
    banner.scaleX = 0;
    banner.scaleY = 0;
}

void GrowBanner(Sprite& banner, float width) {
    banner.scaleX += BANNER_GROWTH;
    banner.scaleY += BANNER_GROWTH;
    CentreAndSpin(banner, width, BANNER_HEIGHT);
}

void MoveCurtain(std::vector<Sprite>& sprites, float evenRowStep) {
    for (int k = 0; k < CURTAIN_TILES; ++k) {
        const bool oddRow = (k / CURTAIN_COLUMNS) % 2 == 1;
        sprites[k].x += oddRow ? -evenRowStep : evenRowStep;
    }
}

}  // namespace

int PlayScene::OpenCurtain() {
    if (curtainOpen) {
        return 0;
    }
    // The call after the last move only marks the curtain open.
    if (curtainTicks >= CURTAIN_MOVES) {
        curtainTicks = 0;
        curtainOpen = 1;
        return 1;
    }
    MoveCurtain(sprites, CURTAIN_STEP);
    ++curtainTicks;
    return 1;
}

int PlayScene::CloseCurtain() {
    if (!curtainOpen) {
        return 0;
    }
    if (curtainTicks >= CURTAIN_MOVES) {
        curtainTicks = 0;
        curtainOpen = 0;
        return 1;
    }
    MoveCurtain(sprites, -CURTAIN_STEP);
    ++curtainTicks;
    return 1;
}

int PlayScene::FallLetterTick() {
    // A letter every other tick: phases 0, 2, 4 and 6.
    if (phase % 2 == 0 && phase < 2 * FALL_LETTERS) {
        sprites[FIRST_FALL_LETTER_SPRITE + phase / 2].visible = 1;
    }
    ++phase;
    return 1;
}

void PlayScene::ShowStageTitle() {
    Sprite& word = sprites[STAGE_WORD_SPRITE];
    Sprite& tens = sprites[STAGE_TENS_SPRITE];
    Sprite& ones = sprites[STAGE_ONES_SPRITE];
    word.x = STAGE_WORD_X;
    tens.x = STAGE_TENS_X;
    ones.x = STAGE_ONES_X;
    tens.cellColumn = static_cast<float>(stage / 10);
    ones.cellColumn = static_cast<float>(stage % 10);
    for (Sprite* sprite : {&word, &tens, &ones}) {
        sprite->y = STAGE_TITLE_Y;
        sprite->z = 0;
        sprite->visible = 1;
    }
}

void PlayScene::FadeStageTitle() {
    for (int index : {STAGE_WORD_SPRITE, STAGE_TENS_SPRITE, STAGE_ONES_SPRITE}) {
        sprites[index].colour += FADE_STEP;
    }
}

void PlayScene::ShowStartSign() {
    sprites[START_SIGN_SPRITE].visible = 1;
    for (int index : {STAGE_WORD_SPRITE, STAGE_TENS_SPRITE, STAGE_ONES_SPRITE}) {
        sprites[index].visible = 0;
        sprites[index].colour = WHITE;
    }
}

void PlayScene::GrowStartSign() {
    Sprite& sign = sprites[START_SIGN_SPRITE];
    sign.scaleX += START_SIGN_GROWTH;
    sign.scaleY += START_SIGN_GROWTH;
    CentreAndSpin(sign, START_SIGN_WIDTH, START_SIGN_HEIGHT);
}

// Only the height shrinks, so the sign folds towards its top edge.
void PlayScene::FlattenStartSign() {
    sprites[START_SIGN_SPRITE].scaleY -= START_SIGN_FLATTENING;
}

void PlayScene::HideStartSign() {
    Sprite& sign = sprites[START_SIGN_SPRITE];
    sign.visible = 0;
    sign.scaleX = 1.0f;
    sign.scaleY = 1.0f;
    sign.x = START_SIGN_X;
    sign.y = START_SIGN_Y;
    sign.z = 0;
    sign.pivotX = 0;
    sign.pivotY = 0;
    sign.angle = 0;
}

void PlayScene::ShowClearBanners() {
    Sprite& word = sprites[STAGE_WORD_SPRITE];
    Sprite& clear = sprites[CLEAR_WORD_SPRITE];
    // Both start just outside the window and slide in from the sides.
    word.x = -WORD_WIDTH;
    clear.x = WINDOW_WIDTH;
    for (Sprite* sprite : {&word, &clear}) {
        sprite->y = CLEAR_BANNER_Y;
        sprite->z = 0;
        sprite->visible = 1;
    }
}

void PlayScene::SlideClearBanners() {
    sprites[STAGE_WORD_SPRITE].x += CLEAR_BANNER_STEP;
    sprites[CLEAR_WORD_SPRITE].x -= CLEAR_BANNER_STEP;
}

void PlayScene::ShowEndingBanner() {
    ShowAtZeroSize(sprites[ENDING_SPRITE]);
}

void PlayScene::GrowEndingBanner() {
    GrowBanner(sprites[ENDING_SPRITE], ENDING_BANNER_WIDTH);
}

void PlayScene::HideClearBanners() {
    for (int index : {ENDING_SPRITE, STAGE_WORD_SPRITE, CLEAR_WORD_SPRITE}) {
        sprites[index].visible = 0;
    }
}

void PlayScene::ShowGameOverBanner() {
    ShowAtZeroSize(sprites[GAME_OVER_SPRITE]);
}

void PlayScene::GrowGameOverBanner() {
    GrowBanner(sprites[GAME_OVER_SPRITE], GAME_OVER_BANNER_WIDTH);
}
