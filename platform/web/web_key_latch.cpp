// The keys the page holds for the game: presses, releases, taps and polls.
#include "platform/web/web_key_latch.h"

#include "platform/web/web_key_codes.h"

namespace platform::web {

bool KeyLatch::Press(const std::string& code) {
    if (!held.insert(code).second) {
        return false;
    }
    unpolled.insert(code);
    return true;
}

bool KeyLatch::Release(const std::string& code) {
    if (held.erase(code) == 0) {
        return false;
    }
    if (unpolled.erase(code) != 0) {
        taps[code].clear();
    }
    return true;
}

void KeyLatch::ReleaseAll() {
    held.clear();
    unpolled.clear();
    taps.clear();
}

bool KeyLatch::IsDown(int virtualKey) {
    bool down = false;
    for (const std::string& code : held) {
        if (CodeCountsAs(code.c_str(), virtualKey)) {
            unpolled.erase(code);
            down = true;
        }
    }
    for (auto tap = taps.begin(); tap != taps.end();) {
        std::set<int>& polledSince = tap->second;
        if (CodeCountsAs(tap->first.c_str(), virtualKey)) {
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
