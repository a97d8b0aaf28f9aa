// A keyboard whose keys the game controllers may hold too.
#pragma once

#include "platform/sdl/gamepads.h"
#include "platform/win32/backends.h"

namespace platform::sdl {

// A key counts as down when the keyboard or any pad holds it: releasing it on one leaves it held
// on the other.
class KeysAndPads : public Keyboard {
  public:
    KeysAndPads(Keyboard& keys, Gamepads& pads);
    bool IsDown(int virtualKey) override;

  private:
    Keyboard& keys;
    Gamepads& pads;
};

}  // namespace platform::sdl
