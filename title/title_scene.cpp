// TitleScene: construction, the tick that runs one step of the opening, and the step timer.
#include "title/title_scene.h"

#include "app/scene_numbers.h"
#include "title/title_layout.h"

namespace {

// The last counter value of each step before WaitForStart; a step lasts its limit plus one tick.
constexpr int STEP_LIMITS[] = {50, 50, 50, 50, 25, 36, 180, 122};

}  // namespace

TitleScene::TitleScene() : loaded(0), keysReleased(0), counter(0), state(FadeInUpper) {}

int TitleScene::Tick(KeyState& keys) {
    if (loaded == 0 && Load() == 0) {
        return SCENE_QUIT;
    }

    // A key counts once: it must be up for a tick before it can skip another step.
    const bool skip = keys.bits != 0 && keysReleased == 1;
    switch (state) {
        case FadeInUpper:
            FadePictureIn(title::UPPER_PICTURE, skip);
            break;
        case FadeInLower:
            FadePictureIn(title::LOWER_PICTURE, skip);
            break;
        case HoldPicture:
        case PauseAfterPicture:
            break;
        case FadeOutPicture:
            FadePictureOut(skip);
            break;
        case BoxesSlideIn:
            SlideBoxesIn(skip);
            break;
        case TitleFlyIn:
            FlyTitleIn(skip);
            break;
        case LettersHop:
            HopLetters(skip);
            break;
        case WaitForStart:
            if (WaitForSpace() == SCENE_PLAY) {
                return SCENE_PLAY;
            }
            break;
        default:
            break;
    }
    if (state >= FadeInUpper && state < WaitForStart) {
        const int limit = STEP_LIMITS[state];
        if (skip) {
            counter = limit;
        }
        AdvanceTimer(limit);
    }

    keysReleased = keys.bits == 0 ? 1 : 0;
    return SCENE_TITLE;
}

void TitleScene::AdvanceTimer(int limit) {
    if (counter < limit) {
        ++counter;
    } else {
        counter = 0;
        ++state;
    }
}
