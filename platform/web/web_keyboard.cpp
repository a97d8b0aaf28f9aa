// The real keyboard in a page: the canvas's key events, held while the canvas has the focus and
// forwarded to the game's window as key messages.
#include <emscripten/html5.h>

#include <set>
#include <string>

#include "platform/web/web_backends.h"
#include "platform/web/web_controls.h"
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

// The keys down now, those not yet polled since they went down, and those released before they
// were polled: each of the last still counts as down for one poll, so that a tap shorter than the
// time between two polls (a slow frame) is not lost.
struct KeyCodes {
    std::set<std::string> held;
    std::set<std::string> unpolled;
    std::set<std::string> tapped;

    void Forget() {
        held.clear();
        unpolled.clear();
        tapped.clear();
    }
};

KeyCodes& Keys() {
    static KeyCodes keys;
    return keys;
}

// The return value tells the browser whether to drop the key's default action.
EM_BOOL KeyEvent(int eventType, const EmscriptenKeyboardEvent* event, void*) {
    const bool release = eventType == EMSCRIPTEN_EVENT_KEYUP;
    KeyCodes& keys = Keys();
    if (release) {
        keys.held.erase(event->code);
        if (keys.unpolled.erase(event->code) != 0) {
            keys.tapped.insert(event->code);
        }
    } else if (keys.held.insert(event->code).second) {
        keys.unpolled.insert(event->code);
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
    Keys().Forget();
    return false;
}

class CanvasKeyboard : public Keyboard {
  public:
    bool IsDown(int virtualKey) override {
        KeyCodes& keys = Keys();
        bool down = false;
        for (const std::string& code : keys.held) {
            if (CodeCountsAs(code.c_str(), virtualKey)) {
                keys.unpolled.erase(code);
                down = true;
            }
        }
        return std::erase_if(keys.tapped,
                             [virtualKey](const std::string& code) {
                                 return CodeCountsAs(code.c_str(), virtualKey);
                             }) != 0 ||
               down;
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
    static Keyboard* keyboard = new web::KeysAndControls(*new web::CanvasKeyboard);
    return *keyboard;
}

}  // namespace platform
