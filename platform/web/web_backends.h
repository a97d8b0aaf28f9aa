// The page's real backends (real_backends.h): the canvas's keyboard events, modal HTML dialogs and
// the canvas as the one window; and what they share.
#pragma once

#include "platform/web/web_key_latch.h"
#include "platform/win32/real_backends.h"

namespace platform::web {

// Makes the canvas's key events reach the keyboard and the game's window, and the canvas's or the
// page's loss of the focus let go of every key of the keyboard; once is enough.
void ListenToCanvasKeys();

// The page's keys, one door for every way the player presses them (the keyboard, the page's
// controls), each key a PageKey. A press reaches the game's polls (see KeyLatch) and its window as
// WM_KEYDOWN; pressing a key that is down already is a repeat and reaches neither. A release
// reaches both when the key was down.
void PressPageKey(const PageKey& key);
void ReleasePageKey(const PageKey& key);

// The window whose native side is the page's canvas; null while there is none.
HWND CanvasWindow();

// Hands control to the browser for about `milliseconds`, so that it can draw and deliver events;
// the game's code continues where it stopped (Asyncify).
void YieldToBrowser(int milliseconds);

}  // namespace platform::web
