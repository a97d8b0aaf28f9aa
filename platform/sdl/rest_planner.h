// How long the message loop may sleep when it finds nothing to do, judged from the beat of the
// presents: long while the next present is far, short once it is near, so it is not made late.
#pragma once

#include <array>
#include <chrono>

namespace platform::sdl {

using Nanoseconds = std::chrono::nanoseconds;

class RestPlanner {
  public:
    // Every time is read from one monotonic clock.
    void NotePresent(Nanoseconds now);
    // How long to rest at `now`: always more than zero and at most LONGEST_REST.
    Nanoseconds RestAt(Nanoseconds now) const;

    // Before the beat is known, or while presents do not come on it (loading, a box open).
    static constexpr Nanoseconds OFF_BEAT_REST = std::chrono::milliseconds(1);
    // The bound of one rest; events end a rest earlier.
    static constexpr Nanoseconds LONGEST_REST = std::chrono::milliseconds(10);
    // Rests stop this long before the next present is due: a timed wait may overrun by a
    // millisecond, so the last stretch is slept exactly instead.
    static constexpr Nanoseconds WAKE_MARGIN = std::chrono::milliseconds(2);
    // Once the present is due: short enough to make it late by no more than this.
    static constexpr Nanoseconds DUE_REST = std::chrono::microseconds(100);
    // The beat is the shortest of this many last intervals, so one long stall does not stretch it.
    static constexpr int BEAT_INTERVALS = 8;

  private:
    std::array<Nanoseconds, BEAT_INTERVALS> intervals{};
    int intervalCount = 0;
    Nanoseconds lastPresent{};
    bool presented = false;
};

}  // namespace platform::sdl
