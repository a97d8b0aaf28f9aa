// The window registry: creating, showing, painting and destroying windows, and their frames.
#include <set>

#include "platform/win32/window_internals.h"

namespace platform {
namespace {

// Our own window frame, in pixels. Windows draws its own sizes; what matters here is that
// AdjustWindowRectEx and CreateWindowExA agree, so a client size survives the round trip.
constexpr int FIXED_FRAME = 3;
constexpr int SIZING_FRAME = 4;
constexpr int THIN_BORDER = 1;
constexpr int CAPTION_HEIGHT = 19;
constexpr int MENU_HEIGHT = 19;
// The two halves of WS_CAPTION.
constexpr DWORD WS_BORDER_BIT = 0x00800000L;
constexpr DWORD WS_DIALOG_FRAME_BIT = 0x00400000L;

// The size a window gets when its creator leaves it to the system.
constexpr int DEFAULT_CLIENT_WIDTH = 640;
constexpr int DEFAULT_CLIENT_HEIGHT = 480;

// What the frame adds on each side of the client area.
RECT FrameOf(DWORD style, bool menu) {
    int border = 0;
    if (style & WS_THICKFRAME) {
        border = SIZING_FRAME;
    } else if (style & WS_DIALOG_FRAME_BIT) {
        border = FIXED_FRAME;
    } else if (style & WS_BORDER_BIT) {
        border = THIN_BORDER;
    }
    int top = border;
    if ((style & WS_CAPTION) == WS_CAPTION) {
        top += CAPTION_HEIGHT;
    }
    if (menu) {
        top += MENU_HEIGHT;
    }
    return RECT{border, top, border, border};
}

std::set<HWND>& LiveWindows() {
    static std::set<HWND> windows;
    return windows;
}

// A device context that draws nothing: painting is Direct3D's.
HDC PaintContext() {
    static char context;
    return reinterpret_cast<HDC>(&context);
}

}  // namespace

bool IsLiveWindow(HWND window) {
    return window != nullptr && LiveWindows().count(window) != 0;
}

std::vector<HWND> LiveWindowList() {
    return {LiveWindows().begin(), LiveWindows().end()};
}

LRESULT SendToProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!IsLiveWindow(window) || window->procedure == nullptr) {
        return 0;
    }
    return window->procedure(window, message, wParam, lParam);
}

void ForgetWindowsAndClasses() {
    std::set<HWND> windows;
    windows.swap(LiveWindows());
    for (HWND window : windows) {
        window->system->DestroyNative(window);
        delete window;
    }
    ClearMessageQueue();
    ForgetClasses();
}

}  // namespace platform

BOOL WINAPI AdjustWindowRectEx(RECT* rect, DWORD style, BOOL menu, DWORD) {
    if (rect == nullptr) {
        return FALSE;
    }
    RECT frame = platform::FrameOf(style, menu != FALSE);
    rect->left -= frame.left;
    rect->top -= frame.top;
    rect->right += frame.right;
    rect->bottom += frame.bottom;
    return TRUE;
}

HWND WINAPI CreateWindowExA(DWORD, LPCSTR className, LPCSTR windowName, DWORD style, int, int,
                            int width, int height, HWND, HMENU menu, HINSTANCE, LPVOID) {
    const platform::WindowClass* windowClass = platform::FindWindowClass(className);
    if (windowClass == nullptr) {
        return nullptr;
    }
    RECT frame = platform::FrameOf(style, menu != nullptr);
    int clientWidth = platform::DEFAULT_CLIENT_WIDTH;
    int clientHeight = platform::DEFAULT_CLIENT_HEIGHT;
    if (width != CW_USEDEFAULT) {
        clientWidth = width - frame.left - frame.right;
        if (height != CW_USEDEFAULT) {
            clientHeight = height - frame.top - frame.bottom;
        }
    }
    if (clientWidth < 0) {
        clientWidth = 0;
    }
    if (clientHeight < 0) {
        clientHeight = 0;
    }

    HWND window = new HWND__;
    window->className = windowClass->name;
    window->procedure = windowClass->procedure;
    window->icon = windowClass->icon;
    window->smallIcon = windowClass->smallIcon;
    window->caption = windowName ? windowName : "";
    window->style = style & ~static_cast<DWORD>(WS_VISIBLE);
    window->clientWidth = clientWidth;
    window->clientHeight = clientHeight;
    window->system = &platform::CurrentWindowSystem();
    platform::LiveWindows().insert(window);
    if (!window->system->CreateNative(window, window->caption.c_str(), clientWidth, clientHeight)) {
        platform::LiveWindows().erase(window);
        delete window;
        return nullptr;
    }
    if (style & WS_VISIBLE) {
        ShowWindow(window, SW_SHOW);
    }
    return window;
}

BOOL WINAPI ShowWindow(HWND window, int command) {
    if (!platform::IsLiveWindow(window)) {
        return FALSE;
    }
    bool wasVisible = window->visible;
    window->visible = command != SW_HIDE;
    window->system->Show(window, window->visible);
    return wasVisible ? TRUE : FALSE;
}

BOOL WINAPI UpdateWindow(HWND window) {
    if (!platform::IsLiveWindow(window)) {
        return FALSE;
    }
    if (window->visible) {
        platform::SendToProcedure(window, WM_PAINT, 0, 0);
    }
    return TRUE;
}

BOOL WINAPI DestroyWindow(HWND window) {
    if (!platform::IsLiveWindow(window) || window->destroying) {
        return FALSE;
    }
    window->destroying = true;
    platform::SendToProcedure(window, WM_DESTROY, 0, 0);
    window->system->DestroyNative(window);
    platform::LiveWindows().erase(window);
    platform::DropMessagesOf(window);
    delete window;
    return TRUE;
}

BOOL WINAPI GetClientRect(HWND window, RECT* rect) {
    if (!platform::IsLiveWindow(window) || rect == nullptr) {
        return FALSE;
    }
    *rect = RECT{0, 0, window->clientWidth, window->clientHeight};
    return TRUE;
}

LRESULT WINAPI DefWindowProcA(HWND window, UINT message, WPARAM, LPARAM) {
    if (message == WM_CLOSE) {
        DestroyWindow(window);
    }
    return 0;
}

HDC WINAPI BeginPaint(HWND window, PAINTSTRUCT* paint) {
    if (!platform::IsLiveWindow(window) || paint == nullptr) {
        return nullptr;
    }
    *paint = PAINTSTRUCT{};
    paint->hdc = platform::PaintContext();
    paint->rcPaint = RECT{0, 0, window->clientWidth, window->clientHeight};
    return paint->hdc;
}

BOOL WINAPI EndPaint(HWND, const PAINTSTRUCT*) {
    return TRUE;
}
