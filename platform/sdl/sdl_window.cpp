// The real window system: one hidden, fixed-size OpenGL-capable SDL window per window handle.
#include "platform/sdl/sdl_window.h"

#include "platform/ico_decoder.h"
#include "platform/resources.h"
#include "platform/sdl/sdl_backends.h"
#include "platform/sdl/sdl_events.h"
#include "platform/window_internals.h"

namespace platform::sdl {
namespace {

void SetIcon(SDL_Window* native, HICON icon) {
    const uint8_t* bytes = nullptr;
    size_t size = 0;
    IconImage image;
    // A missing or unreadable icon is no error: the window keeps the system's icon.
    if (!IconBytesOf(icon, bytes, size) || !DecodeIcon(bytes, size, image)) {
        return;
    }
    SDL_Surface* surface =
        SDL_CreateRGBSurfaceWithFormatFrom(image.argb.data(), image.width, image.height, 32,
                                           image.width * 4, SDL_PIXELFORMAT_ARGB8888);
    if (surface != nullptr) {
        SDL_SetWindowIcon(native, surface);
        SDL_FreeSurface(surface);
    }
}

class SdlWindows : public WindowSystem {
  public:
    bool RegisterClass(const WNDCLASSEXA&) override { return true; }

    bool CreateNative(HWND window, const char* caption, int clientWidth,
                      int clientHeight) override {
        if (!EnsureVideo()) {
            return false;
        }
        // SDL refuses empty windows; Win32 allows them.
        SDL_Window* native =
            SDL_CreateWindow(caption, SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED,
                             clientWidth > 0 ? clientWidth : 1, clientHeight > 0 ? clientHeight : 1,
                             SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
        if (native == nullptr) {
            return false;
        }
        SetIcon(native, window->icon);
        window->native = native;
        return true;
    }

    void DestroyNative(HWND window) override {
        if (window->native != nullptr) {
            SDL_DestroyWindow(static_cast<SDL_Window*>(window->native));
            window->native = nullptr;
        }
    }

    void Show(HWND window, bool visible) override {
        auto* native = static_cast<SDL_Window*>(window->native);
        if (native == nullptr) {
            return;
        }
        if (visible) {
            SDL_ShowWindow(native);
        } else {
            SDL_HideWindow(native);
        }
    }

    void PumpEvents() override {
        // Without a window there is nothing to hear, and no reason to start SDL.
        if (SDL_WasInit(SDL_INIT_VIDEO) == 0) {
            return;
        }
        SDL_Event event;
        while (SDL_PollEvent(&event)) {
            TranslateEvent(event);
        }
    }
};

}  // namespace

SDL_Window* SdlWindowOf(HWND window) {
    if (!IsLiveWindow(window) || window->system != &RealWindowSystem()) {
        return nullptr;
    }
    return static_cast<SDL_Window*>(window->native);
}

}  // namespace platform::sdl

namespace platform {

WindowSystem& RealWindowSystem() {
    // Never destroyed: windows still open at exit belong to it.
    static WindowSystem* windows = new sdl::SdlWindows;
    return *windows;
}

}  // namespace platform
