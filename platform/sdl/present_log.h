// A record of when each frame reached the screen, for measuring the game's pacing.
#pragma once

namespace platform::sdl {

// Appends the monotonic time of a present, in microseconds, as one line to the file that
// GORVANTI_PRESENT_LOG names; does nothing when the variable is unset or empty.
void LogPresent();

}  // namespace platform::sdl
