// The keys the page holds for the game: presses, releases, taps and polls.
#include "platform/web/web_key_latch.h"

#include "platform/web/web_key_codes.h"

namespace platform::web {
namespace {

bool CountsAs(const PageKey& key, int virtualKey) {
    if (const int* controlKey = std::get_if<int>(&key)) {
        return *controlKey == virtualKey;
    }
    return CodeCountsAs(std::get<std::string>(key).c_str(), virtualKey);
}

bool IsKeyboardKey(const PageKey& key) {
    return std::holds_alternative<std::string>(key);
}

}  // namespace

int VirtualKeyOf(const PageKey& key) {
    if (const int* controlKey = std::get_if<int>(&key)) {
        return *controlKey;
    }
    return VirtualKeyOfCode(std::get<std::string>(key).c_str());
}

bool KeyLatch::Press(const PageKey& key) {
    if (!held.insert(key).second) {
        return false;
    }
    unpolled.insert(key);
    return true;
}

bool KeyLatch::Release(const PageKey& key) {
    if (held.erase(key) == 0) {
        return false;
    }
    if (unpolled.erase(key) != 0) {
        taps[key].clear();
    }
    return true;
}

void KeyLatch::ReleaseKeyboardKeys() {
    std::erase_if(held, IsKeyboardKey);
    std::erase_if(unpolled, IsKeyboardKey);
    std::erase_if(taps, [](const auto& tap) { return IsKeyboardKey(tap.first); });
}

bool KeyLatch::IsDown(int virtualKey) {
    bool down = false;
    for (const PageKey& key : held) {
        if (CountsAs(key, virtualKey)) {
            unpolled.erase(key);
            down = true;
        }
    }
    for (auto tap = taps.begin(); tap != taps.end();) {
        std::set<int>& polledSince = tap->second;
        if (CountsAs(tap->first, virtualKey)) {
            down = true;
            tap = taps.erase(tap);
        } else if (!polledSince.insert(virtualKey).second) {
            // A whole round of polls went by without this key.
            tap = taps.erase(tap);
        } else {
            ++tap;
        }
    }
    return down;
}

}  // namespace platform::web
