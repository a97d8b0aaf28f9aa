// When key reads pump SDL's events. A pump asks the display connection and the device monitors
// for news, a handful of system calls each time; the game reads each of its keys on every pass of
// its loop, just after its message pump, so those reads need no pump of their own. Reads with no
// message pump just before (a tool's, or the game's on windows without SDL) pump as they always
// did.
#pragma once

#include <chrono>

namespace platform::sdl {

// Key state this recent is the player's: far shorter than any press a tick can see.
constexpr std::chrono::nanoseconds FRESH_FOR = std::chrono::milliseconds(1);

// The message pump calls it as it pumps, and the rest when its wait for events ran out.
void NoteEventsPumped();

// Before a key read: pumps unless the message pump ran within FRESH_FOR.
void PumpEventsForKeyRead();

// Before reading the pads: brings their state and the list of them up to date unless the message
// pump, which does the same, ran within FRESH_FOR.
void UpdatePadsUnlessPumped();

}  // namespace platform::sdl
