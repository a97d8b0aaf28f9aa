// The rest planner: the period and the next due time bounded from below by the game's clock
// readings, the rest from that bound.
#include "platform/win32/rest_planner.h"

#include <algorithm>

namespace platform {

void RestPlanner::NoteClockRead(Nanoseconds reading) {
    if (readSincePresent) {
        // Another reading came after it, so that one did not present.
        quietReading = lastReading;
        hasQuietReading = true;
    }
    lastReading = reading;
    readSincePresent = true;
}

void RestPlanner::NotePresent() {
    presented = true;
    if (!readSincePresent) {
        // A present with no reading before it: nothing to plan the next one from.
        dueBounded = false;
        hasPresentReading = false;
        return;
    }
    // The due time this present met is at most a period after the previous present's reading,
    // and a quiet reading is not past it: their span is a lower bound of the period.
    if (hasQuietReading && hasPresentReading) {
        periodSamples[periodSampleCount % PERIOD_SAMPLES] = quietReading - presentReading;
        ++periodSampleCount;
    }
    const bool metDueBounded = hasQuietReading || dueBounded;
    Nanoseconds metDue = hasQuietReading ? quietReading : earliestDue;
    if (hasQuietReading && dueBounded) {
        metDue = std::max(quietReading, earliestDue);
    }
    dueBounded = PeriodKnown() && metDueBounded;
    if (dueBounded) {
        earliestDue = std::max(metDue + PeriodLowerBound(), lastReading);
    }
    presentReading = lastReading;
    hasPresentReading = true;
    readSincePresent = false;
    hasQuietReading = false;
}

Nanoseconds RestPlanner::PeriodLowerBound() const {
    return *std::max_element(periodSamples.begin(), periodSamples.end());
}

Nanoseconds RestPlanner::RestAt(Nanoseconds now) const {
    if (presented && !readSincePresent) {
        // The present armed a tick: the game runs it on its next pass.
        return Nanoseconds::zero();
    }
    if (!dueBounded) {
        return OFF_BEAT_REST;
    }
    const Nanoseconds untilDue = earliestDue - now;
    if (untilDue > WAKE_MARGIN) {
        return std::min(untilDue - WAKE_MARGIN, LONGEST_REST);
    }
    if (untilDue > DUE_REST) {
        return untilDue;
    }
    // Far past the bound: the game fell behind its beat and restarted it up to a period later,
    // which short rests find without busy waiting.
    return untilDue >= -WAKE_MARGIN ? DUE_REST : OFF_BEAT_REST;
}

}  // namespace platform
