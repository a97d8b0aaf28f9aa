// The key poll of the Windows build: Windows reports keys typed into any program, and the game
// counts only those typed while it is in front, as where only the focused window gets keys.
#include <windows.h>

#include "platform/windows/layer_calls.h"

namespace platform::windows {

namespace {

// The game's window or its message box: every window of the process is the game's.
bool ProcessIsInForeground() {
    const HWND foreground = GetForegroundWindow();
    if (foreground == NULL) {
        return false;
    }
    DWORD process = 0;
    GetWindowThreadProcessId(foreground, &process);
    return process == GetCurrentProcessId();
}

}  // namespace

SHORT WINAPI ForegroundKeyState(int virtualKey) {
    return ProcessIsInForeground() ? GetAsyncKeyState(virtualKey) : 0;
}

}  // namespace platform::windows
