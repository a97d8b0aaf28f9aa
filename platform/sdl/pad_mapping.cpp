// The pad's controls and the keys they hold: the d-pad and the left stick steer, A and Start act.
#include "platform/sdl/pad_mapping.h"

#include "platform/win32/win32_subset.h"

namespace platform::sdl {
namespace {

struct ButtonKey {
    SDL_GameControllerButton button;
    int virtualKey;
};

// `towards` is the sign of the axis for that key: SDL counts a stick's y downwards.
struct StickKey {
    SDL_GameControllerAxis axis;
    int towards;
    int virtualKey;
};

constexpr ButtonKey BUTTON_KEYS[] = {
    {SDL_CONTROLLER_BUTTON_DPAD_UP, VK_UP},     {SDL_CONTROLLER_BUTTON_DPAD_DOWN, VK_DOWN},
    {SDL_CONTROLLER_BUTTON_DPAD_LEFT, VK_LEFT}, {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, VK_RIGHT},
    {SDL_CONTROLLER_BUTTON_A, VK_SPACE},        {SDL_CONTROLLER_BUTTON_START, VK_SPACE},
};

constexpr StickKey STICK_KEYS[] = {
    {SDL_CONTROLLER_AXIS_LEFTY, -1, VK_UP},
    {SDL_CONTROLLER_AXIS_LEFTY, 1, VK_DOWN},
    {SDL_CONTROLLER_AXIS_LEFTX, -1, VK_LEFT},
    {SDL_CONTROLLER_AXIS_LEFTX, 1, VK_RIGHT},
};

}  // namespace

bool PadHoldsKey(SDL_GameController* pad, int virtualKey) {
    for (const ButtonKey& mapped : BUTTON_KEYS) {
        if (mapped.virtualKey == virtualKey && SDL_GameControllerGetButton(pad, mapped.button)) {
            return true;
        }
    }
    for (const StickKey& mapped : STICK_KEYS) {
        if (mapped.virtualKey == virtualKey &&
            mapped.towards * SDL_GameControllerGetAxis(pad, mapped.axis) > STICK_DEAD_ZONE) {
            return true;
        }
    }
    return false;
}

}  // namespace platform::sdl
