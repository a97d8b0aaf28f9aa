// The real window system: one hidden, resizable OpenGL-capable SDL window per window handle, opened
// at a whole multiple of its client size. The handle keeps its client size whatever the SDL
// window's size: the device letterboxes the picture on the window's pixels.
#include "platform/sdl/sdl_window.h"

#include <algorithm>
#include <cstdio>

#include "platform/sdl/event_pump.h"
#include "platform/sdl/sdl_backends.h"
#include "platform/sdl/sdl_events.h"
#include "platform/sdl/sdl_rest.h"
#include "platform/sdl/sdl_window_size.h"
#include "platform/win32/ico_decoder.h"
#include "platform/win32/resources.h"
#include "platform/win32/window_internals.h"

namespace platform::sdl {
namespace {

// A window may shrink to a quarter of its client size: smaller, the picture is no longer legible.
constexpr int SMALLEST_FRACTION = 4;

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
            std::fprintf(stderr, "Cannot open the window: %s\n", SDL_GetError());
            return false;
        }
        // SDL refuses empty windows; Win32 allows them.
        const int width = std::max(clientWidth, 1);
        const int height = std::max(clientHeight, 1);
        const int scale = OpeningScale(width, height);
        SDL_Window* native =
            SDL_CreateWindow(caption, SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED,
                             width * scale, height * scale,
                             SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN | SDL_WINDOW_RESIZABLE |
                                 SDL_WINDOW_ALLOW_HIGHDPI);
        if (native == nullptr) {
            return false;
        }
        SDL_SetWindowMinimumSize(native, std::max(width / SMALLEST_FRACTION, 1),
                                 std::max(height / SMALLEST_FRACTION, 1));
        SetIcon(native, window->icon);
        window->native = native;
        ForgetPresents();
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
        NoteEventsPumped();
        SDL_Event event;
        while (SDL_PollEvent(&event)) {
            TranslateEvent(event);
        }
    }

    bool Rest() override { return RestUntilEventOrDue(); }
    void NoteClockRead(std::chrono::nanoseconds reading) override { sdl::NoteClockRead(reading); }
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
