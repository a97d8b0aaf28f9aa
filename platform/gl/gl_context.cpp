// Creating, selecting and presenting OpenGL contexts on SDL windows.
#include "platform/gl/gl_context.h"

#include <cstdio>

#include "platform/gl/opengl.h"
#include "platform/sdl/sdl_window.h"

namespace platform::gl {

namespace {

constexpr int REQUIRED_MAJOR = 2;
constexpr int REQUIRED_MINOR = 1;
constexpr int DEPTH_BITS_WANTED = 16;  // D3DFMT_D16, or better
constexpr int COLOUR_CHANNEL_BITS = 8;

GlContext* currentContext = nullptr;

bool VersionAtLeast(const char* version, int major, int minor) {
    int haveMajor = 0;
    int haveMinor = 0;
    if (version == nullptr || std::sscanf(version, "%d.%d", &haveMajor, &haveMinor) != 2) {
        return false;
    }
    return haveMajor > major || (haveMajor == major && haveMinor >= minor);
}

}  // namespace

std::unique_ptr<GlContext> GlContext::Create(HWND window, int width, int height,
                                             bool immediatePresentation, std::string& error) {
    std::unique_ptr<GlContext> created(new GlContext);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, REQUIRED_MAJOR);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, REQUIRED_MINOR);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, DEPTH_BITS_WANTED);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, COLOUR_CHANNEL_BITS);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, COLOUR_CHANNEL_BITS);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, COLOUR_CHANNEL_BITS);

    created->window = window != nullptr ? sdl::SdlWindowOf(window) : nullptr;
    if (created->window == nullptr) {
        created->window = SDL_CreateWindow("", SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED,
                                           width, height, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
        if (created->window == nullptr) {
            error = std::string("no window for OpenGL: ") + SDL_GetError();
            return nullptr;
        }
        created->ownsWindow = true;
    }
    created->context = SDL_GL_CreateContext(created->window);
    if (created->context == nullptr) {
        error = std::string("no OpenGL context: ") + SDL_GetError();
        return nullptr;
    }
    currentContext = created.get();
    const auto* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
    if (!VersionAtLeast(version, REQUIRED_MAJOR, REQUIRED_MINOR)) {
        error = std::string("OpenGL 2.1 is needed, the context offers ") +
                (version != nullptr ? version : "nothing");
        return nullptr;
    }
    glGetIntegerv(GL_DEPTH_BITS, &created->depthBits);
    // Immediate presentation; a driver that refuses keeps its own setting.
    SDL_GL_SetSwapInterval(immediatePresentation ? 0 : 1);
    return created;
}

GlContext::~GlContext() {
    if (currentContext == this) {
        currentContext = nullptr;
    }
    if (context != nullptr) {
        SDL_GL_DeleteContext(context);
    }
    if (ownsWindow && window != nullptr) {
        SDL_DestroyWindow(window);
    }
}

void GlContext::MakeCurrent() {
    if (currentContext != this) {
        SDL_GL_MakeCurrent(window, context);
        currentContext = this;
    }
}

void GlContext::Swap() {
    MakeCurrent();
    SDL_GL_SwapWindow(window);
}

}  // namespace platform::gl
