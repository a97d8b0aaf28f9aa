// The page's own controls as keys: what the page's script presses and releases reaches the game as
// the keyboard's keys do.
#pragma once

namespace platform::web {

// Tells the page's controls the five keys of setup.ini in the game's folder, once it is laid out.
void GiveConfiguredKeysToControls();

}  // namespace platform::web
