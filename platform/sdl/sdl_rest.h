// Giving the processor back while the game's loop has nothing to do, in step with its presents.
#pragma once

namespace platform::sdl {

// The OpenGL context calls it after every swap: it sets the beat the rests keep to, and logs
// the present (present_log.h).
void NotePresent();

// A new window presents on a beat of its own: the rests forget the presents seen so far.
void ForgetPresents();

// Sleeps for what the rest planner allows now (at most a few milliseconds), waking early when an
// SDL event arrives; the event stays queued for the next pump.
void RestUntilEventOrDue();

}  // namespace platform::sdl
