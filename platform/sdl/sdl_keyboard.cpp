// The real keyboard: SDL's key state, looked up through the virtual-key table, and the pads.
#include <SDL.h>

#include "platform/sdl/event_pump.h"
#include "platform/sdl/keys_and_pads.h"
#include "platform/sdl/sdl_backends.h"
#include "platform/sdl/sdl_window_mode.h"
#include "platform/sdl/virtual_keys.h"

namespace platform::sdl {
namespace {

class SdlKeyboard : public Keyboard {
  public:
    bool IsDown(int virtualKey) override {
        NoteGameKey(virtualKey);
        if (!EnsureVideo()) {
            return false;
        }
        PumpEventsForKeyRead();
        const Uint8* state = SDL_GetKeyboardState(nullptr);
        KeyScancodes keys = ScancodesOf(virtualKey);
        for (int index = 0; index < keys.count; ++index) {
            if (state[keys.codes[index]]) {
                return true;
            }
        }
        return false;
    }
};

}  // namespace

}  // namespace platform::sdl

namespace platform {

Keyboard& RealKeyboard() {
    // Never destroyed: the game may poll keys from its own static destructors.
    static Keyboard* keyboard = new sdl::KeysAndPads(*new sdl::SdlKeyboard, sdl::RealGamepads());
    return *keyboard;
}

}  // namespace platform
