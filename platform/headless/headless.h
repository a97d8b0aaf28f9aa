// Headless backends for tests and tools: a virtual clock, a scripted keyboard, message boxes that
// answer from a script and record every box, and windows that exist only as handles.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "platform/win32/backends.h"

namespace platform::headless {

// A performance counter with a chosen frequency that advances by a fixed step on every read.
class VirtualClock : public Clock {
  public:
    bool Frequency(int64_t& countsPerSecond) override;
    int64_t Counter() override;
    uint32_t Milliseconds() override;

    int64_t frequency = 10'000'000;
    int64_t step = 1000;  // counts added after every Counter() read
    int64_t counter = 0;  // the next value Counter() returns
    bool hasPerformanceCounter = true;
    uint32_t milliseconds = 0;     // the next value Milliseconds() returns
    uint32_t millisecondStep = 1;  // added after every Milliseconds() read
};

// Keys held down as the caller says; `source`, when set, decides instead of `held`.
class ScriptedKeyboard : public Keyboard {
  public:
    bool IsDown(int virtualKey) override;

    std::set<int> held;
    std::function<bool(int virtualKey)> source;
};

struct RecordedBox {
    HWND owner;
    std::string text;
    std::string caption;
    UINT type;
};

// Every box is recorded; the answer is the next queued one, else `answerer`, else the default
// (IDYES for MB_YESNO, IDOK otherwise).
class RecordedMessageBoxes : public MessageBoxes {
  public:
    int Show(HWND owner, const char* text, const char* caption, UINT type) override;

    std::vector<RecordedBox> boxes;
    std::deque<int> answers;
    std::function<int(const RecordedBox&)> answerer;
};

// Windows with no native side. Events are injected by the caller; `onPump` runs at every pump
// (every PeekMessageA), so a test can inject events at a chosen moment of the loop. They never
// rest, so replays run as fast as the loop can pass; `onRest` runs where a rest would be.
class HeadlessWindows : public WindowSystem {
  public:
    bool RegisterClass(const WNDCLASSEXA& windowClass) override;
    bool CreateNative(HWND window, const char* caption, int clientWidth, int clientHeight) override;
    void DestroyNative(HWND window) override;
    void Show(HWND window, bool visible) override;
    void PumpEvents() override;
    bool Rest() override;

    // The close box of the window: WM_CLOSE.
    void InjectClose(HWND window);
    // A key press: WM_KEYDOWN with the virtual-key code.
    void InjectKeyDown(HWND window, int virtualKey);
    bool IsVisible(HWND window) const;

    bool failRegistration = false;
    bool failCreation = false;
    std::function<void()> onPump;
    std::function<void()> onRest;
    std::vector<HWND> created;
    std::set<HWND> visible;
    std::string lastCaption;
    int lastClientWidth = 0;
    int lastClientHeight = 0;
    // Injected events not yet pumped into the queue.
    std::vector<MSG> pending;
};

// Installs all four headless backends for its lifetime and restores the real ones afterwards.
// Window state is reset (ResetWindowState) on entry and on exit, so every session starts afresh
// and leaves no window behind. The Direct3D factory is left to the caller (see recording_device.h).
class Session {
  public:
    Session();
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    VirtualClock clock;
    ScriptedKeyboard keyboard;
    RecordedMessageBoxes boxes;
    HeadlessWindows windows;
};

// Empties the platform's message queue and forgets every window and class, so that each test
// starts from a fresh process state.
void ResetWindowState();

}  // namespace platform::headless
