// One frame of each scene drawn by DrawFrame on the OpenGL device offscreen, with the present that
// flushes it, at 1, 2 and 3 times 640 x 480 (the argument): the title's opening picture, the
// waiting title with its turning wireframe boxes, stage 1 in play and the ending's banner, taken
// from the full game's replay. GORVANTI_GL picks the OpenGL flavour (core or es);
// `percent_of_tick` is the share of the 40 ms tick one frame takes.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "app/game_app.h"
#include "platform/gl/gl_direct3d.h"
#include "platform/headless/headless.h"
#include "platform/win32/backends.h"
#include "tools/replay/headless_run.h"
#include "tools/replay/replay_script.h"
#include "tools/replay/scratch_directory.h"

namespace {

constexpr double TICK_SECONDS = 0.040;
// Ticks of tests/replays/full-game.replay.
constexpr int TITLE_OPENING_TICK = 3;
constexpr int WAITING_TITLE_TICK = 12;
constexpr int PLAY_TICK = 300;
constexpr int ENDING_TICK = 3860;
// The first frames compile the shaders they need and fill the device's caches.
constexpr int WARM_UP_FRAMES = 3;

// The game's folder with the build's art, settings and best times, in a scratch folder: the
// replay clears stages and writes best times.
void LayOutGameFolder(const ScratchDirectory& folder) {
    const std::filesystem::path run = GORVANTI_RUN_DIR;
    std::filesystem::copy(run, folder.Path(), std::filesystem::copy_options::recursive);
}

// The scenes ticked as the game's loop ticks them, the keys the replay holds polled before each
// tick, without drawing the frames between.
bool TickTo(GameApp& app, platform::headless::Session& session, int ticks) {
    ReplayScript script;
    std::string error;
    if (!script.Load(std::string(GORVANTI_SOURCE_DIR) + "/tests/replays/full-game.replay", error)) {
        return false;
    }
    for (int tick = 0; tick < ticks; ++tick) {
        const auto& keys = script.KeysAt(tick);
        session.keyboard.held = {keys.begin(), keys.end()};
        PollKeys(app.keyState);
        app.scene = app.scene == SCENE_TITLE ? app.TitleScene::Tick(app.keyState)
                                             : app.PlayScene::Tick(app.keyState);
        app.keyState.bits = 0;
    }
    return true;
}

void DrawSceneFrames(benchmark::State& state, int tick) {
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    const int scale = static_cast<int>(state.range(0));
    ScratchDirectory folder;
    LayOutGameFolder(folder);
    platform::headless::Session session;
    platform::SetDirect3DFactory([scale] { return platform::gl::CreateGlDirect3D({}, {scale}); });
    auto app = std::make_unique<GameApp>();
    if (StartUpWithoutLoop(*app) == 0 || !TickTo(*app, session, tick + 1)) {
        state.SkipWithError("no device, art or replay");
    } else {
        for (int frame = 0; frame < WARM_UP_FRAMES; ++frame) {
            app->DrawFrame();
            app->PresentFrame();
        }
        double seconds = 0;
        for (auto _ : state) {
            const auto start = std::chrono::steady_clock::now();
            app->DrawFrame();
            app->PresentFrame();
            seconds +=
                std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        }
        state.counters["percent_of_tick"] = 100.0 * seconds / state.iterations() / TICK_SECONDS;
    }
    app.reset();
    platform::SetDirect3DFactory({});
}

void BM_TitleOpening(benchmark::State& state) {
    DrawSceneFrames(state, TITLE_OPENING_TICK);
}
void BM_WaitingTitle(benchmark::State& state) {
    DrawSceneFrames(state, WAITING_TITLE_TICK);
}
void BM_Play(benchmark::State& state) {
    DrawSceneFrames(state, PLAY_TICK);
}
void BM_Ending(benchmark::State& state) {
    DrawSceneFrames(state, ENDING_TICK);
}

void Scales(benchmark::internal::Benchmark* benchmark) {
    benchmark->ArgName("scale")->DenseRange(1, 3)->Unit(benchmark::kMillisecond)->UseRealTime();
}

}  // namespace

BENCHMARK(BM_TitleOpening)->Apply(Scales);
BENCHMARK(BM_WaitingTitle)->Apply(Scales);
BENCHMARK(BM_Play)->Apply(Scales);
BENCHMARK(BM_Ending)->Apply(Scales);
