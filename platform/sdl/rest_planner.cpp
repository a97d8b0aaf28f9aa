// The rest planner: the beat from the last present intervals, the rest from the next due present.
#include "platform/sdl/rest_planner.h"

#include <algorithm>

namespace platform::sdl {

void RestPlanner::NotePresent(Nanoseconds now) {
    if (presented) {
        intervals[intervalCount % BEAT_INTERVALS] = now - lastPresent;
        ++intervalCount;
    }
    lastPresent = now;
    presented = true;
}

Nanoseconds RestPlanner::RestAt(Nanoseconds now) const {
    if (intervalCount < BEAT_INTERVALS) {
        return OFF_BEAT_REST;
    }
    const Nanoseconds beat = *std::min_element(intervals.begin(), intervals.end());
    const Nanoseconds untilDue = lastPresent + beat - now;
    if (untilDue > WAKE_MARGIN) {
        return std::min(untilDue - WAKE_MARGIN, LONGEST_REST);
    }
    if (untilDue > DUE_REST) {
        return untilDue;
    }
    // Overdue by more than the margin: the game has left its beat for now.
    return untilDue >= -WAKE_MARGIN ? DUE_REST : OFF_BEAT_REST;
}

}  // namespace platform::sdl
