// Start-up: from building the application object to the first presented frame (the title's
// resources loaded and its first frame drawn), on the OpenGL device offscreen and on the null
// device; `percent_of_tick` is the share of the 40 ms tick it takes.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include "app/game_app.h"
#include "platform/gl/gl_direct3d.h"
#include "platform/headless/headless.h"
#include "platform/headless/recording_device.h"
#include "platform/win32/backends.h"

namespace {

constexpr double TICK_SECONDS = 0.040;

// Starts the game in the build's run folder and ends the loop at its first present.
void StartUntilFirstPresent(benchmark::State& state, bool openGl) {
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(GORVANTI_RUN_DIR);
    platform::DeviceHooks hooks;
    hooks.present = [] { PostQuitMessage(0); };
    platform::SetDirect3DFactory([&]() -> IDirect3D9* {
        return openGl ? platform::gl::CreateGlDirect3D(hooks)
                      : platform::headless::CreateNullDirect3D(hooks);
    });
    double seconds = 0;
    for (auto _ : state) {
        auto start = std::chrono::steady_clock::now();
        auto app = std::make_unique<GameApp>();
        int started = app->StartUp(GetModuleHandleA(NULL));
        seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        app.reset();
        platform::headless::ResetWindowState();
        if (started != 1) {
            state.SkipWithError("the game did not start");
            break;
        }
    }
    platform::SetDirect3DFactory({});
    std::filesystem::current_path(previous);
    if (state.iterations() > 0) {
        state.counters["percent_of_tick"] = 100.0 * seconds / state.iterations() / TICK_SECONDS;
    }
}

void BM_StartUpOpenGl(benchmark::State& state) {
    StartUntilFirstPresent(state, true);
}
void BM_StartUpNullDevice(benchmark::State& state) {
    StartUntilFirstPresent(state, false);
}

}  // namespace

BENCHMARK(BM_StartUpOpenGl)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_StartUpNullDevice)->Unit(benchmark::kMillisecond)->UseRealTime();
