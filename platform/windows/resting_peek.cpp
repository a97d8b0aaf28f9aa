// The message peek and clock read of the Windows build: an empty queue waits for input or the
// game's next tick instead of letting the loop spin.
#include <windows.h>

#include "platform/windows/layer_calls.h"
#include "platform/windows/tick_rest.h"

namespace platform::windows {

namespace {

// Built on first use: the game reads its clock while the program's statics are still being made.
TickRest& Rest() {
    static TickRest rest = [] {
        LARGE_INTEGER frequency;
        return TickRest(QueryPerformanceFrequency(&frequency) ? frequency.QuadPart : 0);
    }();
    return rest;
}

}  // namespace

BOOL WINAPI ReadGameClock(LARGE_INTEGER* counts) {
    const BOOL read = QueryPerformanceCounter(counts);
    if (read) {
        Rest().NoteClockRead(counts->QuadPart);
    }
    return read;
}

BOOL WINAPI PeekMessageOrRest(LPMSG message, HWND window, UINT first, UINT last, UINT remove) {
    if (PeekMessageA(message, window, first, last, remove)) {
        return TRUE;
    }
    // A peek that leaves messages queued only looks; the loop's taking peek is where it idles.
    if ((remove & PM_REMOVE) == 0) {
        return FALSE;
    }
    LARGE_INTEGER now;
    if (QueryPerformanceCounter(&now)) {
        const DWORD wait = Rest().MillisecondsToWait(now.QuadPart);
        if (wait > 0) {
            MsgWaitForMultipleObjects(0, NULL, FALSE, wait, QS_ALLINPUT);
        }
    }
    return FALSE;
}

}  // namespace platform::windows
