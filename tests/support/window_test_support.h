// A window class whose procedure records every message, for the platform tests.
#pragma once

#include <vector>

#include "platform/win32.h"

namespace platform_test {

struct ReceivedMessage {
    HWND window;
    UINT message;
    WPARAM wParam;
};

// What the recording procedures received, in order, tagged with which procedure received it.
struct Received {
    int procedure;
    ReceivedMessage message;
};
inline std::vector<Received> received;

template <int PROCEDURE>
LRESULT CALLBACK RecordingProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    received.push_back({PROCEDURE, {window, message, wParam}});
    return DefWindowProcA(window, message, wParam, lParam);
}

inline ATOM RegisterRecordingClass(const char* name, WNDPROC procedure = RecordingProcedure<1>) {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = name;
    return RegisterClassExA(&windowClass);
}

// The game's style: caption, system menu and minimise box.
constexpr DWORD GAME_STYLE = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr int GAME_CLIENT_WIDTH = 640;
constexpr int GAME_CLIENT_HEIGHT = 480;

// A window made as the game makes it: the outer size from AdjustWindowRectEx of the client size.
inline HWND CreateGameSizedWindow(const char* className, DWORD style = GAME_STYLE) {
    RECT rect{0, 0, GAME_CLIENT_WIDTH, GAME_CLIENT_HEIGHT};
    if (!AdjustWindowRectEx(&rect, style, FALSE, 0)) {
        return nullptr;
    }
    return CreateWindowExA(0, className, "Test Window", style, CW_USEDEFAULT, CW_USEDEFAULT,
                           rect.right - rect.left, rect.bottom - rect.top, nullptr, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
}

}  // namespace platform_test
