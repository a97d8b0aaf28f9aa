// Full screen on the desktop and back with Alt+Enter or F11, kept from the game: the keys that
// switch never reach it, unless the game polls that key itself (it is then one of the five keys
// the player configured in setup.ini, and stays the game's: it does not switch).
#pragma once

#include <SDL.h>

namespace platform::sdl {

// The keyboard notes every key the game polls, so that such a key is left to the game.
void NoteGameKey(int virtualKey);
// Forgets the keys the game has polled, for a fresh process state in tests.
void ForgetGameKeys();

// For a key press or release of the game's window: true when it is one of the switching keys,
// which then switches on its first press and is swallowed, its release too.
bool HandleWindowModeKey(SDL_Window* window, const SDL_KeyboardEvent& key);

}  // namespace platform::sdl
