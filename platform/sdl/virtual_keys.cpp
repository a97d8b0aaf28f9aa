// The table between Windows virtual-key codes and SDL scancodes (US layout positions).
#include "platform/sdl/virtual_keys.h"

#include <array>
#include <utility>

#include "platform/win32/win32_subset.h"

namespace platform::sdl {
namespace {

constexpr int VIRTUAL_KEY_COUNT = 256;

// Runs of consecutive codes on both sides.
constexpr int VK_LETTER_A = 'A';
constexpr int LETTER_COUNT = 26;
constexpr int VK_DIGIT_1 = '1';
constexpr int VK_DIGIT_0 = '0';
constexpr int DIGITS_ONE_TO_NINE = 9;
constexpr int FUNCTION_KEY_COUNT = VK_F12 - VK_F1 + 1;

struct Pair {
    int virtualKey;
    SDL_Scancode scancode;
};

// Generic codes come before the left and right ones, so that a key maps back to the generic code.
constexpr Pair SINGLE_KEYS[] = {
    {VK_BACK, SDL_SCANCODE_BACKSPACE},
    {VK_TAB, SDL_SCANCODE_TAB},
    {VK_RETURN, SDL_SCANCODE_RETURN},
    {VK_RETURN, SDL_SCANCODE_KP_ENTER},
    {VK_SHIFT, SDL_SCANCODE_LSHIFT},
    {VK_SHIFT, SDL_SCANCODE_RSHIFT},
    {VK_CONTROL, SDL_SCANCODE_LCTRL},
    {VK_CONTROL, SDL_SCANCODE_RCTRL},
    {VK_MENU, SDL_SCANCODE_LALT},
    {VK_MENU, SDL_SCANCODE_RALT},
    {VK_PAUSE, SDL_SCANCODE_PAUSE},
    {VK_CAPITAL, SDL_SCANCODE_CAPSLOCK},
    {VK_ESCAPE, SDL_SCANCODE_ESCAPE},
    {VK_SPACE, SDL_SCANCODE_SPACE},
    {VK_PRIOR, SDL_SCANCODE_PAGEUP},
    {VK_NEXT, SDL_SCANCODE_PAGEDOWN},
    {VK_END, SDL_SCANCODE_END},
    {VK_HOME, SDL_SCANCODE_HOME},
    {VK_LEFT, SDL_SCANCODE_LEFT},
    {VK_UP, SDL_SCANCODE_UP},
    {VK_RIGHT, SDL_SCANCODE_RIGHT},
    {VK_DOWN, SDL_SCANCODE_DOWN},
    {VK_SNAPSHOT, SDL_SCANCODE_PRINTSCREEN},
    {VK_INSERT, SDL_SCANCODE_INSERT},
    {VK_DELETE, SDL_SCANCODE_DELETE},
    {VK_LWIN, SDL_SCANCODE_LGUI},
    {VK_RWIN, SDL_SCANCODE_RGUI},
    {VK_APPS, SDL_SCANCODE_APPLICATION},
    {VK_MULTIPLY, SDL_SCANCODE_KP_MULTIPLY},
    {VK_ADD, SDL_SCANCODE_KP_PLUS},
    {VK_SEPARATOR, SDL_SCANCODE_KP_COMMA},
    {VK_SUBTRACT, SDL_SCANCODE_KP_MINUS},
    {VK_DECIMAL, SDL_SCANCODE_KP_PERIOD},
    {VK_DIVIDE, SDL_SCANCODE_KP_DIVIDE},
    {VK_NUMLOCK, SDL_SCANCODE_NUMLOCKCLEAR},
    {VK_SCROLL, SDL_SCANCODE_SCROLLLOCK},
    {VK_LSHIFT, SDL_SCANCODE_LSHIFT},
    {VK_RSHIFT, SDL_SCANCODE_RSHIFT},
    {VK_LCONTROL, SDL_SCANCODE_LCTRL},
    {VK_RCONTROL, SDL_SCANCODE_RCTRL},
    {VK_LMENU, SDL_SCANCODE_LALT},
    {VK_RMENU, SDL_SCANCODE_RALT},
    {VK_OEM_1, SDL_SCANCODE_SEMICOLON},
    {VK_OEM_PLUS, SDL_SCANCODE_EQUALS},
    {VK_OEM_COMMA, SDL_SCANCODE_COMMA},
    {VK_OEM_MINUS, SDL_SCANCODE_MINUS},
    {VK_OEM_PERIOD, SDL_SCANCODE_PERIOD},
    {VK_OEM_2, SDL_SCANCODE_SLASH},
    {VK_OEM_3, SDL_SCANCODE_GRAVE},
    {VK_OEM_4, SDL_SCANCODE_LEFTBRACKET},
    {VK_OEM_5, SDL_SCANCODE_BACKSLASH},
    {VK_OEM_6, SDL_SCANCODE_RIGHTBRACKET},
    {VK_OEM_7, SDL_SCANCODE_APOSTROPHE},
    {VK_OEM_102, SDL_SCANCODE_NONUSBACKSLASH},
};

struct Tables {
    std::array<KeyScancodes, VIRTUAL_KEY_COUNT> scancodesOf{};
    std::array<int, SDL_NUM_SCANCODES> virtualKeyOf{};

    void Add(int virtualKey, SDL_Scancode scancode) {
        KeyScancodes& keys = scancodesOf[virtualKey];
        if (keys.count < 2) {
            keys.codes[keys.count++] = scancode;
        }
        if (virtualKeyOf[scancode] == 0) {
            virtualKeyOf[scancode] = virtualKey;
        }
    }

    Tables() {
        for (const Pair& pair : SINGLE_KEYS) {
            Add(pair.virtualKey, pair.scancode);
        }
        for (int letter = 0; letter < LETTER_COUNT; ++letter) {
            Add(VK_LETTER_A + letter, static_cast<SDL_Scancode>(SDL_SCANCODE_A + letter));
        }
        // SDL puts 0 after 9, as the keyboard does; Windows puts it first, as ASCII does.
        for (int digit = 0; digit < DIGITS_ONE_TO_NINE; ++digit) {
            Add(VK_DIGIT_1 + digit, static_cast<SDL_Scancode>(SDL_SCANCODE_1 + digit));
            Add(VK_NUMPAD0 + 1 + digit, static_cast<SDL_Scancode>(SDL_SCANCODE_KP_1 + digit));
        }
        Add(VK_DIGIT_0, SDL_SCANCODE_0);
        Add(VK_NUMPAD0, SDL_SCANCODE_KP_0);
        for (int key = 0; key < FUNCTION_KEY_COUNT; ++key) {
            Add(VK_F1 + key, static_cast<SDL_Scancode>(SDL_SCANCODE_F1 + key));
        }
    }
};

const Tables& KeyTables() {
    static const Tables tables;
    return tables;
}

}  // namespace

KeyScancodes ScancodesOf(int virtualKey) {
    if (virtualKey < 0 || virtualKey >= VIRTUAL_KEY_COUNT) {
        return {};
    }
    return KeyTables().scancodesOf[virtualKey];
}

int VirtualKeyOf(SDL_Scancode scancode) {
    if (scancode < 0 || scancode >= SDL_NUM_SCANCODES) {
        return 0;
    }
    return KeyTables().virtualKeyOf[scancode];
}

}  // namespace platform::sdl
