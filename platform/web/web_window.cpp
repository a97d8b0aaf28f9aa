// The real window system in a page: the canvas is the one window, sized to the window's client
// area; the page yields to the browser whenever the game finds no message waiting.
#include <emscripten.h>
#include <emscripten/html5.h>

#include "platform/web/web_backends.h"
#include "platform/win32/window_internals.h"

namespace platform::web {
namespace {

constexpr const char* CANVAS = "#canvas";

HWND canvasWindow = nullptr;

// clang-format off
EM_JS(void, ShowCanvas, (const char* caption, int visible), {
    document.title = UTF8ToString(caption);
    document.getElementById("canvas").style.visibility = visible ? "visible" : "hidden";
});
// clang-format on

class CanvasWindows : public WindowSystem {
  public:
    bool RegisterClass(const WNDCLASSEXA&) override { return true; }

    // The page has one canvas: a second window at the same time has nowhere to go.
    bool CreateNative(HWND window, const char*, int clientWidth, int clientHeight) override {
        if (canvasWindow != nullptr || clientWidth <= 0 || clientHeight <= 0) {
            return false;
        }
        if (emscripten_set_canvas_element_size(CANVAS, clientWidth, clientHeight) !=
            EMSCRIPTEN_RESULT_SUCCESS) {
            return false;
        }
        ListenToCanvasKeys();
        canvasWindow = window;
        window->native = &canvasWindow;
        return true;
    }

    void DestroyNative(HWND window) override {
        if (window == canvasWindow) {
            ShowCanvas(window->caption.c_str(), false);
            canvasWindow = nullptr;
        }
        window->native = nullptr;
    }

    void Show(HWND window, bool visible) override {
        if (window == canvasWindow) {
            ShowCanvas(window->caption.c_str(), visible);
        }
    }

    // Key events arrive while the browser has control, through the page's listeners.
    void PumpEvents() override {}

    // The game's loop never waits by itself, so an empty queue is the moment to hand control over.
    bool Rest() override {
        YieldToBrowser(0);
        return true;
    }
};

}  // namespace

void YieldToBrowser(int milliseconds) {
    emscripten_sleep(milliseconds);
}

HWND CanvasWindow() {
    return canvasWindow;
}

}  // namespace platform::web

namespace platform {

WindowSystem& RealWindowSystem() {
    // Never destroyed: windows still open at exit belong to it.
    static WindowSystem* windows = new web::CanvasWindows;
    return *windows;
}

}  // namespace platform
