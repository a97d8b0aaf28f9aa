// The headless backends: a virtual clock, a scripted keyboard, recorded boxes, handle-only windows.
#include "platform/headless/headless.h"

#include <algorithm>

#include "platform/win32/window_internals.h"

namespace platform::headless {

bool VirtualClock::Frequency(int64_t& countsPerSecond) {
    if (!hasPerformanceCounter) {
        return false;
    }
    countsPerSecond = frequency;
    return true;
}

int64_t VirtualClock::Counter() {
    int64_t value = counter;
    counter += step;
    return value;
}

uint32_t VirtualClock::Milliseconds() {
    uint32_t value = milliseconds;
    milliseconds += millisecondStep;
    return value;
}

bool ScriptedKeyboard::IsDown(int virtualKey) {
    return source ? source(virtualKey) : held.count(virtualKey) != 0;
}

int RecordedMessageBoxes::Show(HWND owner, const char* text, const char* caption, UINT type) {
    boxes.push_back(RecordedBox{owner, text ? text : "", caption ? caption : "", type});
    if (!answers.empty()) {
        int answer = answers.front();
        answers.pop_front();
        return answer;
    }
    if (answerer) {
        return answerer(boxes.back());
    }
    return DefaultAnswer(type);
}

bool HeadlessWindows::RegisterClass(const WNDCLASSEXA&) {
    return !failRegistration;
}

bool HeadlessWindows::CreateNative(HWND window, const char* caption, int clientWidth,
                                   int clientHeight) {
    if (failCreation) {
        return false;
    }
    created.push_back(window);
    lastCaption = caption ? caption : "";
    lastClientWidth = clientWidth;
    lastClientHeight = clientHeight;
    return true;
}

void HeadlessWindows::DestroyNative(HWND window) {
    visible.erase(window);
    std::erase_if(pending, [&](const MSG& msg) { return msg.hwnd == window; });
}

void HeadlessWindows::Show(HWND window, bool shown) {
    if (shown) {
        visible.insert(window);
    } else {
        visible.erase(window);
    }
}

void HeadlessWindows::PumpEvents() {
    if (onPump) {
        onPump();
    }
    // Events reach the queue only at a pump, as native events do.
    for (const MSG& msg : pending) {
        if (IsLiveWindow(msg.hwnd)) {
            QueueMessage(msg.hwnd, msg.message, msg.wParam, msg.lParam);
        }
    }
    pending.clear();
}

bool HeadlessWindows::Rest() {
    if (onRest) {
        onRest();
    }
    return true;
}

void HeadlessWindows::InjectClose(HWND window) {
    MSG msg{};
    msg.hwnd = window;
    msg.message = WM_CLOSE;
    pending.push_back(msg);
}

void HeadlessWindows::InjectKeyDown(HWND window, int virtualKey) {
    MSG msg{};
    msg.hwnd = window;
    msg.message = WM_KEYDOWN;
    msg.wParam = static_cast<WPARAM>(virtualKey);
    msg.lParam = 1;
    pending.push_back(msg);
}

bool HeadlessWindows::IsVisible(HWND window) const {
    return visible.count(window) != 0;
}

Session::Session() {
    ResetWindowState();
    SetClock(&clock);
    SetKeyboard(&keyboard);
    SetMessageBoxes(&boxes);
    SetWindowSystem(&windows);
}

Session::~Session() {
    // The windows made here must go while their window system still exists.
    ResetWindowState();
    SetClock(nullptr);
    SetKeyboard(nullptr);
    SetMessageBoxes(nullptr);
    SetWindowSystem(nullptr);
}

void ResetWindowState() {
    ForgetWindowsAndClasses();
    ForgetTermination();
}

}  // namespace platform::headless
