// The real backends: the system's monotonic clock, and SDL2 windows, keys and message boxes.
#pragma once

#include "platform/backends.h"

namespace platform::sdl {

// Each is built on first use, so none needs SDL before a window, key or box asks for it.
Clock& RealClock();
Keyboard& RealKeyboard();
MessageBoxes& RealMessageBoxes();
WindowSystem& RealWindowSystem();

// Starts SDL's video subsystem once; false when it cannot start.
bool EnsureVideo();

}  // namespace platform::sdl
