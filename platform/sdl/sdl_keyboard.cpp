// The real keyboard: SDL's key state, looked up through the virtual-key table.
#include <SDL.h>

#include "platform/sdl/sdl_backends.h"
#include "platform/sdl/virtual_keys.h"

namespace platform::sdl {
namespace {

class SdlKeyboard : public Keyboard {
  public:
    bool IsDown(int virtualKey) override {
        if (!EnsureVideo()) {
            return false;
        }
        SDL_PumpEvents();
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
    static Keyboard* keyboard = new sdl::SdlKeyboard;
    return *keyboard;
}

}  // namespace platform
