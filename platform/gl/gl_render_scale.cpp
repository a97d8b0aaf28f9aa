// The render scale: a second's mean frame cost against half a tick, with a margin on the way back.
#include "platform/gl/gl_render_scale.h"

#include <algorithm>
#include <cstdlib>

namespace platform::gl {

RenderScale RenderScale::FromEnvironment(bool adaptive) {
    const char* text = std::getenv(RENDER_SCALE_VARIABLE);
    const int fixed = text != nullptr ? std::atoi(text) : 0;
    return RenderScale(std::max(fixed, 0), adaptive);
}

void RenderScale::NoteFrame(Nanoseconds busy, int full) {
    if (fixedFactor > 0 || !adaptive) {
        return;
    }
    sum += busy;
    ++frames;
    ++framesAtStep;
    if (frames < FRAMES_MEASURED) {
        return;
    }
    const Nanoseconds mean = sum / frames;
    sum = {};
    frames = 0;
    if (!savingKnown) {
        stepSaving = std::max(1.0, static_cast<double>(meanBeforeStep.count()) /
                                       static_cast<double>(std::max<int64_t>(mean.count(), 1)));
        savingKnown = true;
    }
    if (mean > LATE && full - steps > 1) {
        ++steps;
        meanBeforeStep = mean;
        savingKnown = false;
        framesAtStep = 0;
    } else if (steps > 0 && framesAtStep >= FRAMES_KEPT &&
               static_cast<double>(mean.count()) * stepSaving <
                   static_cast<double>(ROOMY.count())) {
        --steps;
        framesAtStep = 0;
    }
}

int RenderScale::Factor(int full) const {
    if (fixedFactor > 0) {
        return std::clamp(fixedFactor, 1, std::max(full, 1));
    }
    return std::max(1, full - steps);
}

}  // namespace platform::gl
