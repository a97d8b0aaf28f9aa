// The backend setters: tests and tools swap a backend in; nullptr brings the real one back.
#include "platform/win32/backends.h"

#include "platform/win32/real_backends.h"
#include "platform/win32/window_internals.h"

namespace platform {
namespace {

// Plain pointers with constant initialisation: safe to read during static initialisation.
Clock* chosenClock = nullptr;
Keyboard* chosenKeyboard = nullptr;
MessageBoxes* chosenBoxes = nullptr;
WindowSystem* chosenWindows = nullptr;

}  // namespace

void SetClock(Clock* clock) {
    chosenClock = clock;
}
void SetKeyboard(Keyboard* keyboard) {
    chosenKeyboard = keyboard;
}
void SetMessageBoxes(MessageBoxes* boxes) {
    chosenBoxes = boxes;
}
void SetWindowSystem(WindowSystem* windows) {
    chosenWindows = windows;
}

Clock& CurrentClock() {
    return chosenClock ? *chosenClock : RealClock();
}
Keyboard& CurrentKeyboard() {
    return chosenKeyboard ? *chosenKeyboard : RealKeyboard();
}
MessageBoxes& CurrentMessageBoxes() {
    return chosenBoxes ? *chosenBoxes : RealMessageBoxes();
}
WindowSystem& CurrentWindowSystem() {
    return chosenWindows ? *chosenWindows : RealWindowSystem();
}

}  // namespace platform
