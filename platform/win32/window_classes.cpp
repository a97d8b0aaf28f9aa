// The window class table behind RegisterClassExA.
#include <map>
#include <string>

#include "platform/win32/window_internals.h"

namespace platform {
namespace {

// The first atom Win32 hands out for registered strings.
constexpr ATOM FIRST_CLASS_ATOM = 0xC000;

struct ClassTable {
    std::map<std::string, WindowClass> classes;  // keyed by the lower-case name
    ATOM nextAtom = FIRST_CLASS_ATOM;
};

ClassTable& Table() {
    static ClassTable table;
    return table;
}

}  // namespace

std::string LowerCaseName(const char* name) {
    std::string lower(name);
    for (char& letter : lower) {
        if (letter >= 'A' && letter <= 'Z') {
            letter = static_cast<char>(letter - 'A' + 'a');
        }
    }
    return lower;
}

const WindowClass* FindWindowClass(const char* name) {
    if (name == nullptr || IsIntegerResource(name)) {
        return nullptr;
    }
    auto found = Table().classes.find(LowerCaseName(name));
    return found == Table().classes.end() ? nullptr : &found->second;
}

void ForgetClasses() {
    Table().classes.clear();
}

}  // namespace platform

ATOM WINAPI RegisterClassExA(const WNDCLASSEXA* windowClass) {
    // cbSize is not checked: the game fills in the 32-bit SDK's size, which differs here.
    if (windowClass == nullptr || windowClass->lpszClassName == nullptr ||
        platform::IsIntegerResource(windowClass->lpszClassName) ||
        platform::FindWindowClass(windowClass->lpszClassName) != nullptr) {
        return 0;
    }
    if (!platform::CurrentWindowSystem().RegisterClass(*windowClass)) {
        return 0;
    }
    auto& table = platform::Table();
    platform::WindowClass& entry =
        table.classes[platform::LowerCaseName(windowClass->lpszClassName)];
    entry.name = windowClass->lpszClassName;
    entry.procedure = windowClass->lpfnWndProc;
    entry.icon = windowClass->hIcon;
    entry.smallIcon = windowClass->hIconSm;
    ATOM atom = table.nextAtom;
    // Atoms are 16 bits; wrapping would hand out 0, which means failure.
    table.nextAtom = table.nextAtom == 0xFFFF ? platform::FIRST_CLASS_ATOM : table.nextAtom + 1;
    return atom;
}
