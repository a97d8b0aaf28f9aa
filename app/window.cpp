// The window chain: registering and creating the window, the message loop and the window procedure.
#include "app/window.h"

#include <cstring>

#include "app/early_init.h"
#include "app/message_box.h"
#include "app/messages.h"

EARLY_INIT_FILE
EARLY_INIT const StockObjects STOCK_OBJECTS;

StockObjects::StockObjects()
    : arrowCursor(LoadCursorA(NULL, IDC_ARROW)),
      blackBrush(static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH))) {}

namespace {

constexpr DWORD WINDOW_STYLE = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr int SYSTEM_CHOOSES = -1;
const char* const LARGE_ICON_NAME = "GORVANTI_ICON";
const char* const SMALL_ICON_NAME = "GORAVANTI_SMALL_ICON";

WindowBase* messageTarget = nullptr;

int OrDefault(int value) {
    return value == SYSTEM_CHOOSES ? CW_USEDEFAULT : value;
}

}  // namespace

void SetMessageTarget(WindowBase* window) {
    messageTarget = window;
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (messageTarget == nullptr) {
        return DefWindowProcA(window, message, wParam, lParam);
    }
    return messageTarget->HandleMessage(window, message, wParam, lParam);
}

WindowBase::WindowBase()
    : hwnd(NULL),
      hInstance(NULL),
      style(WINDOW_STYLE),
      exStyle(0),
      x(SYSTEM_CHOOSES),
      y(SYSTEM_CHOOSES),
      windowWidth(0),
      windowHeight(0),
      cursor(STOCK_OBJECTS.arrowCursor),
      background(STOCK_OBJECTS.blackBrush) {
    std::memset(&msg, 0, sizeof msg);
    std::memset(&wc, 0, sizeof wc);
    className.Assign(WINDOW_CLASS_NAME);
    caption.Assign(WINDOW_CAPTION);
}

int WindowBase::WinInit() {
    // The size of the structure as this build lays it out (48 bytes on 32-bit Windows).
    wc.cbSize = sizeof(WNDCLASSEXA);
    wc.style = 0;
    wc.lpfnWndProc = WindowProc;
    wc.cbClsExtra = 0;
    wc.cbWndExtra = 0;
    wc.hInstance = hInstance;
    wc.hIcon = LoadIconA(hInstance, LARGE_ICON_NAME);
    wc.hIconSm = LoadIconA(hInstance, SMALL_ICON_NAME);
    wc.hCursor = cursor;
    wc.hbrBackground = background;
    wc.lpszMenuName = NULL;
    wc.lpszClassName = className.buffer;
    if (RegisterClassExA(&wc) == 0) {
        ShowMessageBox(NULL, TEXT_CLASS_REGISTRATION_FAILED, CAPTION_WINDOW_INIT, MB_ICONWARNING);
        return 0;
    }

    RECT rect = {0, 0, CLIENT_WIDTH, CLIENT_HEIGHT};
    if (!AdjustWindowRectEx(&rect, style, FALSE, exStyle)) {
        return 0;
    }
    windowWidth = rect.right - rect.left;
    windowHeight = rect.bottom - rect.top;

    hwnd = CreateWindowExA(exStyle, className.buffer, caption.buffer, style, OrDefault(x),
                           OrDefault(y), OrDefault(windowWidth), OrDefault(windowHeight), NULL,
                           NULL, hInstance, NULL);
    if (hwnd == NULL) {
        ShowMessageBox(NULL, TEXT_WINDOW_CREATION_FAILED, CAPTION_WINDOW_INIT, MB_ICONWARNING);
        return 0;
    }
    return 1;
}

int WindowBase::ShowMainWindow() {
    ShowWindow(hwnd, SW_SHOW);
    return UpdateWindow(hwnd);
}

int LoopWindow::Run() {
    PeekMessageA(&msg, NULL, 0, 0, PM_NOREMOVE);
    while (msg.message != WM_QUIT) {
        if (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        } else if (!Idle()) {
            return RUN_ENDED_BY_IDLE;
        }
    }
    return static_cast<int>(msg.wParam);
}

LRESULT StandardWindow::HandleMessage(HWND& window, UINT& message, WPARAM& wParam, LPARAM& lParam) {
    switch (message) {
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        case WM_PAINT: {
            // Direct3D draws the frame; painting only validates the window.
            PAINTSTRUCT paint;
            BeginPaint(window, &paint);
            EndPaint(window, &paint);
            return 0;
        }
        case WM_CLOSE:
            if (ShowMessageBox(window, TEXT_CONFIRM_QUIT, CAPTION_CONFIRM_QUIT, MB_YESNO) == IDNO) {
                return 0;
            }
            return DefWindowProcA(window, message, wParam, lParam);
        case WM_KEYDOWN:
            if (wParam == VK_ESCAPE) {
                PostMessageA(window, WM_CLOSE, 0, 0);
                return 0;
            }
            return DefWindowProcA(window, message, wParam, lParam);
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}

int AppWindow::Start(const HINSTANCE& instance) {
    hInstance = instance;
    if (!WinInit() || !ShowMainWindow()) {
        return 0;
    }
    return Run() == 0 ? 1 : 0;
}
