// A WebGL 2 context on the page's canvas for the OpenGL ES 3.0 device, drawn offscreen and shown
// at Present only, as Direct3D shows nothing before it. When the browser takes the context away,
// the page says so and the device waits; when the browser gives it back, the device fills it anew.
#include <emscripten.h>
#include <emscripten/html5.h>

#include "platform/gl/gl_context.h"
#include "platform/gl/opengl.h"

namespace platform::gl {
namespace {

constexpr const char* CANVAS = "#canvas";
constexpr int WEBGL_VERSION = 2;

// clang-format off
EM_JS(void, TellPagePictureLost, (bool lost), {
    if (typeof GorvantiPage !== "undefined") {
        GorvantiPage.pictureLost(lost);
    }
});
// clang-format on

EMSCRIPTEN_WEBGL_CONTEXT_HANDLE CreateHandle() {
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
    return emscripten_webgl_create_context(CANVAS, &attributes);
}

class WebGlContext final : public GlContext {
  public:
    WebGlContext(EMSCRIPTEN_WEBGL_CONTEXT_HANDLE handle, int width, int height)
        : handle(handle), width(width), height(height) {
        MakeCurrent();
        glGetIntegerv(GL_DEPTH_BITS, &depthBits);
        emscripten_set_webglcontextlost_callback(CANVAS, this, false, Lost);
        emscripten_set_webglcontextrestored_callback(CANVAS, this, false, Restored);
    }
    ~WebGlContext() override {
        emscripten_set_webglcontextlost_callback(CANVAS, nullptr, false, nullptr);
        emscripten_set_webglcontextrestored_callback(CANVAS, nullptr, false, nullptr);
        emscripten_webgl_destroy_context(handle);
    }
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
    ContextState TakeState() override {
        const ContextState now = state;
        if (state == ContextState::RESTORED) {
            state = ContextState::KEPT;
        }
        return now;
    }

  private:
    // True asks the browser to give the context back when it can.
    static EM_BOOL Lost(int, const void*, void* self) {
        static_cast<WebGlContext*>(self)->state = ContextState::LOST;
        TellPagePictureLost(true);
        return true;
    }

    // The browser gives back the same WebGL context, empty. A new handle on it gets Emscripten's
    // offscreen framebuffer and extensions made anew; the old one is left, as destroying it would
    // also drop the canvas's key listeners.
    static EM_BOOL Restored(int, const void*, void* self) {
        auto* context = static_cast<WebGlContext*>(self);
        const EMSCRIPTEN_WEBGL_CONTEXT_HANDLE handle = CreateHandle();
        if (handle <= 0) {
            return false;  // the page keeps asking the player to reload
        }
        context->handle = handle;
        context->state = ContextState::RESTORED;
        TellPagePictureLost(false);
        return true;
    }

    EMSCRIPTEN_WEBGL_CONTEXT_HANDLE handle;
    int width;
    int height;
    int depthBits = 0;
    ContextState state = ContextState::KEPT;
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
    const EMSCRIPTEN_WEBGL_CONTEXT_HANDLE handle = CreateHandle();
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
