// The real backends of a build without a display (WebAssembly under node, the Windows replay
// tool): no window can be made, no key is ever down, a message box is printed and takes its
// confirming answer, and there is no Direct3D. Tools and tests choose headless backends instead;
// these only keep a program that asks for the real ones from waiting for ever.
#include <cstdio>

#include "platform/win32/real_backends.h"

namespace platform {
namespace {

class NoKeys : public Keyboard {
  public:
    bool IsDown(int) override { return false; }
};

class PrintedBoxes : public MessageBoxes {
  public:
    int Show(HWND, const char* text, const char* caption, UINT type) override {
        std::fprintf(stderr, "%s: %s\n", caption != nullptr ? caption : "",
                     text != nullptr ? text : "");
        return DefaultAnswer(type);
    }
};

class NoWindows : public WindowSystem {
  public:
    bool RegisterClass(const WNDCLASSEXA&) override { return true; }
    bool CreateNative(HWND, const char*, int, int) override { return false; }
    void DestroyNative(HWND) override {}
    void Show(HWND, bool) override {}
    void PumpEvents() override {}
    // Nothing to wait for: no input can come.
    bool Rest() override { return false; }
};

}  // namespace

// Never destroyed, as the desktop's: the game may reach them from its static destructors.
Keyboard& RealKeyboard() {
    static Keyboard* keyboard = new NoKeys;
    return *keyboard;
}

MessageBoxes& RealMessageBoxes() {
    static MessageBoxes* boxes = new PrintedBoxes;
    return *boxes;
}

WindowSystem& RealWindowSystem() {
    static WindowSystem* windows = new NoWindows;
    return *windows;
}

IDirect3D9* CreateRealDirect3D() {
    return nullptr;
}

}  // namespace platform
