// An OpenGL context on an SDL window (the window's own, or a hidden one made for it): desktop
// OpenGL 3.3 core where the system has it, OpenGL ES 3.0 otherwise.
#pragma once

#include <SDL.h>

#include <memory>
#include <string>

#include "platform/win32_subset.h"

namespace platform::gl {

enum class GlFlavour { CORE, ES };

// GORVANTI_GL=core or GORVANTI_GL=es makes the device try only that flavour.
constexpr const char* FLAVOUR_VARIABLE = "GORVANTI_GL";

class GlContext {
  public:
    // On the SDL window behind `window`; a handle without one (a headless window, or none) gets a
    // hidden window of the given size (the drawable), so that drawing works offscreen. Null on
    // failure, with the reason in `error`.
    static std::unique_ptr<GlContext> Create(HWND window, int width, int height,
                                             bool immediatePresentation, std::string& error);
    ~GlContext();
    GlContext(const GlContext&) = delete;
    GlContext& operator=(const GlContext&) = delete;

    // Cheap when already current; several devices may live side by side.
    void MakeCurrent();
    void Swap();
    // The window's size in pixels, which a resize, full screen or a HiDPI desktop sets.
    void DrawableSize(int& width, int& height) const;
    int DepthBits() const { return depthBits; }
    GlFlavour Flavour() const { return flavour; }

  private:
    GlContext() = default;
    bool TryFlavour(GlFlavour wanted, HWND gameWindow, int width, int height, std::string& error);

    SDL_Window* window = nullptr;
    bool ownsWindow = false;
    SDL_GLContext context = nullptr;
    int depthBits = 0;
    GlFlavour flavour = GlFlavour::CORE;
};

}  // namespace platform::gl
