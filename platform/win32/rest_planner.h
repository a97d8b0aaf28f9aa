// How long the game's loop may sleep when it finds nothing to do: never between a present and the
// tick it arms, and from then on up to the earliest moment the next present can be due, worked
// out from the game's own clock reads, so that resting never makes a tick late. No system calls:
// every platform feeds it what it sees.
#pragma once

#include <array>
#include <chrono>

namespace platform {

using Nanoseconds = std::chrono::nanoseconds;

// The game reads its clock once a pass, after any drawing, and presents when the reading is past
// its due time; the due time then advances by one period, or restarts one period after the
// reading when the game is more than a period behind. So the due time a present met lies after
// every quiet reading since the previous present (one that did not present) and before the
// reading that presented, and the next due time lies a period after it, or after that reading.
class RestPlanner {
  public:
    // Every time is on one monotonic clock. `reading` is what the game read (its performance
    // counter or millisecond clock, as time on that clock).
    void NoteClockRead(Nanoseconds reading);
    // The game presented a frame, after the last reading noted.
    void NotePresent();
    // How long to rest at `now`: zero while the tick a present armed has not run, else more than
    // zero and at most LONGEST_REST.
    Nanoseconds RestAt(Nanoseconds now) const;

    // Before the period is known, or while the game is behind its beat (a stage loading, a slow
    // frame) and the next due time can only be bounded loosely.
    static constexpr Nanoseconds OFF_BEAT_REST = std::chrono::milliseconds(1);
    // The bound of one rest; events end a rest earlier.
    static constexpr Nanoseconds LONGEST_REST = std::chrono::milliseconds(10);
    // Rests stop this long before the next present can be due: a timed wait may overrun by a
    // millisecond, so the last stretch is slept exactly instead.
    static constexpr Nanoseconds WAKE_MARGIN = std::chrono::milliseconds(2);
    // Once the present can be due: short enough to make it late by no more than this.
    static constexpr Nanoseconds DUE_REST = std::chrono::microseconds(100);
    // The period is bounded from below by the longest of this many last spans from a present's
    // reading to the last quiet reading before the next present.
    static constexpr int PERIOD_SAMPLES = 8;

  private:
    bool PeriodKnown() const { return periodSampleCount >= PERIOD_SAMPLES; }
    Nanoseconds PeriodLowerBound() const;

    std::array<Nanoseconds, PERIOD_SAMPLES> periodSamples{};
    int periodSampleCount = 0;
    bool presented = false;
    // A reading has come since the last present: the tick that present armed has run.
    bool readSincePresent = false;
    Nanoseconds lastReading{};
    // The reading that presented last, when one was noted before it.
    bool hasPresentReading = false;
    Nanoseconds presentReading{};
    // The latest reading since the last present known not to have presented.
    bool hasQuietReading = false;
    Nanoseconds quietReading{};
    // The earliest the next present can be due.
    bool dueBounded = false;
    Nanoseconds earliestDue{};
};

}  // namespace platform
