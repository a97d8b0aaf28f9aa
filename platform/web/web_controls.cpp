// The page's controls reach the game: the page's script holds and releases virtual keys, which
// go through the keyboard's latch, so the game's polls and its window see them as they see keys.
#include "platform/web/web_controls.h"

#include <emscripten.h>

#include <fstream>

#include "platform/web/control_keys.h"
#include "platform/web/web_backends.h"

namespace platform::web {
namespace {

// clang-format off
EM_JS(void, AssignControlKeys, (int up, int right, int down, int left, int fifth), {
    if (typeof GorvantiControls !== "undefined") {
        GorvantiControls.assignKeys([up, right, down, left, fifth]);
    }
});
// clang-format on

}  // namespace

void GiveConfiguredKeysToControls() {
    std::ifstream setupIni("setup.ini");
    const ConfiguredKeys keys = ReadConfiguredKeys(setupIni);
    AssignControlKeys(keys[0], keys[1], keys[2], keys[3], keys[4]);
}

}  // namespace platform::web

// Called by the page's script (gorvanti_controls.js) when a control takes or lets go of a key.
extern "C" EMSCRIPTEN_KEEPALIVE void GorvantiHoldKey(int virtualKey, int down) {
    if (down != 0) {
        platform::web::PressPageKey(virtualKey);
    } else {
        platform::web::ReleasePageKey(virtualKey);
    }
}
