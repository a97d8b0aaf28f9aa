// The game's loop on the real clock with a fixed cost added to every frame (the argument, in
// milliseconds, spent at EndScene as a slow rasteriser would): the ticks a second it keeps over
// five seconds of the title, and the share of a core the process uses, with the loop busy (it
// never rests, as on Windows) and with the platform's rest between frames.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <chrono>
#include <filesystem>
#include <memory>

#include "app/game_app.h"
#include "platform/headless/headless.h"
#include "platform/headless/recording_device.h"
#include "platform/sdl/sdl_rest.h"
#include "platform/win32/backends.h"

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::duration;
using std::chrono::milliseconds;

// The title loads in its first ticks; the ticks are counted from then on.
constexpr milliseconds WARM_UP{1000};
constexpr milliseconds MEASURED{5000};

// Headless windows whose empty queue rests as the real window system's does, or never.
class PacedWindows : public platform::headless::HeadlessWindows {
  public:
    explicit PacedWindows(bool resting) : resting(resting) {}
    bool Rest() override { return resting && platform::sdl::RestUntilEventOrDue(); }
    void NoteClockRead(std::chrono::nanoseconds reading) override {
        platform::sdl::NoteClockRead(reading);
    }

  private:
    bool resting;
};

double ProcessorSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    auto seconds = [](const timeval& time) { return time.tv_sec + time.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

void Spin(milliseconds cost) {
    const auto end = Clock::now() + cost;
    while (Clock::now() < end) {
    }
}

// Presents counted between the end of the warm-up and the end of the measured stretch.
struct PresentCount {
    Clock::time_point start = Clock::now();
    int presents = 0;
    double firstProcessorSeconds = 0;
    double lastProcessorSeconds = 0;
    bool finished = false;

    void OnPresent() {
        const auto elapsed = Clock::now() - start;
        if (elapsed < WARM_UP) {
            return;
        }
        if (presents == 0) {
            firstProcessorSeconds = ProcessorSeconds();
        }
        if (elapsed < WARM_UP + MEASURED) {
            ++presents;
        } else if (!finished) {
            finished = true;
            lastProcessorSeconds = ProcessorSeconds();
            PostQuitMessage(0);
        }
    }
};

void Pace(benchmark::State& state, bool resting) {
    const milliseconds cost{state.range(0)};
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(GORVANTI_RUN_DIR);
    for (auto _ : state) {
        // Outlives the session, which closes the game's window through it.
        PacedWindows windows(resting);
        platform::headless::Session session;
        platform::SetWindowSystem(&windows);
        platform::SetClock(nullptr);
        platform::sdl::ForgetPresents();
        PresentCount count;
        platform::DeviceHooks hooks;
        hooks.endScene = [cost] { Spin(cost); };
        hooks.present = [&count] {
            platform::sdl::NotePresent();
            count.OnPresent();
        };
        platform::SetDirect3DFactory(
            [&hooks] { return platform::headless::CreateNullDirect3D(hooks); });
        auto app = std::make_unique<GameApp>();
        app->StartUp(nullptr);
        const double seconds = duration<double>(MEASURED).count();
        state.counters["ticks_per_second"] = count.presents / seconds;
        state.counters["percent_of_a_core"] =
            100 * (count.lastProcessorSeconds - count.firstProcessorSeconds) / seconds;
        app.reset();
        platform::SetDirect3DFactory({});
    }
    std::filesystem::current_path(previous);
}

void BM_BusyLoop(benchmark::State& state) {
    Pace(state, false);
}
void BM_RestingLoop(benchmark::State& state) {
    Pace(state, true);
}

// The frame costs the pacing is shown at: well below the tick, then closer and closer to it.
void FrameCosts(benchmark::internal::Benchmark* benchmark) {
    benchmark->ArgName("frame_ms");
    for (const int cost : {10, 20, 30, 34, 38}) {
        benchmark->Arg(cost);
    }
    benchmark->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();
}

}  // namespace

BENCHMARK(BM_BusyLoop)->Apply(FrameCosts);
BENCHMARK(BM_RestingLoop)->Apply(FrameCosts);
