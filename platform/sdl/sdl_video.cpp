// Starting SDL's video subsystem on first need, never during static initialisation.
#include <SDL.h>

#include "platform/sdl/sdl_backends.h"

namespace platform::sdl {

bool EnsureVideo() {
    if (SDL_WasInit(SDL_INIT_VIDEO) != 0) {
        return true;
    }
    // Closing the game window must ask the quit question, not end the program behind its back.
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    // Window surfaces (the message boxes) must not be drawn through an OpenGL renderer: its
    // context would take the place of the game's current context, and the game would draw
    // into nothing once the box is gone.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    return SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
}

}  // namespace platform::sdl
