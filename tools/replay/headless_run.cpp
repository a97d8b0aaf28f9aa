// The real application object run headless.
#include "tools/replay/headless_run.h"

#include "app/game_app.h"

namespace {

// A tick is due after two reads, so a tick costs a few passes of the loop.
constexpr int64_t VIRTUAL_FREQUENCY = 10'000'000;
constexpr int64_t VIRTUAL_STEP = VIRTUAL_FREQUENCY / Game::TICKS_PER_SECOND / 2 + 1;

}  // namespace

ReplaySession::ReplaySession() {
    clock.frequency = VIRTUAL_FREQUENCY;
    clock.step = VIRTUAL_STEP;
}

int StartUpWithoutLoop(GameApp& app) {
    app.hInstance = GetModuleHandleA(NULL);
    if (!app.LoadKeyConfig() || !app.WinInit() || !app.CreateDevice()) {
        return 0;
    }
    return app.ShowMainWindow();
}

void RunOneTick(GameApp& app) {
    for (bool ticked = false; !ticked;) {
        ticked = app.tickPending != 0;
        app.Idle();
    }
}
