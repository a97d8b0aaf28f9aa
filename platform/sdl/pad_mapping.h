// Which control of a game controller holds which key's virtual code, so that the shipped key set
// (the arrows and the space bar) plays on a pad unchanged.
#pragma once

#include <SDL.h>

namespace platform::sdl {

// A stick holds its key only when pushed further than this from the centre (of 32767, about a
// quarter of its travel), so a stick resting slightly off centre tilts nothing.
constexpr int STICK_DEAD_ZONE = 8000;

// True when a control of `pad` mapped to `virtualKey` is held.
bool PadHoldsKey(SDL_GameController* pad, int virtualKey);

}  // namespace platform::sdl
