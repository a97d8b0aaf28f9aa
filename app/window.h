// The window chain: WindowBase, LoopWindow, StandardWindow, AppWindow, and the window procedure.
#pragma once

#include "app/text_file.h"
#include "platform/win32.h"

// The arrow cursor and the black brush, fetched once before the application object is built;
// the window copies them.
struct StockObjects {
    StockObjects();

    HCURSOR arrowCursor;
    HBRUSH blackBrush;
};
extern const StockObjects STOCK_OBJECTS;

class WindowBase : public virtual TextFile {
  public:
    static constexpr int CLIENT_WIDTH = 640;
    static constexpr int CLIENT_HEIGHT = 480;

    WindowBase();
    virtual LRESULT HandleMessage(HWND& window, UINT& message, WPARAM& wParam, LPARAM& lParam) = 0;
    virtual int Run() = 0;

    int WinInit();
    int ShowMainWindow();

    MSG msg;
    HWND hwnd;
    WNDCLASSEXA wc;
    HINSTANCE hInstance;
    DWORD style;
    DWORD exStyle;
    SimpleString className;
    SimpleString caption;
    int x, y;
    int windowWidth, windowHeight;
    HCURSOR cursor;
    HBRUSH background;
};

class LoopWindow : public WindowBase {
  public:
    // What Run returns when Idle ended the loop (a scene failed): never 0, the code of a quit
    // the player confirmed, whatever message came last.
    static constexpr int RUN_ENDED_BY_IDLE = -1;

    int Run() override;
    virtual int Idle() = 0;
};

class StandardWindow : public LoopWindow {
  public:
    LRESULT HandleMessage(HWND& window, UINT& message, WPARAM& wParam, LPARAM& lParam) override;
};

class AppWindow : public StandardWindow {
  public:
    virtual int Start(const HINSTANCE& instance);
};

// The class's window procedure: hands every message to the one application window.
LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The window that WindowProc forwards to: the application object registers itself when built.
void SetMessageTarget(WindowBase* window);
