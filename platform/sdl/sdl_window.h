// The SDL window behind a window handle, for the OpenGL device.
#pragma once

#include <SDL.h>

#include "platform/win32/win32_subset.h"

namespace platform::sdl {

// The SDL window of a window created by the SDL window system (always OpenGL-capable); null for a
// handle that has no SDL window (for example one made by the headless window system).
SDL_Window* SdlWindowOf(HWND window);

}  // namespace platform::sdl
