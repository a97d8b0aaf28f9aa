// The one message queue of the process: posting, peeking and dispatching.
#include <algorithm>
#include <deque>

#include "platform/win32/real_backends.h"
#include "platform/win32/window_internals.h"

namespace platform {
namespace {

std::deque<MSG>& Queue() {
    static std::deque<MSG> queue;
    return queue;
}

bool Matches(const MSG& msg, HWND window, UINT filterMin, UINT filterMax) {
    if (window != nullptr && msg.hwnd != window) {
        return false;
    }
    bool unfiltered = filterMin == 0 && filterMax == 0;
    return unfiltered || (msg.message >= filterMin && msg.message <= filterMax);
}

}  // namespace

void QueueMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    MSG msg{};
    msg.hwnd = window;
    msg.message = message;
    msg.wParam = wParam;
    msg.lParam = lParam;
    // The real clock, not the chosen one: a virtual clock must advance only when the game reads it.
    msg.time = RealClock().Milliseconds();
    Queue().push_back(msg);
}

bool IsMessageWaiting(HWND window, UINT message) {
    return std::any_of(Queue().begin(), Queue().end(), [&](const MSG& msg) {
        return msg.hwnd == window && msg.message == message;
    });
}

void DropMessagesOf(HWND window) {
    std::erase_if(Queue(), [&](const MSG& msg) { return msg.hwnd == window; });
}

void ClearMessageQueue() {
    Queue().clear();
}

}  // namespace platform

BOOL WINAPI PeekMessageA(MSG* msg, HWND window, UINT filterMin, UINT filterMax, UINT removeMsg) {
    if (msg == nullptr) {
        return FALSE;
    }
    auto& queue = platform::Queue();
    auto pumpAndFind = [&] {
        platform::CurrentWindowSystem().PumpEvents();
        return std::find_if(queue.begin(), queue.end(), [&](const MSG& waiting) {
            return platform::Matches(waiting, window, filterMin, filterMax);
        });
    };
    auto found = pumpAndFind();
    if (found == queue.end()) {
        // What arrives during the rest is handed out by this call, not the next.
        if (platform::CurrentWindowSystem().Rest()) {
            found = pumpAndFind();
        }
    }
    if (found == queue.end()) {
        return FALSE;
    }
    *msg = *found;
    if (removeMsg & PM_REMOVE) {
        queue.erase(found);
    }
    return TRUE;
}

BOOL WINAPI TranslateMessage(const MSG*) {
    return FALSE;
}

LRESULT WINAPI DispatchMessageA(const MSG* msg) {
    if (msg == nullptr || msg->hwnd == nullptr || msg->message == WM_QUIT) {
        return 0;
    }
    return platform::SendToProcedure(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

BOOL WINAPI PostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    // A null window posts to the thread, as in Win32; a dead window cannot receive anything.
    if (window != nullptr && !platform::IsLiveWindow(window)) {
        return FALSE;
    }
    platform::QueueMessage(window, message, wParam, lParam);
    return TRUE;
}

void WINAPI PostQuitMessage(int exitCode) {
    platform::QueueMessage(nullptr, WM_QUIT, static_cast<WPARAM>(exitCode), 0);
}
