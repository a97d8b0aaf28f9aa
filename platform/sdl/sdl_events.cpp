// The SDL events the game hears of: the close box, key presses and exposure; pads plugged in or
// out.
#include "platform/sdl/sdl_events.h"

#include "platform/sdl/gamepads.h"
#include "platform/sdl/sdl_backends.h"
#include "platform/sdl/sdl_window.h"
#include "platform/sdl/sdl_window_mode.h"
#include "platform/sdl/virtual_keys.h"
#include "platform/win32/window_internals.h"

namespace platform::sdl {
namespace {

// The lParam of a key message: a repeat count of 1, the scancode in bits 16 to 23, bit 30 when
// the key was already down, bit 31 on release.
constexpr LPARAM REPEAT_COUNT_ONE = 1;
constexpr int SCANCODE_SHIFT = 16;
constexpr LPARAM SCANCODE_MASK = 0xFF;
constexpr LPARAM PREVIOUSLY_DOWN_BIT = LPARAM{1} << 30;
constexpr LPARAM RELEASED_BIT = LPARAM{1} << 31;

LPARAM KeyParameter(const SDL_KeyboardEvent& key, bool release) {
    LPARAM parameter = REPEAT_COUNT_ONE | (key.keysym.scancode & SCANCODE_MASK) << SCANCODE_SHIFT;
    if (key.repeat || release) {
        parameter |= PREVIOUSLY_DOWN_BIT;
    }
    if (release) {
        parameter |= RELEASED_BIT;
    }
    return parameter;
}

// One close request is enough however often the close box is clicked before it is handled.
void QueueClose(HWND window) {
    if (!IsMessageWaiting(window, WM_CLOSE)) {
        QueueMessage(window, WM_CLOSE, 0, 0);
    }
}

}  // namespace

HWND WindowOfEvent(Uint32 windowId) {
    for (HWND window : LiveWindowList()) {
        SDL_Window* native = SdlWindowOf(window);
        if (native != nullptr && SDL_GetWindowID(native) == windowId) {
            return window;
        }
    }
    return nullptr;
}

void TranslateEvent(const SDL_Event& event, HWND disabledWindow) {
    switch (event.type) {
        case SDL_QUIT:
            // A request to end the program from outside (a signal, the session ending).
            RequestTermination();
            break;
        case SDL_WINDOWEVENT: {
            HWND window = WindowOfEvent(event.window.windowID);
            if (window == nullptr) {
                break;
            }
            if (event.window.event == SDL_WINDOWEVENT_CLOSE && window != disabledWindow) {
                QueueClose(window);
            } else if (event.window.event == SDL_WINDOWEVENT_EXPOSED &&
                       !IsMessageWaiting(window, WM_PAINT)) {
                QueueMessage(window, WM_PAINT, 0, 0);
            }
            break;
        }
        case SDL_KEYDOWN:
        case SDL_KEYUP: {
            HWND window = WindowOfEvent(event.key.windowID);
            int virtualKey = VirtualKeyOf(event.key.keysym.scancode);
            if (window == nullptr || window == disabledWindow || virtualKey == 0) {
                break;
            }
            if (HandleWindowModeKey(SdlWindowOf(window), event.key)) {
                break;
            }
            bool release = event.type == SDL_KEYUP;
            QueueMessage(window, release ? WM_KEYUP : WM_KEYDOWN, static_cast<WPARAM>(virtualKey),
                         KeyParameter(event.key, release));
            break;
        }
        case SDL_CONTROLLERDEVICEADDED:
        case SDL_CONTROLLERDEVICEREMOVED:
            RealGamepads().Hear(event);
            break;
        default:
            break;
    }
}

}  // namespace platform::sdl
