// The play scene's logic for one tick (tilt, roll, hole and goal test, 402 world matrices) with a
// held tilt, on the null device; `percent_of_tick` is the share of the 40 ms tick it takes.
#include <benchmark/benchmark.h>
#include <time.h>

#include <memory>

#include "app/game_app.h"
#include "app/key_bits.h"
#include "app/scene_numbers.h"
#include "platform/headless/headless.h"
#include "platform/headless/recording_device.h"
#include "platform/win32/backends.h"
#include "tools/replay/scratch_directory.h"

namespace {

constexpr double TICK_SECONDS = 0.040;
constexpr int INTRO_TICKS = 102;

// A game in a scratch folder holding only ./besttime.dat; without art the sprites have no
// texture, which the logic does not need.
class PlayBench {
  public:
    explicit PlayBench(int stage) {
        folder.Write("besttime.dat",
                     "270f\n270f\n270f\n270f\n270f\n270f\n270f\n270f\n270f\n270f\n");
        platform::headless::ResetWindowState();
        session = std::make_unique<platform::headless::Session>();
        platform::SetDirect3DFactory([] { return platform::headless::CreateNullDirect3D(); });
        app = std::make_unique<GameApp>();
        app->WinInit();
        app->CreateDevice();
        app->scene = SCENE_PLAY;
        Tick(0);
        app->stage = stage;
        app->phase = 0;
        for (int tick = 0; tick < INTRO_TICKS; ++tick) {
            Tick(0);
        }
    }

    ~PlayBench() {
        app.reset();
        platform::SetDirect3DFactory({});
        session.reset();
        platform::headless::ResetWindowState();
    }

    int Tick(int bits) {
        app->keyState.bits = bits;
        return app->PlayScene::Tick(app->keyState);
    }

    ScratchDirectory folder;
    std::unique_ptr<platform::headless::Session> session;
    std::unique_ptr<GameApp> app;
};

// Processor time of this thread: the machine is shared, so wall time says little.
double ThreadSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// Stage 1 rolling down its left column to the bottom edge; stage 10 from the centre up against
// the block of row 6, pushed back out of it on every tick.
void HeldTilt(benchmark::State& state, int stage, int bits) {
    PlayBench bench(stage);
    const double start = ThreadSeconds();
    for (auto _ : state) {
        benchmark::DoNotOptimize(bench.Tick(bits));
    }
    const double perTick = (ThreadSeconds() - start) / static_cast<double>(state.iterations());
    if (bench.app->goalReached || bench.app->falling) {
        state.SkipWithError("the ball left normal play");
    }
    state.counters["percent_of_tick"] = 100.0 * perTick / TICK_SECONDS;
}

void StageOneHeldTilt(benchmark::State& state) {
    HeldTilt(state, 1, KEY_BIT_DOWN);
}
void StageTenHeldTilt(benchmark::State& state) {
    HeldTilt(state, 10, KEY_BIT_UP);
}

BENCHMARK(StageOneHeldTilt);
BENCHMARK(StageTenHeldTilt);

}  // namespace
