// The opening size of the game's window: a fixed factor from the environment, or the desktop's.
#include "platform/sdl/sdl_window_size.h"

#include <SDL.h>

#include <algorithm>
#include <cstdlib>

namespace platform::sdl {

namespace {

constexpr int FIRST_DISPLAY = 0;

// The factor GORVANTI_SCALE asks for; 0 when it is not set or not a usable factor.
int ScaleFromEnvironment() {
    const char* text = std::getenv(SCALE_VARIABLE);
    if (text == nullptr || *text == '\0') {
        return 0;
    }
    char* end = nullptr;
    const long scale = std::strtol(text, &end, 10);
    if (*end != '\0' || scale < 1 || scale > LARGEST_SCALE) {
        SDL_LogWarn(SDL_LOG_CATEGORY_VIDEO,
                    "%s=%s is not a whole number from 1 to %d; the window fits the desktop instead",
                    SCALE_VARIABLE, text, LARGEST_SCALE);
        return 0;
    }
    return static_cast<int>(scale);
}

}  // namespace

int LargestFittingScale(int clientWidth, int clientHeight, int usableWidth, int usableHeight) {
    if (clientWidth <= 0 || clientHeight <= 0) {
        return 1;
    }
    return std::max(1, std::min(usableWidth / clientWidth, usableHeight / clientHeight));
}

int OpeningScale(int clientWidth, int clientHeight) {
    const int fixed = ScaleFromEnvironment();
    if (fixed != 0) {
        return fixed;
    }
    SDL_Rect usable{};
    if (SDL_GetDisplayUsableBounds(FIRST_DISPLAY, &usable) != 0) {
        return 1;
    }
    return LargestFittingScale(clientWidth, clientHeight, usable.w, usable.h);
}

}  // namespace platform::sdl
