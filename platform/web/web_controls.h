// The page's own controls as keys: what the page's script presses and releases reaches the game as
// the keyboard's keys do.
#pragma once

#include "platform/win32/backends.h"

namespace platform::web {

// A keyboard whose keys the page's controls may hold too: a key counts as down when either holds
// it, and each side's tap is seen once.
class KeysAndControls : public Keyboard {
  public:
    explicit KeysAndControls(Keyboard& keys) : keys(keys) {}
    bool IsDown(int virtualKey) override;

  private:
    Keyboard& keys;
};

// Tells the page's controls the five keys of setup.ini in the game's folder, once it is laid out.
void GiveConfiguredKeysToControls();

}  // namespace platform::web
