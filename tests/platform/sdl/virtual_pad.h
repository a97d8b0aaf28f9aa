// A game controller that exists only in SDL (its virtual joystick driver), for the pad tests.
#pragma once

#include <SDL.h>
#include <gtest/gtest.h>

namespace gamepad_test {

// Plugged in on construction with every standard button and axis, pulled out on destruction.
// SDL maps a virtual controller's buttons and axes in the order of SDL_GameControllerButton and
// SDL_GameControllerAxis, so each is set by that name.
class VirtualPad {
  public:
    VirtualPad() {
        EXPECT_EQ(SDL_InitSubSystem(SDL_INIT_JOYSTICK), 0) << SDL_GetError();
        const int deviceIndex =
            SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, SDL_CONTROLLER_AXIS_MAX,
                                      SDL_CONTROLLER_BUTTON_MAX, 0);
        EXPECT_GE(deviceIndex, 0) << SDL_GetError();
        joystick = SDL_JoystickOpen(deviceIndex);
        EXPECT_NE(joystick, nullptr) << SDL_GetError();
        id = SDL_JoystickInstanceID(joystick);
    }
    ~VirtualPad() {
        Unplug();
        SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
    }
    VirtualPad(const VirtualPad&) = delete;
    VirtualPad& operator=(const VirtualPad&) = delete;

    // Takes effect at the next update of SDL's joysticks, as a real pad's report does.
    void Set(SDL_GameControllerButton button, bool held) {
        SDL_JoystickSetVirtualButton(joystick, button, held ? SDL_PRESSED : SDL_RELEASED);
    }
    void Set(SDL_GameControllerAxis axis, Sint16 value) {
        SDL_JoystickSetVirtualAxis(joystick, axis, value);
    }

    void Unplug() {
        if (joystick == nullptr) {
            return;
        }
        SDL_JoystickClose(joystick);
        joystick = nullptr;
        for (int deviceIndex = 0; deviceIndex < SDL_NumJoysticks(); ++deviceIndex) {
            if (SDL_JoystickGetDeviceInstanceID(deviceIndex) == id) {
                SDL_JoystickDetachVirtual(deviceIndex);
            }
        }
    }

  private:
    SDL_Joystick* joystick = nullptr;
    SDL_JoystickID id = -1;
};

}  // namespace gamepad_test
