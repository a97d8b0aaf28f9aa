// Windows virtual-key codes and the browser's names of physical keys (KeyboardEvent.code).
#pragma once

namespace platform::web {

// The virtual-key code Windows reports in WM_KEYDOWN for a key; 0 for keys it has no code for.
// Either shift key gives VK_SHIFT, as in the message; the left and right codes are for polling.
int VirtualKeyOfCode(const char* code);

// True when polling `virtualKey` must see the key `code` held: VK_SHIFT for either shift key,
// VK_LSHIFT for the left one only.
bool CodeCountsAs(const char* code, int virtualKey);

// Keys whose default action would scroll the page or move the focus away from the game.
bool ScrollsThePage(const char* code);

}  // namespace platform::web
