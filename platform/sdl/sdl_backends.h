// The desktop's real backends: SDL2 windows, keys and message boxes (real_backends.h), and the
// start of SDL's video they share.
#pragma once

#include "platform/real_backends.h"

namespace platform::sdl {

// Starts SDL's video subsystem once; false when it cannot start. The backends are built on first
// use, so none needs SDL before a window, key or box asks for it.
bool EnsureVideo();

}  // namespace platform::sdl
