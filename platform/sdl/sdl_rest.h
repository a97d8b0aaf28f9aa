// Giving the processor back while the game's loop has nothing to do, in step with its presents.
#pragma once

#include <chrono>

namespace platform::sdl {

// The OpenGL context calls it after every swap: the tick it arms runs before any rest, and the
// present is logged (present_log.h).
void NotePresent();

// The window system calls it at every clock reading of the game (as monotonic time): the rests
// are planned from them.
void NoteClockRead(std::chrono::nanoseconds reading);

// A new window presents on a beat of its own: the rests forget the presents seen so far.
void ForgetPresents();

// Sleeps for what the rest planner allows now (at most a few milliseconds, nothing while a tick
// is owed), waking early when an SDL event arrives; the event stays queued for the next pump.
// False when it did not sleep, or its wait for events ran out with none.
bool RestUntilEventOrDue();

}  // namespace platform::sdl
