// The real message boxes: a small modal SDL window that draws its own Japanese text.
#include <SDL.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/box/box_font.h"
#include "platform/box/box_model.h"
#include "platform/box/box_painter.h"
#include "platform/sdl/sdl_backends.h"
#include "platform/sdl/sdl_events.h"
#include "platform/sdl/sdl_window.h"
#include "platform/sdl/virtual_keys.h"

namespace platform::sdl {
namespace {

using box::BoxFont;
using box::BoxLayout;
using box::BoxModel;
using box::Canvas;
using box::FindJapaneseFontFile;
using box::LayoutBox;
using box::PaintBox;
using box::SplitLines;

constexpr int FONT_PIXEL_SIZE = 16;
// The box sleeps between events; this bounds how long a repaint can wait.
constexpr int EVENT_WAIT_MILLISECONDS = 100;

// Loaded once: finding a font asks fontconfig, which is slow the first time.
BoxFont* Font() {
    static BoxFont* font = BoxFont::Load(FindJapaneseFontFile(), FONT_PIXEL_SIZE).release();
    return font;
}

// SDL's own box, for when no Japanese font exists: it draws with the X server's fonts.
int ShowSdlBox(HWND owner, const char* text, const char* caption, const BoxModel& model) {
    std::vector<SDL_MessageBoxButtonData> buttons;
    for (size_t index = 0; index < model.buttons.size(); ++index) {
        Uint32 flags = 0;
        if (index == 0) {
            flags |= SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT;
        }
        if (model.buttons[index].answer == model.EscapeAnswer()) {
            flags |= SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT;
        }
        buttons.push_back({flags, model.buttons[index].answer, model.buttons[index].label});
    }
    SDL_MessageBoxData data{};
    data.flags = model.warning ? SDL_MESSAGEBOX_WARNING : SDL_MESSAGEBOX_INFORMATION;
    data.window = SdlWindowOf(owner);
    data.title = caption;
    data.message = text;
    data.numbuttons = static_cast<int>(buttons.size());
    data.buttons = buttons.data();
    int answer = model.EscapeAnswer();
    if (SDL_ShowMessageBox(&data, &answer) != 0) {
        // Nobody can be asked: say so where a developer looks, and take the default answer.
        std::fprintf(stderr, "%s: %s\n", caption, text);
        return model.buttons.front().answer;
    }
    return answer;
}

// One box on the screen, from its creation to its answer.
class BoxWindow {
  public:
    BoxWindow(HWND owner, const char* text, UINT type, BoxFont& font)
        : owner(owner), font(font), model(type), lines(SplitLines(text)) {
        int textWidth = 0;
        for (const std::string& line : lines) {
            textWidth = std::max(textWidth, font.TextWidth(line));
        }
        layout = LayoutBox(textWidth, static_cast<int>(lines.size()), font.LineHeight(),
                           model.warning, static_cast<int>(model.buttons.size()));
        canvas = std::make_unique<Canvas>(layout.width, layout.height);
    }

    ~BoxWindow() {
        if (window == nullptr) {
            return;
        }
        SDL_DestroyWindow(window);
        // Whatever the box did, the game's OpenGL context stays the current one.
        if (glContext != nullptr) {
            SDL_GL_MakeCurrent(glWindow, glContext);
        }
        // Keys go back to the owner, as on Windows; without a window manager nobody else would
        // give it the focus again.
        SDL_Window* ownerWindow = SdlWindowOf(owner);
        if (ownerWindow != nullptr && (SDL_GetWindowFlags(ownerWindow) & SDL_WINDOW_SHOWN)) {
            SDL_RaiseWindow(ownerWindow);
            SDL_SetWindowInputFocus(ownerWindow);
        }
    }

    bool Open(const char* caption) {
        glWindow = SDL_GL_GetCurrentWindow();
        glContext = SDL_GL_GetCurrentContext();
        window = SDL_CreateWindow(caption, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                  layout.width, layout.height, SDL_WINDOW_HIDDEN);
        if (window == nullptr) {
            return false;
        }
        SDL_Window* ownerWindow = SdlWindowOf(owner);
        if (ownerWindow != nullptr) {
            int ownerX = 0;
            int ownerY = 0;
            int ownerWidth = 0;
            int ownerHeight = 0;
            SDL_GetWindowPosition(ownerWindow, &ownerX, &ownerY);
            SDL_GetWindowSize(ownerWindow, &ownerWidth, &ownerHeight);
            SDL_SetWindowPosition(window, ownerX + (ownerWidth - layout.width) / 2,
                                  ownerY + (ownerHeight - layout.height) / 2);
            // Not supported by every video driver; the box is modal through its loop anyway.
            SDL_SetWindowModalFor(window, ownerWindow);
        }
        SDL_ShowWindow(window);
        SDL_RaiseWindow(window);
        return Present();
    }

