// Starting SDL's video subsystem on first need, never during static initialisation.
#include <SDL.h>

#include <cstring>

#include "platform/sdl/sdl_backends.h"

namespace platform::sdl {

bool VideoWithoutScreen() {
    const char* driver = SDL_GetCurrentVideoDriver();
    return driver != nullptr &&
           (std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0);
}

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
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        return false;
    }
    const char* asked = SDL_getenv("SDL_VIDEODRIVER");
    if (VideoWithoutScreen() &&
        (asked == nullptr || SDL_strcasecmp(asked, SDL_GetCurrentVideoDriver()) != 0)) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        SDL_SetError("there is no display (neither DISPLAY nor WAYLAND_DISPLAY names one)");
        return false;
    }
    return true;
}

}  // namespace platform::sdl
