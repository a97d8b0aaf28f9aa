// Windows virtual-key codes and the SDL scancodes of the keys they name, both ways.
#pragma once

#include <SDL.h>

namespace platform::sdl {

// The keys one virtual-key code stands for: two for the generic shift, control and alt codes.
struct KeyScancodes {
    SDL_Scancode codes[2] = {SDL_SCANCODE_UNKNOWN, SDL_SCANCODE_UNKNOWN};
    int count = 0;
};

KeyScancodes ScancodesOf(int virtualKey);

// The virtual-key code Windows reports in WM_KEYDOWN for a key; 0 for keys it has no code for.
// Either shift key gives VK_SHIFT, as in the message; the left and right codes are for polling.
int VirtualKeyOf(SDL_Scancode scancode);

}  // namespace platform::sdl
