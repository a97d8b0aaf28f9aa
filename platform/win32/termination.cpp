// An end of the program asked for from outside, carried out as a quit the player confirmed.
#include "platform/win32/window_internals.h"

namespace platform {
namespace {

bool terminationRequested = false;

}  // namespace

int DefaultAnswer(UINT type) {
    return (type & MB_TYPEMASK) == MB_YESNO ? IDYES : IDOK;
}

void RequestTermination() {
    terminationRequested = true;
    for (HWND window : LiveWindowList()) {
        if (!IsMessageWaiting(window, WM_CLOSE)) {
            QueueMessage(window, WM_CLOSE, 0, 0);
        }
    }
}

bool TerminationRequested() {
    return terminationRequested;
}

void ForgetTermination() {
    terminationRequested = false;
}

}  // namespace platform
