// How finely the 3-D scene is drawn: at the picture's own resolution while the rasteriser keeps
// the game's time, a whole factor lower (then enlarged, the sprites still drawn at full
// resolution) while frames keep the game busy for more than half a tick, and back up once there
// is room again. GORVANTI_RENDER_SCALE fixes the factor instead.
#pragma once

#include <chrono>

namespace platform::gl {

// GORVANTI_RENDER_SCALE=N draws the 3-D scene at N times the back buffer at most.
constexpr const char* RENDER_SCALE_VARIABLE = "GORVANTI_RENDER_SCALE";

class RenderScale {
  public:
    using Nanoseconds = std::chrono::nanoseconds;

    // A fixed factor (from RENDER_SCALE_VARIABLE) or, with 0, one that follows the frames' cost
    // when `adaptive`; otherwise the picture's own resolution always.
    RenderScale(int fixedFactor, bool adaptive) : fixedFactor(fixedFactor), adaptive(adaptive) {}
    // From the environment: adaptive unless the variable fixes the factor.
    static RenderScale FromEnvironment(bool adaptive);

    // After each presented frame: how long drawing and presenting it kept the game busy, the
    // picture being `full` times the back buffer.
    void NoteFrame(Nanoseconds busy, int full);
    // The factor to draw the next frame's 3-D scene at, when the picture is `full` times the
    // back buffer (whole times, at least 1); `full` means straight onto the picture.
    int Factor(int full) const;

    // Frames run late when they keep the game busy for more than half its 40 ms tick on average
    // over a second of frames.
    static constexpr Nanoseconds LATE = std::chrono::milliseconds(20);
    // The factor goes back up when the frames at it, enlarged by what the step down saved, would
    // take less than this: a margin below LATE, so that it does not flicker between the two.
    static constexpr Nanoseconds ROOMY = std::chrono::milliseconds(15);
    static constexpr int FRAMES_MEASURED = 25;
    // A factor is kept for this many frames at least before it goes up again.
    static constexpr int FRAMES_KEPT = 75;

  private:
    int fixedFactor;
    bool adaptive;
    int steps = 0;  // how many factors below the picture's the scene is drawn
    Nanoseconds sum{};
    int frames = 0;
    int framesAtStep = 0;
    // What the last step down saved: the mean before it over the first mean after it.
    double stepSaving = 1.0;
    Nanoseconds meanBeforeStep{};
    bool savingKnown = false;
};

}  // namespace platform::gl
