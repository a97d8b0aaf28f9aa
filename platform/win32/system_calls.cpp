// The Win32 calls that only hand out handles or ask a backend: clock, keys, boxes, stock objects.
#include "platform/win32/window_internals.h"

namespace {

// GDI's stock objects run from WHITE_BRUSH (0) to DC_PEN (19).
constexpr int STOCK_OBJECT_COUNT = 20;
constexpr SHORT KEY_DOWN_BIT = static_cast<SHORT>(0x8000);

// A counter reading as time, without overflowing for counters of any age.
std::chrono::nanoseconds CounterTime(int64_t counter, int64_t countsPerSecond) {
    constexpr int64_t NANOSECONDS_PER_SECOND = 1'000'000'000;
    return std::chrono::nanoseconds(counter / countsPerSecond * NANOSECONDS_PER_SECOND +
                                    counter % countsPerSecond * NANOSECONDS_PER_SECOND /
                                        countsPerSecond);
}

}  // namespace

HGDIOBJ WINAPI GetStockObject(int object) {
    static char stockObjects[STOCK_OBJECT_COUNT];
    if (object < 0 || object >= STOCK_OBJECT_COUNT) {
        return nullptr;
    }
    return &stockObjects[object];
}

HMODULE WINAPI GetModuleHandleA(LPCSTR moduleName) {
    // Only the executable itself is known by handle; there are no other modules to name.
    static char executable;
    return moduleName == nullptr ? reinterpret_cast<HMODULE>(&executable) : nullptr;
}

int WINAPI MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
    if (platform::TerminationRequested()) {
        return platform::DefaultAnswer(type);
    }
    return platform::CurrentMessageBoxes().Show(owner, text ? text : "", caption ? caption : "",
                                                type);
}

SHORT WINAPI GetAsyncKeyState(int virtualKey) {
    return platform::CurrentKeyboard().IsDown(virtualKey) ? KEY_DOWN_BIT : 0;
}

BOOL WINAPI QueryPerformanceFrequency(LARGE_INTEGER* frequency) {
    int64_t countsPerSecond = 0;
    if (frequency == nullptr || !platform::CurrentClock().Frequency(countsPerSecond)) {
        return FALSE;
    }
    frequency->QuadPart = countsPerSecond;
    return TRUE;
}

BOOL WINAPI QueryPerformanceCounter(LARGE_INTEGER* count) {
    if (count == nullptr) {
        return FALSE;
    }
    platform::Clock& clock = platform::CurrentClock();
    count->QuadPart = clock.Counter();
    int64_t countsPerSecond = 0;
    if (clock.Frequency(countsPerSecond) && countsPerSecond > 0) {
        platform::CurrentWindowSystem().NoteClockRead(
            CounterTime(count->QuadPart, countsPerSecond));
    }
    return TRUE;
}

DWORD WINAPI timeGetTime(void) {
    const DWORD milliseconds = platform::CurrentClock().Milliseconds();
    platform::CurrentWindowSystem().NoteClockRead(std::chrono::milliseconds(milliseconds));
    return milliseconds;
}
