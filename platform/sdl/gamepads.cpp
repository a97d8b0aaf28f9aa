// The open game controllers, kept in step with SDL's hot-plug events.
#include "platform/sdl/gamepads.h"

#include "platform/sdl/event_pump.h"
#include "platform/sdl/pad_mapping.h"

namespace platform::sdl {
namespace {

// Every joystick and controller event lies in this range of SDL's event types.
constexpr Uint32 FIRST_PAD_EVENT = SDL_JOYAXISMOTION;
constexpr Uint32 LAST_PAD_EVENT = SDL_CONTROLLERSENSORUPDATE;
constexpr int EVENTS_AT_ONCE = 16;

}  // namespace

Gamepads::Gamepads() {
    started = SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0;
    if (!started) {
        return;
    }
    // Their SDL_CONTROLLERDEVICEADDED events may have gone to an earlier user of the subsystem.
    for (int deviceIndex = 0; deviceIndex < SDL_NumJoysticks(); ++deviceIndex) {
        Open(deviceIndex);
    }
}

Gamepads::~Gamepads() {
    for (const auto& [id, pad] : pads) {
        SDL_GameControllerClose(pad);
    }
    if (started) {
        SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
    }
}

void Gamepads::Hear(const SDL_Event& event) {
    if (event.type == SDL_CONTROLLERDEVICEADDED) {
        Open(event.cdevice.which);
    } else if (event.type == SDL_CONTROLLERDEVICEREMOVED) {
        auto found = pads.find(event.cdevice.which);
        if (found != pads.end()) {
            SDL_GameControllerClose(found->second);
            pads.erase(found);
        }
    }
}

void Gamepads::Refresh() {
    if (!started) {
        return;
    }
    UpdatePadsUnlessPumped();
    SDL_Event events[EVENTS_AT_ONCE];
    int count = 0;
    while ((count = SDL_PeepEvents(events, EVENTS_AT_ONCE, SDL_GETEVENT, FIRST_PAD_EVENT,
                                   LAST_PAD_EVENT)) > 0) {
        for (int index = 0; index < count; ++index) {
            Hear(events[index]);
        }
    }
}

bool Gamepads::Hold(int virtualKey) const {
    for (const auto& [id, pad] : pads) {
        if (PadHoldsKey(pad, virtualKey)) {
            return true;
        }
    }
    return false;
}

void Gamepads::Open(int deviceIndex) {
    const SDL_JoystickID id = SDL_JoystickGetDeviceInstanceID(deviceIndex);
    // A pad already open announces itself again when a second user starts the subsystem.
    if (id < 0 || pads.count(id) != 0 || !SDL_IsGameController(deviceIndex)) {
        return;
    }
    SDL_GameController* pad = SDL_GameControllerOpen(deviceIndex);
    if (pad != nullptr) {
        pads[id] = pad;
    }
}

Gamepads& RealGamepads() {
    // Never destroyed: the game may poll keys from its own static destructors.
    static Gamepads* pads = new Gamepads;
    return *pads;
}

}  // namespace platform::sdl
