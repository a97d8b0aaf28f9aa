// Creating, selecting and presenting OpenGL contexts on SDL windows, and SDL's video for them.
#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "platform/gl/gl_context.h"
#include "platform/gl/opengl.h"
#include "platform/sdl/freed_heap.h"
#include "platform/sdl/sdl_rest.h"
#include "platform/sdl/sdl_window.h"

namespace platform::gl {

namespace {

struct FlavourVersion {
    GlFlavour flavour;
    int profile;
    int major;
    int minor;
    const char* versionPrefix;  // what GL_VERSION starts with before the numbers
    const char* name;
};

constexpr FlavourVersion CORE_3_3 = {GlFlavour::CORE,  SDL_GL_CONTEXT_PROFILE_CORE, 3, 3, "",
                                     "OpenGL 3.3 core"};
constexpr FlavourVersion ES_3_0 = {GlFlavour::ES,  SDL_GL_CONTEXT_PROFILE_ES, 3, 0, "OpenGL ES ",
                                   "OpenGL ES 3.0"};
constexpr int DEPTH_BITS_WANTED = 16;  // D3DFMT_D16, or better
constexpr int COLOUR_CHANNEL_BITS = 8;

class SdlGlContext;
SdlGlContext* currentContext = nullptr;

bool VersionAtLeast(const char* version, const FlavourVersion& wanted) {
    int haveMajor = 0;
    int haveMinor = 0;
    const size_t prefix = std::strlen(wanted.versionPrefix);
    if (version == nullptr || std::strncmp(version, wanted.versionPrefix, prefix) != 0 ||
        std::sscanf(version + prefix, "%d.%d", &haveMajor, &haveMinor) != 2) {
        return false;
    }
    return haveMajor > wanted.major || (haveMajor == wanted.major && haveMinor >= wanted.minor);
}

const FlavourVersion& VersionOf(GlFlavour flavour) {
    return flavour == GlFlavour::CORE ? CORE_3_3 : ES_3_0;
}

class SdlGlContext final : public GlContext {
  public:
    SdlGlContext() = default;
    ~SdlGlContext() override;
    SdlGlContext(const SdlGlContext&) = delete;
    SdlGlContext& operator=(const SdlGlContext&) = delete;

    bool TryFlavour(GlFlavour wanted, HWND gameWindow, int width, int height, std::string& error);
    void MakeCurrent() override;
    void Swap() override;
    void DrawableSize(int& width, int& height) const override;
    int DepthBits() const override { return depthBits; }
    GlFlavour Flavour() const override { return flavour; }
    bool Offscreen() const override { return ownsWindow; }

  private:
    SDL_Window* window = nullptr;
    bool ownsWindow = false;
    SDL_GLContext context = nullptr;
    int depthBits = 0;
    GlFlavour flavour = GlFlavour::CORE;
};

}  // namespace

std::unique_ptr<GlContext> GlContext::Create(HWND window, int width, int height,
                                             bool immediatePresentation, std::string& error) {
    const char* forced = std::getenv(FLAVOUR_VARIABLE);
    const bool onlyCore = forced != nullptr && std::strcmp(forced, "core") == 0;
    const bool onlyEs = forced != nullptr && std::strcmp(forced, "es") == 0;
    auto created = std::make_unique<SdlGlContext>();
    std::string coreError;
    bool made = !onlyEs && created->TryFlavour(GlFlavour::CORE, window, width, height, coreError);
    if (!made && !onlyCore) {
        // A fresh object, so that nothing of the failed attempt lingers.
        created = std::make_unique<SdlGlContext>();
        made = created->TryFlavour(GlFlavour::ES, window, width, height, error);
        if (!made && !coreError.empty()) {
            error = coreError + "; " + error;
        }
    } else if (!made) {
        error = coreError;
    }
    if (!made) {
        return nullptr;
    }
    sdl::KeepFreedHeap();
    // Immediate presentation; a driver that refuses keeps its own setting.
    SDL_GL_SetSwapInterval(immediatePresentation ? 0 : 1);
    return created;
}

bool SdlGlContext::TryFlavour(GlFlavour wanted, HWND gameWindow, int width, int height,
                              std::string& error) {
    const FlavourVersion& version = VersionOf(wanted);
    flavour = wanted;
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, version.profile);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, version.major);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, version.minor);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, DEPTH_BITS_WANTED);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, COLOUR_CHANNEL_BITS);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, COLOUR_CHANNEL_BITS);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, COLOUR_CHANNEL_BITS);

    window = gameWindow != nullptr ? sdl::SdlWindowOf(gameWindow) : nullptr;
    if (window == nullptr) {
        // Made after the attributes, so that its surface suits the flavour.
        window = SDL_CreateWindow("", SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, width,
                                  height, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
        if (window == nullptr) {
            error = std::string("no window for OpenGL: ") + SDL_GetError();
            return false;
        }
        ownsWindow = true;
    }
    context = SDL_GL_CreateContext(window);
    if (context == nullptr) {
        error = std::string("no ") + version.name + " context: " + SDL_GetError();
        return false;
    }
    currentContext = this;
    const auto* offered = reinterpret_cast<const char*>(glGetString(GL_VERSION));
    if (!VersionAtLeast(offered, version)) {
        error = std::string(version.name) + " is needed, the context offers " +
                (offered != nullptr ? offered : "nothing");
        return false;
    }
    glGetFramebufferAttachmentParameteriv(GL_FRAMEBUFFER, GL_DEPTH,
                                          GL_FRAMEBUFFER_ATTACHMENT_DEPTH_SIZE, &depthBits);
    return true;
}

SdlGlContext::~SdlGlContext() {
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

void SdlGlContext::MakeCurrent() {
    if (currentContext != this) {
        SDL_GL_MakeCurrent(window, context);
        currentContext = this;
    }
}

void SdlGlContext::Swap() {
    MakeCurrent();
    SDL_GL_SwapWindow(window);
    sdl::NotePresent();
}

void SdlGlContext::DrawableSize(int& width, int& height) const {
    SDL_GL_GetDrawableSize(window, &width, &height);
}

bool StartVideo(std::string& error) {
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        error = SDL_GetError();
        return false;
    }
    return true;
}

void StopVideo() {
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

}  // namespace platform::gl
