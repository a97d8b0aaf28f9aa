// The game's own tilt and roll code run on one stage, one tick at a time from any saved state.
#pragma once

#include <memory>

#include "app/game_app.h"
#include "app/key_bits.h"
#include "platform/headless/headless.h"

// Everything the roll reads and writes: the ball's centre on the board and the two tilt angles.
struct BallState {
    float x = 0;
    float z = 0;
    float tiltX = 0;  // rotationX of every instance
    float tiltZ = 0;  // rotationZ of every instance
};

enum class Outcome { Rolling, Fell, Goal };

// A GameApp on the headless backends with a null device, its board built for one stage. Only one
// may exist at a time, since it installs the headless backends for its lifetime.
class BoardProbe {
  public:
    explicit BoardProbe(int stage);
    ~BoardProbe();
    BoardProbe(const BoardProbe&) = delete;
    BoardProbe& operator=(const BoardProbe&) = delete;

    // The state at the first tick of play: the start position after the intro's motion ticks.
    const BallState& Start() const { return start; }
    const StageMap& Map() const { return *app->stageMap; }

    // One play tick from `from` with the key bits `bits`: TiltInput, MoveBall, CheckHoleAndGoal.
    Outcome Step(const BallState& from, int bits, BallState& to);

  private:
    void Restore(const BallState& state);

    platform::headless::Session session;
    std::unique_ptr<GameApp> app;
    BallState start;
};
