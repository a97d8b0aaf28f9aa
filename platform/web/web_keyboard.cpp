// The real keyboard in a page: the canvas's key events and the page's controls, held in one latch
// and forwarded to the game's window as key messages.
#include <emscripten/html5.h>

#include "platform/web/web_backends.h"
#include "platform/web/web_key_codes.h"
#include "platform/web/web_key_latch.h"
#include "platform/win32/window_internals.h"

namespace platform::web {
namespace {

constexpr const char* CANVAS = "#canvas";
// The lParam of a key message: a repeat count of 1, bit 30 when the key was already down, bit 31
// on release. The browser does not tell the scancode.
constexpr LPARAM REPEAT_COUNT_ONE = 1;
constexpr LPARAM PREVIOUSLY_DOWN_BIT = LPARAM{1} << 30;
constexpr LPARAM RELEASED_BIT = LPARAM{1} << 31;

KeyLatch& Keys() {
    static KeyLatch keys;
    return keys;
}

void SendKeyMessage(const PageKey& key, bool release) {
    const int virtualKey = VirtualKeyOf(key);
    HWND window = CanvasWindow();
    if (window == nullptr || virtualKey == 0) {
        return;
    }
    const LPARAM parameter =
        release ? REPEAT_COUNT_ONE | PREVIOUSLY_DOWN_BIT | RELEASED_BIT : REPEAT_COUNT_ONE;
    QueueMessage(window, release ? WM_KEYUP : WM_KEYDOWN, static_cast<WPARAM>(virtualKey),
                 parameter);
}

// The return value tells the browser whether to drop the key's default action. Held keys repeat
// their keydown; the latch knows them already, so repeats go nowhere.
EM_BOOL KeyEvent(int eventType, const EmscriptenKeyboardEvent* event, void*) {
    if (eventType == EMSCRIPTEN_EVENT_KEYUP) {
        ReleasePageKey(event->code);
    } else if (!event->repeat) {
        PressPageKey(event->code);
    }
    return ScrollsThePage(event->code);
}

// Keys released while another element, window or tab has the focus never reach the canvas.
EM_BOOL FocusLost(int, const EmscriptenFocusEvent*, void*) {
    Keys().ReleaseKeyboardKeys();
    return false;
}

class PageKeyboard : public Keyboard {
  public:
    bool IsDown(int virtualKey) override { return Keys().IsDown(virtualKey); }
};

}  // namespace

void PressPageKey(const PageKey& key) {
    if (Keys().Press(key)) {
        SendKeyMessage(key, false);
    }
}

void ReleasePageKey(const PageKey& key) {
    if (Keys().Release(key)) {
        SendKeyMessage(key, true);
    }
}

void ListenToCanvasKeys() {
    emscripten_set_keydown_callback(CANVAS, nullptr, false, KeyEvent);
    emscripten_set_keyup_callback(CANVAS, nullptr, false, KeyEvent);
    emscripten_set_blur_callback(CANVAS, nullptr, false, FocusLost);
    emscripten_set_blur_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, false, FocusLost);
}

}  // namespace platform::web

namespace platform {

Keyboard& RealKeyboard() {
    // Never destroyed: the game may poll keys from its own static destructors.
    static Keyboard* keyboard = new web::PageKeyboard;
    return *keyboard;
}

}  // namespace platform
