// Keys held by the page's own controls, and the configured codes they stand for.
#include "platform/web/control_keys.h"

namespace platform::web {
namespace {

// The game skips two lines before each value; a longer line than this fails its reader too.
constexpr int LINES_BEFORE_VALUE = 2;
constexpr int LINE_CAPACITY = 256;

}  // namespace

bool ControlKeys::Press(int virtualKey) {
    if (!held.insert(virtualKey).second) {
        return false;
    }
    unpolled.insert(virtualKey);
    tapped.erase(virtualKey);
    return true;
}

bool ControlKeys::Release(int virtualKey) {
    if (held.erase(virtualKey) == 0) {
        return false;
    }
    if (unpolled.erase(virtualKey) != 0) {
        tapped.insert(virtualKey);
    }
    return true;
}

bool ControlKeys::Poll(int virtualKey) {
    unpolled.erase(virtualKey);
    return tapped.erase(virtualKey) != 0 || held.count(virtualKey) != 0;
}

void ControlKeys::ReleaseAll() {
    held.clear();
    unpolled.clear();
    tapped.clear();
}

ControlKeys& PageControlKeys() {
    static ControlKeys keys;
    return keys;
}

ConfiguredKeys ReadConfiguredKeys(std::istream& setupIni) {
    ConfiguredKeys keys{};
    char line[LINE_CAPACITY];
    for (int& key : keys) {
        for (int skipped = 0; skipped < LINES_BEFORE_VALUE; ++skipped) {
            setupIni.getline(line, LINE_CAPACITY, '\n');
        }
        int value = 0;
        if (!(setupIni >> std::hex >> value)) {
            break;
        }
        key = value;
    }
    return keys;
}

}  // namespace platform::web
