// The game controllers plugged in: opened as they come (and those present at start), closed as
// they go, and asked which keys they hold.
#pragma once

#include <SDL.h>

#include <map>

namespace platform::sdl {

class Gamepads {
  public:
    // Starts SDL's game-controller subsystem and opens the pads already present.
    Gamepads();
    ~Gamepads();
    Gamepads(const Gamepads&) = delete;
    Gamepads& operator=(const Gamepads&) = delete;

    // Opens a pad on SDL_CONTROLLERDEVICEADDED, closes one on SDL_CONTROLLERDEVICEREMOVED (so a
    // pad pulled out holds nothing any more); other events are ignored.
    void Hear(const SDL_Event& event);
    // Reads the pads' current state and takes their events out of SDL's queue, so plugging is
    // heard even where no window system reads the queue (headless runs), and no event piles up.
    void Refresh();
    // True when a control of any open pad mapped to `virtualKey` is held (pad_mapping.h).
    bool Hold(int virtualKey) const;

  private:
    void Open(int deviceIndex);

    bool started = false;
    std::map<SDL_JoystickID, SDL_GameController*> pads;
};

// The pads the real keyboard and the real window system share; built on first use.
Gamepads& RealGamepads();

}  // namespace platform::sdl
