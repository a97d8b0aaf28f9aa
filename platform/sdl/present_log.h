// A record of when each frame reached the screen, for measuring the game's pacing.
#pragma once

#include <chrono>

namespace platform::sdl {

// Appends the time of a present (on the monotonic clock), in microseconds, as one line to the
// file that GORVANTI_PRESENT_LOG names; does nothing when the variable is unset or empty.
void LogPresent(std::chrono::nanoseconds now);

}  // namespace platform::sdl
