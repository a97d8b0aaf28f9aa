// The page's real backends (real_backends.h): the canvas's keyboard events, modal HTML dialogs and
// the canvas as the one window; and what they share.
#pragma once

#include "platform/win32/real_backends.h"

namespace platform::web {

// Makes the canvas's key events reach the keyboard and the game's window, and the canvas's or the
// page's loss of the focus let go of every key; once is enough.
void ListenToCanvasKeys();

// The page's keys, one door for every way the player presses them (the keyboard, controls drawn
// on the page), each key named as KeyboardEvent.code names it ("ArrowUp", "Space"). A press
// reaches the game's polls (see KeyLatch) and its window as WM_KEYDOWN; pressing a key that is
// down already is a repeat and reaches neither. A release reaches both when the key was down.
void PressPageKey(const char* code);
void ReleasePageKey(const char* code);
// Lets go of every key and forgets every tap, as when the page loses the focus.
void ReleaseAllPageKeys();

// The window whose native side is the page's canvas; null while there is none.
HWND CanvasWindow();

// Hands control to the browser for about `milliseconds`, so that it can draw and deliver events;
// the game's code continues where it stopped (Asyncify).
void YieldToBrowser(int milliseconds);

}  // namespace platform::web
