// The game's own tilt and roll code run on one stage from saved states.
#include "tools/solver/board_probe.h"

#include <cstdio>
#include <cstdlib>

#include "platform/headless/recording_device.h"
#include "platform/win32/backends.h"
#include "play/board_geometry.h"

namespace {

// The intro's 102 ticks each run the roll with a level board; the first of them clamps a start
// that lies outside the board.
constexpr int INTRO_TICKS = 102;

}  // namespace

BoardProbe::BoardProbe(int stage) {
    platform::SetDirect3DFactory([] { return platform::headless::CreateNullDirect3D(); });
    app = std::make_unique<GameApp>();
    if (!app->WinInit() || !app->CreateDevice()) {
        std::fprintf(stderr, "gorvanti-solver: the headless game could not start\n");
        std::abort();
    }
    app->SetUpResources();
    app->stage = stage;
    app->BuildBoard();
    for (int tick = 0; tick < INTRO_TICKS; ++tick) {
        app->MoveBall();
        if (!app->falling) {
            app->CheckHoleAndGoal();
        }
    }
    const MeshInstance& ball = app->instances[BALL_INSTANCE];
    start = {ball.position.x, ball.position.z, ball.rotationX, ball.rotationZ};
}

BoardProbe::~BoardProbe() {
    app.reset();
    platform::SetDirect3DFactory({});
}

void BoardProbe::Restore(const BallState& state) {
    for (MeshInstance& instance : app->instances) {
        instance.rotationX = state.tiltX;
        instance.rotationZ = state.tiltZ;
    }
    app->instances[BALL_INSTANCE].position = {state.x, 0, state.z};
    app->falling = 0;
    app->goalReached = 0;
}

Outcome BoardProbe::Step(const BallState& from, int bits, BallState& to) {
    Restore(from);
    KeyState keys{};
    keys.bits = bits;
    app->TiltInput(keys);
    app->MoveBall();
    app->CheckHoleAndGoal();
    const MeshInstance& ball = app->instances[BALL_INSTANCE];
    to = {ball.position.x, ball.position.z, ball.rotationX, ball.rotationZ};
    if (app->falling) {
        return Outcome::Fell;
    }
    return app->goalReached ? Outcome::Goal : Outcome::Rolling;
}
