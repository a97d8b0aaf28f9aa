// How long the Windows message loop may wait when its queue is empty: the game's clock reads say
// when it starts a tick, and the wait ends before the next tick is due.
#pragma once

#include <cstdint>

namespace platform::windows {

// Follows the game's beat from its reads of the performance counter, in the counter's units. The
// game starts a tick (presents, then draws the next frame) at the first read past its due time,
// and owes the next tick one period after that due time, or one period after the read when it has
// fallen a whole period behind. Its first read, at start-up, is its first due time.
class TickRest {
  public:
    explicit TickRest(int64_t countsPerSecond);

    void NoteClockRead(int64_t counts);
    // Whole milliseconds the loop may wait at `now`: never into the margin before the due tick, at
    // most LONGEST_WAIT, and 0 before the game has read its clock or once the tick is near or due.
    uint32_t MillisecondsToWait(int64_t now) const;

    // The game's beat.
    static constexpr int TICKS_PER_SECOND = 25;
    // A wait may end up to a millisecond late (the timer's resolution, asked to be 1 ms); what is
    // left after the last wait the loop spends polling, so the tick starts on time.
    static constexpr uint32_t WAKE_MARGIN = 2;
    // Input ends a wait at once; the bound keeps the loop seeing its other messages.
    static constexpr uint32_t LONGEST_WAIT = 10;

  private:
    int64_t countsPerSecond;
    int64_t period;
    int64_t due = 0;
    bool started = false;
};

}  // namespace platform::windows
