// The flow of a game: load, stage intro, play, falls, clears, game over and the ending.
#include "play/play_scene.h"

#include "app/scene_numbers.h"
#include "play/board_geometry.h"
#include "play/hud_layout.h"

namespace {

constexpr int32_t START_LIVES = 10;

// Stage intro phases: title over the closed curtain, curtain opening, title fading, start sign.
constexpr int32_t INTRO_CURTAIN_PHASE = 20;
constexpr int32_t INTRO_FADE_FIRST = 50;
constexpr int32_t INTRO_FADE_LAST = 74;
constexpr int32_t INTRO_SIGN_PHASE = 80;
constexpr int32_t INTRO_GROW_FIRST = 81;
constexpr int32_t INTRO_GROW_LAST = 90;
constexpr int32_t INTRO_FLATTEN_FIRST = 96;
constexpr int32_t INTRO_FLATTEN_LAST = 100;
constexpr int32_t INTRO_PLAY_PHASE = 101;

// Clear and game-over phases, counted from the first tick on the goal or after the last ball.
constexpr int32_t BANNER_PHASE = 30;
constexpr int32_t BANNER_GROW_FIRST = 31;
constexpr int32_t BANNER_GROW_LAST = 50;
constexpr int32_t CLEAR_LAST_PHASE = 85;
constexpr int32_t GAME_OVER_LAST_PHASE = 70;

constexpr float FALL_STEP = 2.0f;
constexpr float FALL_FLOOR = -50.0f;

bool InRange(int32_t value, int32_t first, int32_t last) {
    return first <= value && value <= last;
}

}  // namespace

PlayScene::PlayScene()
    : stage(0),
      time(0),
      lives(0),
      bestTimes{},
      phase(0),
      curtainTicks(0),
      stageMap(nullptr),
      startPosition{0, 0, 0},
      loaded(0),
      bestTimesRead(0),
      playing(0),
      gameOver(0),
      falling(0),
      goalReached(0),
      curtainOpen(0) {}

int PlayScene::Tick(KeyState& keys) {
    if (!loaded && !Load()) {
        return SCENE_QUIT;
    }

    if (gameOver) {
        TiltInput(keys);
        if (GameOverTick() == 0) {
            loaded = 0;
            return WriteBestTimes() ? SCENE_TITLE : SCENE_QUIT;
        }
    } else if (goalReached) {
        if (curtainOpen) {
            TiltInput(keys);
            // Strictly below: an equal time is no record.
            if (phase == 0 && time < bestTimes[stage - 1]) {
                bestTimes[stage - 1] = time;
                sprites[RECORD_BANNER_SPRITE].visible = 1;
                ShowBestTime();
            }
        }
        if (StageClearTick() == 0) {
            sprites[RECORD_BANNER_SPRITE].visible = 0;
            if (!WriteBestTimes()) {
                return SCENE_QUIT;
            }
            if (stage > STAGE_COUNT) {
                loaded = 0;
                return SCENE_TITLE;
            }
        }
    } else {
        if (!playing) {
            StageIntroTick();
        } else {
            TiltInput(keys);
            if (time < MAX_TIME) {
                ++time;
            }
        }
        if (!goalReached) {
            MoveBall();
            if (!falling) {
                CheckHoleAndGoal();
            }
        }
        ShowTime();
    }

    UpdateWorldMatrices();
    return SCENE_PLAY;
}

int PlayScene::Load() {
    startPosition = {0, 0, 0};
    loaded = 1;
    stage = 1;
    time = 0;
    lives = START_LIVES;
    phase = 0;
    curtainTicks = 0;
    stageMap = nullptr;
    playing = 0;
    gameOver = 0;
    falling = 0;
    goalReached = 0;
    curtainOpen = 0;

    // The file is read once a run; later games keep the table in memory.
    if (!bestTimesRead) {
        if (!ReadBestTimes()) {
            return 0;
        }
        bestTimesRead = 1;
    }

    SetUpResources();
    return 1;
}

int PlayScene::StageIntroTick() {
    if (playing) {
        return 0;
    }
    if (phase == 0) {
        BuildBoard();
    } else if (phase >= INTRO_CURTAIN_PHASE && !curtainOpen) {
        OpenCurtain();
    } else if (InRange(phase, INTRO_FADE_FIRST, INTRO_FADE_LAST)) {
        FadeStageTitle();
    } else if (phase == INTRO_SIGN_PHASE) {
        ShowStartSign();
    } else if (InRange(phase, INTRO_GROW_FIRST, INTRO_GROW_LAST)) {
        GrowStartSign();
    } else if (InRange(phase, INTRO_FLATTEN_FIRST, INTRO_FLATTEN_LAST)) {
        FlattenStartSign();
    } else if (phase >= INTRO_PLAY_PHASE) {
        HideStartSign();
        phase = 0;
        playing = 1;
        return 1;
    }
    ++phase;
    return 1;
}

int PlayScene::StageClearTick() {
    if (curtainOpen) {
        CloseCurtain();
    } else if (phase == BANNER_PHASE) {
        ++stage;
        for (int index : {BALL_INSTANCE, BOX_INSTANCE}) {
            instances[index].rotationX = 0;
            instances[index].rotationY = 0;
            instances[index].rotationZ = 0;
        }
        // Still the cleared stage's start: the next BuildBoard moves the ball on.
        instances[BALL_INSTANCE].position = startPosition;
        if (stage <= STAGE_COUNT) {
            playing = 0;
            ShowClearBanners();
        } else {
            ShowEndingBanner();
        }
    } else if (InRange(phase, BANNER_GROW_FIRST, BANNER_GROW_LAST)) {
        if (stage <= STAGE_COUNT) {
            SlideClearBanners();
        } else {
            GrowEndingBanner();
        }
    } else if (phase >= CLEAR_LAST_PHASE) {
        HideClearBanners();
        goalReached = 0;
        phase = 0;
        return 0;
    }
    ++phase;
    return 1;
}

int PlayScene::GameOverTick() {
    if (curtainOpen) {
        CloseCurtain();
    } else if (phase == BANNER_PHASE) {
        ShowGameOverBanner();
    } else if (InRange(phase, BANNER_GROW_FIRST, BANNER_GROW_LAST)) {
        GrowGameOverBanner();
    } else if (phase > GAME_OVER_LAST_PHASE) {
        // The banner stays up; the next Load rebuilds every sprite.
        return 0;
    }
    ++phase;
    return 1;
}

void PlayScene::FallTick() {
    FallLetterTick();
    MeshInstance& ball = instances[BALL_INSTANCE];
    if (ball.position.y > FALL_FLOOR) {
        ball.position.y -= FALL_STEP;
        return;
    }

    for (int k = 0; k < FALL_LETTERS; ++k) {
        sprites[FIRST_FALL_LETTER_SPRITE + k].visible = 0;
    }
    phase = 0;
    ball.visible = 0;
    --lives;
    ShowLives();
    if (lives == 0) {
        // The ball stays hidden and `falling` stays set while the game-over presentation runs.
        gameOver = 1;
        return;
    }
    for (int index : {BALL_INSTANCE, BOX_INSTANCE}) {
        instances[index].rotationX = 0;
        instances[index].rotationY = 0;
        instances[index].rotationZ = 0;
    }
    // The timer keeps running: a lost ball costs time as well.
    ball.visible = 1;
    falling = 0;
    ball.position = startPosition;
}
