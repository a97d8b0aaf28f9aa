// The page's controls reach the game: the page's script holds and releases virtual keys, which
// the game's polls see and its window hears as key messages, as it hears the keyboard.
#include "platform/web/web_controls.h"

#include <emscripten.h>

#include <fstream>

#include "platform/web/control_keys.h"
#include "platform/web/web_backends.h"
#include "platform/win32/window_internals.h"

namespace platform::web {
namespace {

// The lParam of a key message from a control: a repeat count of 1, bit 30 when the key was down
// before, bit 31 on release.
constexpr LPARAM PRESSED = 1;
constexpr LPARAM RELEASED = 1 | (LPARAM{1} << 30) | (LPARAM{1} << 31);

// clang-format off
EM_JS(void, AssignControlKeys, (int up, int right, int down, int left, int fifth), {
    if (typeof GorvantiControls !== "undefined") {
        GorvantiControls.assignKeys([up, right, down, left, fifth]);
    }
});
// clang-format on

void Tell(UINT message, int virtualKey, LPARAM parameter) {
    HWND window = CanvasWindow();
    if (window != nullptr) {
        QueueMessage(window, message, static_cast<WPARAM>(virtualKey), parameter);
    }
}

}  // namespace

bool KeysAndControls::IsDown(int virtualKey) {
    // Both are asked, so that each forgets a tap it has now shown.
    const bool keyDown = keys.IsDown(virtualKey);
    const bool controlDown = PageControlKeys().Poll(virtualKey);
    return keyDown || controlDown;
}

void GiveConfiguredKeysToControls() {
    std::ifstream setupIni("setup.ini");
    const ConfiguredKeys keys = ReadConfiguredKeys(setupIni);
    AssignControlKeys(keys[0], keys[1], keys[2], keys[3], keys[4]);
}

}  // namespace platform::web

// Called by the page's script (gorvanti_controls.js) when a control takes or lets go of a key.
extern "C" EMSCRIPTEN_KEEPALIVE void GorvantiHoldKey(int virtualKey, int down) {
    using namespace platform::web;
    if (down != 0) {
        if (PageControlKeys().Press(virtualKey)) {
            Tell(WM_KEYDOWN, virtualKey, PRESSED);
        }
    } else if (PageControlKeys().Release(virtualKey)) {
        Tell(WM_KEYUP, virtualKey, RELEASED);
    }
}
