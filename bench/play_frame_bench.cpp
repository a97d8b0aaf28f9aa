// One frame of real play (stage 1 with its art: 402 instances, 326 sprites) drawn by DrawFrame on
// the recording device and on the OpenGL device offscreen (with the present that flushes it), the
// latter at 1, 2 and 3 times 640 x 480 (the argument); `percent_of_tick` is the share of the
// 40 ms tick it takes.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include "app/game_app.h"
#include "app/key_bits.h"
#include "platform/gl/gl_direct3d.h"
#include "platform/headless/headless.h"
#include "platform/headless/recording_device.h"
#include "platform/win32/backends.h"

namespace {

constexpr double TICK_SECONDS = 0.040;
// Past the intro, with the curtain open and the board tilted.
constexpr int TICKS_INTO_PLAY = 130;

void DrawPlayFrames(benchmark::State& state, bool openGl, int scale) {
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    const std::filesystem::path previous = std::filesystem::current_path();
    // The play scene only reads here: no stage is cleared.
    std::filesystem::current_path(GORVANTI_RUN_DIR);
    platform::headless::CallLog log;
    {
        platform::headless::Session session;
        platform::SetDirect3DFactory([&]() -> IDirect3D9* {
            return openGl ? platform::gl::CreateGlDirect3D({}, {scale})
                          : platform::headless::CreateRecordingDirect3D(log);
        });
        auto app = std::make_unique<GameApp>();
        if (!app->WinInit() || !app->CreateDevice()) {
            state.SkipWithError("no device");
        } else {
            app->scene = SCENE_PLAY;
            for (int tick = 0; tick < TICKS_INTO_PLAY; ++tick) {
                app->keyState.bits = KEY_BIT_RIGHT;
                app->PlayScene::Tick(app->keyState);
            }
            double seconds = 0;
            for (auto _ : state) {
                auto start = std::chrono::steady_clock::now();
                app->DrawFrame();
                app->PresentFrame();
                seconds +=
                    std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
                log.Clear();
            }
            state.counters["percent_of_tick"] = 100.0 * seconds / state.iterations() / TICK_SECONDS;
        }
        app.reset();
        platform::SetDirect3DFactory({});
    }
    std::filesystem::current_path(previous);
}

void BM_PlayFrameRecording(benchmark::State& state) {
    DrawPlayFrames(state, false, 1);
}
void BM_PlayFrameOpenGl(benchmark::State& state) {
    DrawPlayFrames(state, true, static_cast<int>(state.range(0)));
}

}  // namespace

BENCHMARK(BM_PlayFrameRecording)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BM_PlayFrameOpenGl)
    ->ArgName("scale")
    ->DenseRange(1, 3)
    ->Unit(benchmark::kMicrosecond)
    ->UseRealTime();
