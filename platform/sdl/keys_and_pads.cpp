// The union of the keyboard's keys and the keys the pads hold.
#include "platform/sdl/keys_and_pads.h"

namespace platform::sdl {

KeysAndPads::KeysAndPads(Keyboard& keys, Gamepads& pads) : keys(keys), pads(pads) {}

bool KeysAndPads::IsDown(int virtualKey) {
    if (keys.IsDown(virtualKey)) {
        return true;
    }
    pads.Refresh();
    return pads.Hold(virtualKey);
}

}  // namespace platform::sdl
