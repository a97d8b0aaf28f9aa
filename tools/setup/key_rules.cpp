// Which keys the game can use in which slot, and the names the player knows them by.
#include "tools/setup/key_rules.h"

#include <SDL.h>

#include <cstdio>

#include "platform/sdl/virtual_keys.h"
#include "platform/win32.h"

namespace setup {
namespace {

const char* const SLOT_NAMES[KEY_SLOTS] = {"roll up", "roll down", "roll right", "roll left",
                                           "fifth key"};

std::string Hex(int code) {
    char text[16];
    std::snprintf(text, sizeof text, "%x", static_cast<unsigned>(code));
    return text;
}

// Two codes name the same key when they share a scancode: the generic Shift is also Left Shift.
bool SameKey(int first, int second) {
    platform::sdl::KeyScancodes a = platform::sdl::ScancodesOf(first);
    platform::sdl::KeyScancodes b = platform::sdl::ScancodesOf(second);
    for (int i = 0; i < a.count; ++i) {
        for (int j = 0; j < b.count; ++j) {
            if (a.codes[i] == b.codes[j]) {
                return true;
            }
        }
    }
    return false;
}

}  // namespace

std::string SlotName(int slot) {
    return SLOT_NAMES[slot];
}

std::string KeyName(int code) {
    if (code == 0) {
        return "none";
    }
    // SDL names the generic codes after their left-hand key, which would mislead here.
    switch (code) {
        case VK_SHIFT:
            return "Shift";
        case VK_CONTROL:
            return "Ctrl";
        case VK_MENU:
            return "Alt";
        default:
            break;
    }
    platform::sdl::KeyScancodes keys = platform::sdl::ScancodesOf(code);
    const char* name = keys.count > 0 ? SDL_GetScancodeName(keys.codes[0]) : "";
    return name[0] != '\0' ? name : "code " + Hex(code);
}

std::string RefusalOf(int code, int slot, const KeyCodes& codes) {
    if (code == 0) {
        return "That key has no Windows virtual-key code, so the game cannot see it.";
    }
    if (code == VK_ESCAPE) {
        return "Escape is the game's own key: it asks whether to quit.";
    }
    if (platform::sdl::ScancodesOf(code).count == 0) {
        return "Code " + Hex(code) + " names no key the game can read.";
    }
    for (int other = 0; other < KEY_SLOTS; ++other) {
        if (other != slot && SameKey(code, codes[other])) {
            return KeyName(code) + " is already the key for " + SlotName(other) + ".";
        }
    }
    return {};
}

std::string SetRefusal(const KeyCodes& codes) {
    for (int slot = 0; slot < KEY_SLOTS; ++slot) {
        if (codes[slot] == 0) {
            return "No key for " + SlotName(slot) + " yet.";
        }
        std::string refusal = RefusalOf(codes[slot], slot, codes);
        if (!refusal.empty()) {
            return "The key for " + SlotName(slot) + ": " + refusal;
        }
    }
    return {};
}

}  // namespace setup
