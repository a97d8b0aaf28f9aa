// The set-up window on SDL: it shows the model and hands it the keys and clicks.
#pragma once

#include <SDL.h>

#include <memory>

#include "platform/box/box_canvas.h"
#include "platform/box/box_font.h"
#include "tools/setup/setup_model.h"
#include "tools/setup/setup_painter.h"

namespace setup {

// DejaVu Sans, which every build has for the art; else the message boxes' Japanese font. Null
// when neither loads.
std::unique_ptr<platform::box::BoxFont> LoadSetupFont();

class SetupWindow {
  public:
    SetupWindow(SetupModel& model, platform::box::BoxFont& font);
    ~SetupWindow();
    SetupWindow(const SetupWindow&) = delete;
    SetupWindow& operator=(const SetupWindow&) = delete;

    // Needs SDL's video started; false when no window can be made (SDL_GetError says why).
    bool Open();
    // Until the model leaves, the window is closed or the program is asked to end.
    void Run();

    // What the window shows.
    const platform::box::Canvas& Picture() const { return canvas; }

  private:
    // False when the window is to close.
    bool Handle(const SDL_Event& event, bool& dirty);
    void Present();

    SetupModel& model;
    platform::box::BoxFont& font;
    SetupLayout layout;
    platform::box::Canvas canvas;
    SDL_Window* window = nullptr;
};

}  // namespace setup
