// What stands behind the Win32 and Direct3D 9 calls: chosen by tests and tools at start, never by
// the game. By default the real backends of the build are used (real_backends.h).
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>

#include "platform/d3d9/d3d9_subset.h"

namespace platform {

class Clock {
  public:
    virtual ~Clock() = default;
    // False when no performance counter is available.
    virtual bool Frequency(int64_t& countsPerSecond) = 0;
    virtual int64_t Counter() = 0;
    virtual uint32_t Milliseconds() = 0;
};

class Keyboard {
  public:
    virtual ~Keyboard() = default;
    virtual bool IsDown(int virtualKey) = 0;
};

class MessageBoxes {
  public:
    virtual ~MessageBoxes() = default;
    // Modal: returns IDOK, IDYES or IDNO.
    virtual int Show(HWND owner, const char* text, const char* caption, UINT type) = 0;
};

// The answer of a box nobody can ask, and the confirming one: IDYES for MB_YESNO, else IDOK.
int DefaultAnswer(UINT type);

// Native windows and their events. The message queue itself is the platform's own and shared by
// every window system; a window system only feeds it.
class WindowSystem {
  public:
    virtual ~WindowSystem() = default;
    virtual bool RegisterClass(const WNDCLASSEXA& windowClass) = 0;  // false: registration fails
    // Creates the native side of a window (client size given); false: creation fails.
    virtual bool CreateNative(HWND window, const char* caption, int clientWidth,
                              int clientHeight) = 0;
    virtual void DestroyNative(HWND window) = 0;
    virtual void Show(HWND window, bool visible) = 0;
    // Moves waiting native events (close box, key presses, exposure) into the message queue.
    virtual void PumpEvents() = 0;
    // Called when PeekMessageA finds nothing waiting: the game's loop never waits by itself, so
    // this may give the processor back for a short, bounded moment, ending early for an event.
    // False when nothing can have arrived since the last pump, so pumping again would find nothing.
    virtual bool Rest() = 0;
    // The game read its clock (QueryPerformanceCounter, timeGetTime); `reading` is what it read,
    // as time on the clock. A window system that rests plans its rests from these (rest_planner.h).
    virtual void NoteClockRead(std::chrono::nanoseconds reading) { (void)reading; }
};

// The system asked the program to end (SIGTERM, SIGINT, the session closing): every window gets a
// close request, and every message box, open or still to come, answers as the player confirming
// it would. So the program ends as after a confirmed quit. Window systems call it; so may tests.
void RequestTermination();
bool TerminationRequested();

// nullptr restores the real backend.
void SetClock(Clock* clock);
void SetKeyboard(Keyboard* keyboard);
void SetMessageBoxes(MessageBoxes* boxes);
void SetWindowSystem(WindowSystem* windows);

// What Direct3DCreate9 returns; an empty function restores the real one (real_backends.h).
using Direct3DFactory = std::function<IDirect3D9*()>;
void SetDirect3DFactory(Direct3DFactory factory);

}  // namespace platform
