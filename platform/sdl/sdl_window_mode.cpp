// The keys that switch full screen, and the keys of the game they leave alone.
#include "platform/sdl/sdl_window_mode.h"

#include <bitset>

#include "platform/sdl/virtual_keys.h"

namespace platform::sdl {

namespace {

constexpr int VIRTUAL_KEY_COUNT = 256;

std::bitset<VIRTUAL_KEY_COUNT> gameKeys;
// Keys whose press switched: their releases are swallowed as well, whatever the modifiers say by
// then (Alt may be let go before Enter).
std::bitset<SDL_NUM_SCANCODES> switchingKeysDown;

bool IsEnter(SDL_Scancode scancode) {
    return scancode == SDL_SCANCODE_RETURN || scancode == SDL_SCANCODE_KP_ENTER;
}

bool IsSwitchingPress(const SDL_Keysym& key) {
    const bool altEnter = IsEnter(key.scancode) && (key.mod & KMOD_ALT) != 0;
    const bool f11 = key.scancode == SDL_SCANCODE_F11;
    return (altEnter || f11) && !gameKeys.test(static_cast<size_t>(VirtualKeyOf(key.scancode)));
}

// Between a window and the whole desktop (SDL_WINDOW_FULLSCREEN_DESKTOP: no change of the display
// mode; the device letterboxes the picture on it).
void ToggleFullScreen(SDL_Window* window) {
    const bool fullScreen = (SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN_DESKTOP) != 0;
    // A system that refuses keeps the window as it is; nothing else depends on the mode.
    SDL_SetWindowFullscreen(window, fullScreen ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP);
}

}  // namespace

void NoteGameKey(int virtualKey) {
    if (virtualKey > 0 && virtualKey < VIRTUAL_KEY_COUNT) {
        gameKeys.set(static_cast<size_t>(virtualKey));
    }
}

void ForgetGameKeys() {
    gameKeys.reset();
    switchingKeysDown.reset();
}

bool HandleWindowModeKey(SDL_Window* window, const SDL_KeyboardEvent& key) {
    const auto scancode = static_cast<size_t>(key.keysym.scancode);
    if (scancode >= SDL_NUM_SCANCODES) {
        return false;
    }
    if (key.type == SDL_KEYUP) {
        const bool swallowed = switchingKeysDown.test(scancode);
        switchingKeysDown.reset(scancode);
        return swallowed;
    }
    if (switchingKeysDown.test(scancode)) {
        return true;  // held down: the key repeats, but switches only once
    }
    if (!IsSwitchingPress(key.keysym)) {
        return false;
    }
    switchingKeysDown.set(scancode);
    ToggleFullScreen(window);
    return true;
}

}  // namespace platform::sdl
