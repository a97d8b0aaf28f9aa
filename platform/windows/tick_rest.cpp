// The tick rest: the game's due time followed read by read, the wait measured against it.
#include "platform/windows/tick_rest.h"

#include <algorithm>

namespace platform::windows {

namespace {

constexpr int64_t MILLISECONDS_PER_SECOND = 1000;

}  // namespace

TickRest::TickRest(int64_t countsPerSecond)
    : countsPerSecond(std::max<int64_t>(countsPerSecond, MILLISECONDS_PER_SECOND)),
      period(this->countsPerSecond / TICKS_PER_SECOND) {}

void TickRest::NoteClockRead(int64_t counts) {
    if (!started) {
        due = counts;
        started = true;
        return;
    }
    if (counts - due <= 0) {
        return;
    }
    // This read starts a tick: the next is owed on the beat, not a period after the read.
    due += period;
    if (due - counts < 0) {
        due = counts + period;
    }
}

uint32_t TickRest::MillisecondsToWait(int64_t now) const {
    if (!started || due - now <= 0) {
        return 0;
    }
    // Beyond a period the counter has jumped; the bound applies all the same.
    const int64_t untilDue = std::min(due - now, period);
    const int64_t wholeMilliseconds = untilDue * MILLISECONDS_PER_SECOND / countsPerSecond;
    if (wholeMilliseconds <= WAKE_MARGIN) {
        return 0;
    }
    return static_cast<uint32_t>(std::min<int64_t>(wholeMilliseconds - WAKE_MARGIN, LONGEST_WAIT));
}

}  // namespace platform::windows
