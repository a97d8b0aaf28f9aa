// The real rest: SDL's event wait for whole milliseconds, a plain sleep for the exact last stretch.
#include "platform/sdl/sdl_rest.h"

#include <SDL.h>

#include <thread>

#include "platform/sdl/event_pump.h"
#include "platform/sdl/present_log.h"
#include "platform/win32/rest_planner.h"

namespace platform::sdl {
namespace {

RestPlanner& Planner() {
    static RestPlanner planner;
    return planner;
}

Nanoseconds Now() {
    return std::chrono::steady_clock::now().time_since_epoch();
}

}  // namespace

void NotePresent() {
    Planner().NotePresent();
    LogPresent(Now());
}

void NoteClockRead(Nanoseconds reading) {
    Planner().NoteClockRead(reading);
}

void ForgetPresents() {
    Planner() = RestPlanner{};
}

bool RestUntilEventOrDue() {
    const Nanoseconds rest = Planner().RestAt(Now());
    if (rest <= Nanoseconds::zero()) {
        return false;
    }
    const auto wholeMilliseconds = std::chrono::duration_cast<std::chrono::milliseconds>(rest);
    // SDL's wait counts whole milliseconds and may overrun by one; the planner leaves room for it.
    if (wholeMilliseconds.count() > 0 && SDL_WasInit(SDL_INIT_VIDEO) != 0) {
        if (SDL_WaitEventTimeout(nullptr, static_cast<int>(wholeMilliseconds.count())) != 0) {
            return true;
        }
        // The wait watched for events until now and none came: what was pumped is still current.
        NoteEventsPumped();
        return false;
    }
    std::this_thread::sleep_for(rest);
    return true;
}

}  // namespace platform::sdl
