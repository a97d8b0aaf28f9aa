// A WebGL 2 context on the page's canvas for the OpenGL ES 3.0 device, drawn offscreen and shown
// at Present only, as Direct3D shows nothing before it.
#include <emscripten/html5.h>

#include "platform/gl/gl_context.h"
#include "platform/gl/opengl.h"

namespace platform::gl {
namespace {

constexpr const char* CANVAS = "#canvas";
constexpr int WEBGL_VERSION = 2;

class WebGlContext final : public GlContext {
  public:
    WebGlContext(EMSCRIPTEN_WEBGL_CONTEXT_HANDLE handle, int width, int height)
        : handle(handle), width(width), height(height) {
        MakeCurrent();
        glGetIntegerv(GL_DEPTH_BITS, &depthBits);
    }
    ~WebGlContext() override { emscripten_webgl_destroy_context(handle); }
    WebGlContext(const WebGlContext&) = delete;
    WebGlContext& operator=(const WebGlContext&) = delete;

    void MakeCurrent() override {
        if (emscripten_webgl_get_current_context() != handle) {
            emscripten_webgl_make_context_current(handle);
        }
    }
    void Swap() override {
        MakeCurrent();
        emscripten_webgl_commit_frame();
    }
    // The canvas keeps the game's size; the page scales it.
    void DrawableSize(int& drawableWidth, int& drawableHeight) const override {
        drawableWidth = width;
        drawableHeight = height;
    }
    int DepthBits() const override { return depthBits; }
    GlFlavour Flavour() const override { return GlFlavour::ES; }

  private:
    EMSCRIPTEN_WEBGL_CONTEXT_HANDLE handle;
    int width;
    int height;
    int depthBits = 0;
};

}  // namespace

// The canvas is the only surface a page draws on, whatever the window; the presentation interval
// is the browser's.
std::unique_ptr<GlContext> GlContext::Create(HWND, int width, int height, bool,
                                             std::string& error) {
    if (emscripten_set_canvas_element_size(CANVAS, width, height) != EMSCRIPTEN_RESULT_SUCCESS) {
        error = "the page has no canvas";
        return nullptr;
    }
    EmscriptenWebGLContextAttributes attributes;
    emscripten_webgl_init_context_attributes(&attributes);
    attributes.majorVersion = WEBGL_VERSION;
    attributes.minorVersion = 0;
    attributes.alpha = false;
    attributes.depth = true;
    attributes.stencil = false;
    attributes.antialias = false;
    // Drawn into a framebuffer of our own and copied to the canvas at Present.
    attributes.explicitSwapControl = true;
    attributes.renderViaOffscreenBackBuffer = true;
    const EMSCRIPTEN_WEBGL_CONTEXT_HANDLE handle =
        emscripten_webgl_create_context(CANVAS, &attributes);
    if (handle <= 0) {
        error = "the browser offers no WebGL 2";
        return nullptr;
    }
    return std::make_unique<WebGlContext>(handle, width, height);
}

bool StartVideo(std::string&) {
    return true;
}

void StopVideo() {}

}  // namespace platform::gl
