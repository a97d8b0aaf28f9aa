// PlayScene: the game itself: stages, timer, balls, falls, clears, best times and the HUD.
#pragma once

#include <cstdint>

#include "app/keys.h"
#include "gfxutil/matrix.h"
#include "play/stage_maps.h"
#include "render/render_engine.h"

// The stage clock stops here; it is also what a best time reads as when there is no record.
constexpr int32_t MAX_TIME = 9999;

class PlayScene : public virtual RenderEngine {
  public:
    PlayScene();

    // Flow
    int Tick(KeyState& keys);
    int Load();
    int StageIntroTick();
    int StageClearTick();
    int GameOverTick();
    void FallTick();

    // Board and physics
    void BuildBoard();
    void TiltInput(KeyState& keys);
    void MoveBall();
    void CheckHoleAndGoal();
    void UpdateWorldMatrices();

    // Best times
    int ReadBestTimes();
    int WriteBestTimes();

    // Presentation
    void SetUpResources();
    void ShowTime();
    void ShowLives();
    void ShowBestTime();
    int OpenCurtain();
    int CloseCurtain();
    int FallLetterTick();
    void ShowStageTitle();
    void FadeStageTitle();
    void ShowStartSign();
    void GrowStartSign();
    void FlattenStartSign();
    void HideStartSign();
    void ShowClearBanners();
    void SlideClearBanners();
    void ShowEndingBanner();
    void GrowEndingBanner();
    void HideClearBanners();
    void ShowGameOverBanner();
    void GrowGameOverBanner();

    int32_t stage;
    int32_t time;
    int32_t lives;
    int32_t bestTimes[STAGE_COUNT];
    int32_t phase;
    int32_t curtainTicks;
    const StageMap* stageMap;
    Vector3 startPosition;
    int32_t loaded;
    int32_t bestTimesRead;
    int32_t playing;
    int32_t gameOver;
    int32_t falling;
    int32_t goalReached;
    int32_t curtainOpen;
};
