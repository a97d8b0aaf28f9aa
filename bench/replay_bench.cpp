// Headless simulation: the whole full-game replay (title, ten stages, ending) run through the real
// application object on the null device; `ticks_per_second` and `times_real_time` (25 ticks a
// second is real time).
#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>

#include "app/game_app.h"
#include "tools/replay/replay_runner.h"
#include "tools/replay/replay_script.h"
#include "tools/replay/scratch_directory.h"

namespace {

namespace fs = std::filesystem;

void BM_FullGameReplay(benchmark::State& state) {
    const fs::path script = fs::path(GORVANTI_SOURCE_DIR) / "tests/replays/full-game.replay";
    ReplayScript parsed;
    std::string error;
    if (!parsed.Load(script.string(), error)) {
        state.SkipWithError(error.c_str());
        return;
    }
    // Replays write besttime.dat back: run them in a copy of the run folder.
    const ScratchDirectory folder;
    fs::copy(GORVANTI_RUN_DIR, folder.Path(), fs::copy_options::recursive);
    ReplayOptions options;
    options.directory = folder.Path().string();
    options.scriptFile = script.string();
    double seconds = 0;
    for (auto _ : state) {
        fs::copy_file(fs::path(GORVANTI_RUN_DIR) / "besttime.dat", folder.Path() / "besttime.dat",
                      fs::copy_options::overwrite_existing);
        auto start = std::chrono::steady_clock::now();
        RunReplay(options);
        seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    const double ticks = static_cast<double>(parsed.Length()) * state.iterations();
    state.counters["ticks_per_second"] = ticks / seconds;
    state.counters["times_real_time"] = ticks / seconds / Game::TICKS_PER_SECOND;
}

}  // namespace

BENCHMARK(BM_FullGameReplay)->Unit(benchmark::kMillisecond)->UseRealTime();
