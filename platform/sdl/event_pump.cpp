// When the message pump last ran, on the monotonic clock.
#include "platform/sdl/event_pump.h"

#include <SDL.h>

#include <optional>

namespace platform::sdl {
namespace {

std::optional<std::chrono::nanoseconds> lastMessagePump;

bool MessagePumpIsRecent() {
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return lastMessagePump.has_value() && now - *lastMessagePump < FRESH_FOR;
}

}  // namespace

void NoteEventsPumped() {
    lastMessagePump = std::chrono::steady_clock::now().time_since_epoch();
}

void PumpEventsForKeyRead() {
    if (!MessagePumpIsRecent()) {
        SDL_PumpEvents();
    }
}

void UpdatePadsUnlessPumped() {
    if (!MessagePumpIsRecent()) {
        SDL_GameControllerUpdate();
    }
}

}  // namespace platform::sdl