    // Runs until the box is answered. Events of other windows wait in the message queue,
    // except input for the owner, which Windows disables while its box is open.
    int Run() {
        Uint32 boxId = SDL_GetWindowID(window);
        std::optional<int> answer;
        bool dirty = false;
        while (!answer) {
            if (dirty) {
                Present();
                dirty = false;
            }
            SDL_Event event;
            if (!SDL_WaitEventTimeout(&event, EVENT_WAIT_MILLISECONDS)) {
                continue;
            }
            if (event.type == SDL_QUIT) {
                // A signal while the box is open: the program ends, as when the player confirms.
                RequestTermination();
                answer = model.buttons.front().answer;
            } else if (EventWindow(event) != boxId) {
                TranslateEvent(event, owner);
            } else {
                answer = Handle(event, dirty);
            }
        }
        return *answer;
    }

  private:
    static Uint32 EventWindow(const SDL_Event& event) {
        switch (event.type) {
            case SDL_WINDOWEVENT:
                return event.window.windowID;
            case SDL_KEYDOWN:
            case SDL_KEYUP:
                return event.key.windowID;
            case SDL_MOUSEBUTTONDOWN:
            case SDL_MOUSEBUTTONUP:
                return event.button.windowID;
            case SDL_MOUSEMOTION:
                return event.motion.windowID;
            default:
                return 0;
        }
    }

    std::optional<int> Handle(const SDL_Event& event, bool& dirty) {
        switch (event.type) {
            case SDL_WINDOWEVENT:
                if (event.window.event == SDL_WINDOWEVENT_CLOSE) {
                    return model.EscapeAnswer();
                }
                dirty = dirty || event.window.event == SDL_WINDOWEVENT_EXPOSED;
                return std::nullopt;
            case SDL_KEYDOWN: {
                int focusBefore = model.focused;
                std::optional<int> answer = model.PressKey(VirtualKeyOf(event.key.keysym.scancode));
                dirty = dirty || model.focused != focusBefore;
                return answer;
            }
            case SDL_MOUSEBUTTONDOWN:
                if (event.button.button == SDL_BUTTON_LEFT) {
                    model.pressed = layout.ButtonAt(event.button.x, event.button.y);
                    if (model.pressed >= 0) {
                        model.focused = model.pressed;
                    }
                    dirty = true;
                }
                return std::nullopt;
            case SDL_MOUSEBUTTONUP:
                if (event.button.button == SDL_BUTTON_LEFT && model.pressed >= 0) {
                    int released = layout.ButtonAt(event.button.x, event.button.y);
                    int held = model.pressed;
                    model.pressed = -1;
                    dirty = true;
                    if (released == held) {
                        return model.buttons[held].answer;
                    }
                }
                return std::nullopt;
            default:
                return std::nullopt;
        }
    }

    bool Present() {
        PaintBox(*canvas, model, layout, lines, font);
        SDL_Surface* screen = SDL_GetWindowSurface(window);
        SDL_Surface* picture = SDL_CreateRGBSurfaceWithFormatFrom(
            const_cast<uint32_t*>(canvas->Pixels().data()), canvas->Width(), canvas->Height(), 32,
            canvas->Width() * 4, SDL_PIXELFORMAT_ARGB8888);
        bool shown = screen != nullptr && picture != nullptr &&
                     SDL_BlitSurface(picture, nullptr, screen, nullptr) == 0 &&
                     SDL_UpdateWindowSurface(window) == 0;
        SDL_FreeSurface(picture);
        return shown;
    }

    HWND owner;
    BoxFont& font;
    BoxModel model;
    std::vector<std::string> lines;
    BoxLayout layout;
    std::unique_ptr<Canvas> canvas;
    SDL_Window* window = nullptr;
    SDL_Window* glWindow = nullptr;
    SDL_GLContext glContext = nullptr;
};

class SdlMessageBoxes : public MessageBoxes {
  public:
    int Show(HWND owner, const char* text, const char* caption, UINT type) override {
        BoxModel model(type);
        // Without a screen (no display, the tests) a box would wait for ever.
        if (!EnsureVideo() || VideoWithoutScreen()) {
            std::fprintf(stderr, "%s: %s\n", caption, text);
            return model.buttons.front().answer;
        }
        BoxFont* font = Font();
        if (font != nullptr) {
            BoxWindow box(owner, text, type, *font);
            if (box.Open(caption)) {
                return box.Run();
            }
        }
        return ShowSdlBox(owner, text, caption, model);
    }
};

}  // namespace

}  // namespace platform::sdl

namespace platform {

MessageBoxes& RealMessageBoxes() {
    static MessageBoxes* boxes = new sdl::SdlMessageBoxes;
    return *boxes;
}

}  // namespace platform
