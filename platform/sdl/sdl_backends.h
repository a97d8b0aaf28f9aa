// The desktop's real backends: SDL2 windows, keys and message boxes (real_backends.h), and the
// start of SDL's video they share.
#pragma once

#include "platform/win32/real_backends.h"

namespace platform::sdl {

// Starts SDL's video subsystem once; false when it cannot start. The backends are built on first
// use, so none needs SDL before a window, key or box asks for it. Without a display SDL would
// fall back to a driver that shows nothing, and a game there would run unseen for ever: such a
// driver is refused (false, SDL_GetError saying why) unless SDL_VIDEODRIVER asked for it, as the
// tests and the replay tool's screenshots do.
bool EnsureVideo();

// True while SDL's video runs on a driver without a screen (offscreen, dummy): nobody sees a
// window there or could answer it.
bool VideoWithoutScreen();

}  // namespace platform::sdl
