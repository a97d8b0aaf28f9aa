// An OpenGL 2.1 context on an SDL window: the window's own, or a hidden one made for it.
#pragma once

#include <SDL.h>

#include <memory>
#include <string>

#include "platform/win32_subset.h"

namespace platform::gl {

class GlContext {
  public:
    // On the SDL window behind `window`; a handle without one (a headless window, or none) gets a
    // hidden window of the given size, so that drawing works offscreen. Null on failure, with
    // the reason in `error`.
    static std::unique_ptr<GlContext> Create(HWND window, int width, int height,
                                             bool immediatePresentation, std::string& error);
    ~GlContext();
    GlContext(const GlContext&) = delete;
    GlContext& operator=(const GlContext&) = delete;

    // Cheap when already current; several devices may live side by side.
    void MakeCurrent();
    void Swap();
    int DepthBits() const { return depthBits; }

  private:
    GlContext() = default;

    SDL_Window* window = nullptr;
    bool ownsWindow = false;
    SDL_GLContext context = nullptr;
    int depthBits = 0;
};

}  // namespace platform::gl
