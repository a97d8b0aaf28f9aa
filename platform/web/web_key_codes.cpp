// The table between Windows virtual-key codes and the browser's physical key names (US layout
// positions, as the desktop's table).
#include "platform/web/web_key_codes.h"

#include <cstdlib>
#include <cstring>

#include "platform/win32/win32_subset.h"

namespace platform::web {
namespace {

struct Pair {
    int virtualKey;
    const char* code;
};

// Generic codes come before the left and right ones, so that a key maps back to the generic code.
constexpr Pair NAMED_KEYS[] = {
    {VK_BACK, "Backspace"},
    {VK_TAB, "Tab"},
    {VK_RETURN, "Enter"},
    {VK_RETURN, "NumpadEnter"},
    {VK_SHIFT, "ShiftLeft"},
    {VK_SHIFT, "ShiftRight"},
    {VK_CONTROL, "ControlLeft"},
    {VK_CONTROL, "ControlRight"},
    {VK_MENU, "AltLeft"},
    {VK_MENU, "AltRight"},
    {VK_PAUSE, "Pause"},
    {VK_CAPITAL, "CapsLock"},
    {VK_ESCAPE, "Escape"},
    {VK_SPACE, "Space"},
    {VK_PRIOR, "PageUp"},
    {VK_NEXT, "PageDown"},
    {VK_END, "End"},
    {VK_HOME, "Home"},
    {VK_LEFT, "ArrowLeft"},
    {VK_UP, "ArrowUp"},
    {VK_RIGHT, "ArrowRight"},
    {VK_DOWN, "ArrowDown"},
    {VK_SNAPSHOT, "PrintScreen"},
    {VK_INSERT, "Insert"},
    {VK_DELETE, "Delete"},
    {VK_LWIN, "MetaLeft"},
    {VK_RWIN, "MetaRight"},
    {VK_APPS, "ContextMenu"},
    {VK_MULTIPLY, "NumpadMultiply"},
    {VK_ADD, "NumpadAdd"},
    {VK_SEPARATOR, "NumpadComma"},
    {VK_SUBTRACT, "NumpadSubtract"},
    {VK_DECIMAL, "NumpadDecimal"},
    {VK_DIVIDE, "NumpadDivide"},
    {VK_NUMLOCK, "NumLock"},
    {VK_SCROLL, "ScrollLock"},
    {VK_LSHIFT, "ShiftLeft"},
    {VK_RSHIFT, "ShiftRight"},
    {VK_LCONTROL, "ControlLeft"},
    {VK_RCONTROL, "ControlRight"},
    {VK_LMENU, "AltLeft"},
    {VK_RMENU, "AltRight"},
    {VK_OEM_1, "Semicolon"},
    {VK_OEM_PLUS, "Equal"},
    {VK_OEM_COMMA, "Comma"},
    {VK_OEM_MINUS, "Minus"},
    {VK_OEM_PERIOD, "Period"},
    {VK_OEM_2, "Slash"},
    {VK_OEM_3, "Backquote"},
    {VK_OEM_4, "BracketLeft"},
    {VK_OEM_5, "Backslash"},
    {VK_OEM_6, "BracketRight"},
    {VK_OEM_7, "Quote"},
    {VK_OEM_102, "IntlBackslash"},
};

constexpr const char* SCROLL_KEYS[] = {"ArrowLeft", "ArrowUp",  "ArrowRight", "ArrowDown", "Space",
                                       "PageUp",    "PageDown", "Home",       "End"};

// Runs of keys named by a prefix and one character or number: KeyA, Digit0, Numpad0, F1.
constexpr int VK_LETTER_A = 'A';
constexpr int VK_DIGIT_0 = '0';
constexpr int FUNCTION_KEY_COUNT = VK_F12 - VK_F1 + 1;
constexpr int DIGIT_COUNT = 10;

bool StartsWith(const char* text, const char* prefix, const char*& rest) {
    const size_t length = std::strlen(prefix);
    if (std::strncmp(text, prefix, length) != 0) {
        return false;
    }
    rest = text + length;
    return true;
}

// Letters, digits and function keys, which have one code each.
int VirtualKeyOfRun(const char* code) {
    const char* rest = nullptr;
    if (StartsWith(code, "Key", rest) && rest[0] >= 'A' && rest[0] <= 'Z' && rest[1] == '\0') {
        return VK_LETTER_A + (rest[0] - 'A');
    }
    if (StartsWith(code, "Digit", rest) && rest[0] >= '0' && rest[0] <= '9' && rest[1] == '\0') {
        return VK_DIGIT_0 + (rest[0] - '0');
    }
    if (StartsWith(code, "Numpad", rest) && rest[0] >= '0' && rest[0] <= '9' && rest[1] == '\0') {
        return VK_NUMPAD0 + (rest[0] - '0');
    }
    if (StartsWith(code, "F", rest) && rest[0] >= '1' && rest[0] <= '9') {
        char* end = nullptr;
        const long number = std::strtol(rest, &end, DIGIT_COUNT);
        if (*end == '\0' && number >= 1 && number <= FUNCTION_KEY_COUNT) {
            return VK_F1 + static_cast<int>(number) - 1;
        }
    }
    return 0;
}

}  // namespace

int VirtualKeyOfCode(const char* code) {
    if (code == nullptr) {
        return 0;
    }
    for (const Pair& pair : NAMED_KEYS) {
        if (std::strcmp(pair.code, code) == 0) {
            return pair.virtualKey;
        }
    }
    return VirtualKeyOfRun(code);
}

bool CodeCountsAs(const char* code, int virtualKey) {
    if (code == nullptr || virtualKey == 0) {
        return false;
    }
    for (const Pair& pair : NAMED_KEYS) {
        if (pair.virtualKey == virtualKey && std::strcmp(pair.code, code) == 0) {
            return true;
        }
    }
    return VirtualKeyOfRun(code) == virtualKey;
}

bool ScrollsThePage(const char* code) {
    for (const char* scrolling : SCROLL_KEYS) {
        if (code != nullptr && std::strcmp(scrolling, code) == 0) {
            return true;
        }
    }
    return false;
}

}  // namespace platform::web
