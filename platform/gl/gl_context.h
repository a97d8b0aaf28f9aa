// An OpenGL context for a window, made by the system's window side: SDL2 on the desktop (OpenGL
// 3.3 core where the system has it, OpenGL ES 3.0 otherwise), WebGL 2 in a browser page.
#pragma once

#include <memory>
#include <string>

#include "platform/win32/win32_subset.h"

namespace platform::gl {

enum class GlFlavour { CORE, ES };

// Whether OpenGL still holds what the device made in the context. A browser may take the context
// away (a GPU reset, a page in the background) and later give it back empty.
enum class ContextState { KEPT, LOST, RESTORED };

// GORVANTI_GL=core or GORVANTI_GL=es makes the device try only that flavour.
constexpr const char* FLAVOUR_VARIABLE = "GORVANTI_GL";

class GlContext {
  public:
    // On the native window behind `window`; a handle without one (a headless window, or none)
    // gets a hidden surface of the given size where the system can make one, so that drawing
    // works offscreen. Null on failure, with the reason in `error`.
    static std::unique_ptr<GlContext> Create(HWND window, int width, int height,
                                             bool immediatePresentation, std::string& error);
    virtual ~GlContext() = default;

    // Cheap when already current; several devices may live side by side.
    virtual void MakeCurrent() = 0;
    virtual void Swap() = 0;
    // The window's size in pixels, which a resize, full screen or a HiDPI desktop sets.
    virtual void DrawableSize(int& width, int& height) const = 0;
    virtual int DepthBits() const = 0;
    virtual GlFlavour Flavour() const = 0;
    // RESTORED once after each return of a lost context; the desktop's contexts are never lost.
    virtual ContextState TakeState() { return ContextState::KEPT; }
    // A hidden surface of its own (tests, tools): nobody watches its frames' timing.
    virtual bool Offscreen() const { return false; }
};

// Starts the system's video side once more for a Direct3D object; false, with the reason in
// `error`, when it cannot start. Each successful start is balanced by one stop.
bool StartVideo(std::string& error);
void StopVideo();

}  // namespace platform::gl
