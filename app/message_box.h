// The game's message boxes, whose texts are UTF-8 (app/messages.h).
#pragma once

#include "platform/win32.h"

// MessageBoxA with UTF-8 text and caption: same arguments, same answer. On Windows the texts go to
// MessageBoxW as UTF-16, because MessageBoxA reads its bytes in the system's ANSI code page, and
// the Japanese texts in code page 932 would show as garbage on any non-Japanese locale.
int ShowMessageBox(HWND owner, const char* text, const char* caption, UINT type);
