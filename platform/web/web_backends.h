// The page's real backends (real_backends.h): the canvas's keyboard events, modal HTML dialogs and
// the canvas as the one window; and what they share.
#pragma once

#include "platform/real_backends.h"

namespace platform::web {

// Makes the canvas's key events reach the keyboard and the game's window; once is enough.
void ListenToCanvasKeys();

// The window whose native side is the page's canvas; null while there is none.
HWND CanvasWindow();

// Hands control to the browser for about `milliseconds`, so that it can draw and deliver events;
// the game's code continues where it stopped (Asyncify).
void YieldToBrowser(int milliseconds);

}  // namespace platform::web
