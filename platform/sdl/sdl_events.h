// Turning SDL events into window messages in the platform's queue.
#pragma once

#include <SDL.h>

#include "platform/win32/win32_subset.h"

namespace platform::sdl {

// The window handle an SDL window belongs to; null for windows that are not ours (message boxes).
HWND WindowOfEvent(Uint32 windowId);

// Queues the message an event means, if any. Input for `disabledWindow` is dropped, as Windows
// drops input to the owner of a modal box.
void TranslateEvent(const SDL_Event& event, HWND disabledWindow = nullptr);

}  // namespace platform::sdl
