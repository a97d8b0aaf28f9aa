// The real keyboard in a page: the canvas's key events, held while the canvas has the focus and
// forwarded to the game's window as key messages.
#include <emscripten/html5.h>

#include <set>
#include <string>

#include "platform/web/web_backends.h"
#include "platform/web/web_key_codes.h"
#include "platform/window_internals.h"

namespace platform::web {
namespace {

constexpr const char* CANVAS = "#canvas";
// The lParam of a key message: a repeat count of 1, bit 30 when the key was already down, bit 31
// on release. The browser does not tell the scancode.
constexpr LPARAM REPEAT_COUNT_ONE = 1;
constexpr LPARAM PREVIOUSLY_DOWN_BIT = LPARAM{1} << 30;
constexpr LPARAM RELEASED_BIT = LPARAM{1} << 31;

std::set<std::string>& HeldCodes() {
    static std::set<std::string> held;
    return held;
}

// The return value tells the browser whether to drop the key's default action.
EM_BOOL KeyEvent(int eventType, const EmscriptenKeyboardEvent* event, void*) {
    const bool release = eventType == EMSCRIPTEN_EVENT_KEYUP;
    if (release) {
        HeldCodes().erase(event->code);
    } else {
        HeldCodes().insert(event->code);
    }
    const int virtualKey = VirtualKeyOfCode(event->code);
    HWND window = CanvasWindow();
    if (window != nullptr && virtualKey != 0) {
        LPARAM parameter = REPEAT_COUNT_ONE;
        if (event->repeat || release) {
            parameter |= PREVIOUSLY_DOWN_BIT;
        }
        if (release) {
            parameter |= RELEASED_BIT;
        }
        QueueMessage(window, release ? WM_KEYUP : WM_KEYDOWN, static_cast<WPARAM>(virtualKey),
                     parameter);
    }
    return ScrollsThePage(event->code);
}

// Keys released while another element has the focus never reach the canvas: forget them all.
EM_BOOL FocusLost(int, const EmscriptenFocusEvent*, void*) {
    HeldCodes().clear();
    return false;
}

class CanvasKeyboard : public Keyboard {
  public:
    bool IsDown(int virtualKey) override {
        for (const std::string& code : HeldCodes()) {
            if (CodeCountsAs(code.c_str(), virtualKey)) {
                return true;
            }
        }
        return false;
    }
};

}  // namespace

void ListenToCanvasKeys() {
    emscripten_set_keydown_callback(CANVAS, nullptr, false, KeyEvent);
    emscripten_set_keyup_callback(CANVAS, nullptr, false, KeyEvent);
    emscripten_set_blur_callback(CANVAS, nullptr, false, FocusLost);
}

}  // namespace platform::web

namespace platform {

Keyboard& RealKeyboard() {
    // Never destroyed: the game may poll keys from its own static destructors.
    static Keyboard* keyboard = new web::CanvasKeyboard;
    return *keyboard;
}

}  // namespace platform
