// TitleScene: the opening sequence, skipped step by step by any configured key, ended by space.
#pragma once

#include <cstdint>

#include "app/keys.h"
#include "render/render_engine.h"

enum TitleState : int32_t {
    FadeInUpper = 0,
    FadeInLower = 1,
    HoldPicture = 2,
    FadeOutPicture = 3,
    PauseAfterPicture = 4,
    BoxesSlideIn = 5,
    TitleFlyIn = 6,
    LettersHop = 7,
    WaitForStart = 8,
};

class TitleScene : public virtual RenderEngine {
  public:
    TitleScene();

    int Tick(KeyState& keys);
    int Load();
    void AdvanceTimer(int limit);

    int32_t loaded;
    int32_t keysReleased;
    int32_t counter;
    int32_t state;

  private:
    // The steps of the sequence; `skip` replaces the normal action by the skip action.
    void FadePictureIn(int spriteIndex, bool skip);
    void FadePictureOut(bool skip);
    void SlideBoxesIn(bool skip);
    void FlyTitleIn(bool skip);
    void HopLetters(bool skip);
    // Step 8: the space bar hands over to play.
    int WaitForSpace();
    // The boxes turn (during the fly-in) and scroll towards the camera.
    void BoxStep();
    bool HasSprites() const;
};
