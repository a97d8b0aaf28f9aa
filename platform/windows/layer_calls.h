// The calls of the Windows build that pass through this layer on their way to the system: the
// game's entry, its message peek, its clock read and its key poll. platform/win32.h gives the
// game's names to these in that build, so the game's code stays as the SDK would have it.
#pragma once

#include <windows.h>

// The game's own WinMain, called by the layer's entry once the folder to run in is chosen.
int WINAPI GameWinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show);

namespace platform::windows {

// PeekMessageA that, finding the queue empty on a taking peek, waits for input or until shortly
// before the game's next tick (tick_rest.h).
BOOL WINAPI PeekMessageOrRest(LPMSG message, HWND window, UINT first, UINT last, UINT remove);

// QueryPerformanceCounter that tells the rest when the game reads its clock.
BOOL WINAPI ReadGameClock(LARGE_INTEGER* counts);

// GetAsyncKeyState that counts keys only while a window of this process is in the foreground.
SHORT WINAPI ForegroundKeyState(int virtualKey);

}  // namespace platform::windows
