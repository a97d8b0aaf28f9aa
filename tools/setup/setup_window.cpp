// The set-up window on SDL: it shows the model and hands it the keys and clicks.
#include "tools/setup/setup_window.h"

#include "platform/sdl/virtual_keys.h"

namespace setup {
namespace {

constexpr int FONT_PIXEL_SIZE = 16;
// The window sleeps between events; this bounds how long a repaint can wait.
constexpr int EVENT_WAIT_MILLISECONDS = 100;
const char* const WINDOW_TITLE = "Gorvanti keys";
const char* const LATIN_FONT_FILE = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

}  // namespace

std::unique_ptr<platform::box::BoxFont> LoadSetupFont() {
    std::unique_ptr<platform::box::BoxFont> font =
        platform::box::BoxFont::Load(LATIN_FONT_FILE, FONT_PIXEL_SIZE);
    if (font == nullptr) {
        font = platform::box::BoxFont::Load(platform::box::FindJapaneseFontFile(), FONT_PIXEL_SIZE);
    }
    return font;
}

SetupWindow::SetupWindow(SetupModel& model, platform::box::BoxFont& font)
    : model(model),
      font(font),
      layout(LayoutSetup(font.LineHeight())),
      canvas(layout.width, layout.height) {}

SetupWindow::~SetupWindow() {
    if (window != nullptr) {
        SDL_DestroyWindow(window);
    }
}

bool SetupWindow::Open() {
    window = SDL_CreateWindow(WINDOW_TITLE, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                              layout.width, layout.height, 0);
    if (window == nullptr) {
        return false;
    }
    SDL_RaiseWindow(window);
    Present();
    return true;
}

void SetupWindow::Run() {
    bool dirty = false;
    for (;;) {
        if (dirty) {
            Present();
            dirty = false;
        }
        SDL_Event event;
        if (SDL_WaitEventTimeout(&event, EVENT_WAIT_MILLISECONDS) && !Handle(event, dirty)) {
            return;
        }
    }
}

bool SetupWindow::Handle(const SDL_Event& event, bool& dirty) {
    switch (event.type) {
        case SDL_QUIT:
            return false;
        case SDL_WINDOWEVENT:
            if (event.window.event == SDL_WINDOWEVENT_CLOSE) {
                return false;
            }
            dirty = dirty || event.window.event == SDL_WINDOWEVENT_EXPOSED;
            return true;
        case SDL_KEYDOWN:
            // A held key repeats; it is still one key for the slot waiting for it.
            if (event.key.repeat != 0) {
                return true;
            }
            dirty = true;
            return model.PressKey(platform::sdl::VirtualKeyOf(event.key.keysym.scancode)) ==
                   SetupModel::Outcome::Stay;
        case SDL_MOUSEBUTTONDOWN: {
            int item = layout.ItemAt(event.button.x, event.button.y);
            if (event.button.button != SDL_BUTTON_LEFT || item < 0) {
                return true;
            }
            dirty = true;
            return model.Activate(item) == SetupModel::Outcome::Stay;
        }
        default:
            return true;
    }
}

void SetupWindow::Present() {
    PaintSetup(canvas, model, layout, font);
    SDL_Surface* screen = SDL_GetWindowSurface(window);
    SDL_Surface* picture = SDL_CreateRGBSurfaceWithFormatFrom(
        const_cast<uint32_t*>(canvas.Pixels().data()), canvas.Width(), canvas.Height(), 32,
        canvas.Width() * 4, SDL_PIXELFORMAT_ARGB8888);
    // A window that cannot show its picture now shows it at the next repaint.
    if (screen != nullptr && picture != nullptr &&
        SDL_BlitSurface(picture, nullptr, screen, nullptr) == 0) {
        SDL_UpdateWindowSurface(window);
    }
    SDL_FreeSurface(picture);
}

}  // namespace setup
