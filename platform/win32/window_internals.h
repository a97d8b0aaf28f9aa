// What lies behind a window handle, and the hooks through which window systems feed the queue.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/win32/backends.h"
#include "platform/win32/win32_subset.h"

struct HWND__ {
    std::string className;
    WNDPROC procedure = nullptr;
    HICON icon = nullptr;
    HICON smallIcon = nullptr;
    std::string caption;
    DWORD style = 0;
    int clientWidth = 0;
    int clientHeight = 0;
    bool visible = false;
    bool destroying = false;
    // The native side and the window system that made it, which alone may destroy it.
    platform::WindowSystem* system = nullptr;
    void* native = nullptr;
};

namespace platform {

struct WindowClass {
    std::string name;
    WNDPROC procedure = nullptr;
    HICON icon = nullptr;
    HICON smallIcon = nullptr;
};

// The registered class of that name (compared as Win32 does, ignoring case); null if none.
const WindowClass* FindWindowClass(const char* name);
void ForgetClasses();

// Class and resource names compare as Win32 compares them: ASCII letters without regard to case,
// whatever the locale. Tables key them by this form.
std::string LowerCaseName(const char* name);

// Win32 passes small integers where a name is expected (MAKEINTRESOURCE, atoms).
inline bool IsIntegerResource(const char* name) {
    return (reinterpret_cast<uintptr_t>(name) >> 16) == 0;
}

// The backends in force: the one set by the setters, else the real one.
Clock& CurrentClock();
Keyboard& CurrentKeyboard();
MessageBoxes& CurrentMessageBoxes();
WindowSystem& CurrentWindowSystem();

// True while `window` names a window that has been created and not yet destroyed.
bool IsLiveWindow(HWND window);
std::vector<HWND> LiveWindowList();

// Appends a message to the queue, as PostMessageA does but without checking the window.
void QueueMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// True when a message of this kind for this window is already waiting.
bool IsMessageWaiting(HWND window, UINT message);
// Drops every waiting message of a window, so none is dispatched to it after it is gone.
void DropMessagesOf(HWND window);
void ClearMessageQueue();

// Calls the window's procedure at once, as SendMessage would; 0 for a window that is gone.
LRESULT SendToProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Forgets an earlier RequestTermination, for a fresh process state in tests.
void ForgetTermination();

// Frees every window (native sides included, no messages sent) and forgets every class.
void ForgetWindowsAndClasses();

}  // namespace platform
