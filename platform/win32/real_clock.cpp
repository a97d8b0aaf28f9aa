// The real clock: the system's monotonic time as a 10 MHz performance counter.
#include <time.h>

#include "platform/win32/real_backends.h"

namespace platform {
namespace {

// The frequency Windows reports on most machines; the game divides it by 25 for its tick.
constexpr int64_t COUNTS_PER_SECOND = 10'000'000;
constexpr int64_t NANOSECONDS_PER_COUNT = 1'000'000'000 / COUNTS_PER_SECOND;
constexpr int64_t NANOSECONDS_PER_MILLISECOND = 1'000'000;
constexpr int64_t NANOSECONDS_PER_SECOND = 1'000'000'000;

int64_t MonotonicNanoseconds() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<int64_t>(now.tv_sec) * NANOSECONDS_PER_SECOND + now.tv_nsec;
}

class MonotonicClock : public Clock {
  public:
    bool Frequency(int64_t& countsPerSecond) override {
        countsPerSecond = COUNTS_PER_SECOND;
        return true;
    }
    int64_t Counter() override { return MonotonicNanoseconds() / NANOSECONDS_PER_COUNT; }
    // Wraps after 49.7 days, as timeGetTime does.
    uint32_t Milliseconds() override {
        return static_cast<uint32_t>(MonotonicNanoseconds() / NANOSECONDS_PER_MILLISECOND);
    }
};

}  // namespace

Clock& RealClock() {
    // Never destroyed: static destructors of the game may still read the clock.
    static Clock* clock = new MonotonicClock;
    return *clock;
}

}  // namespace platform
