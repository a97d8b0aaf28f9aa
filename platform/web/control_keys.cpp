// The configured codes the page's own controls stand for, read from setup.ini.
#include "platform/web/control_keys.h"

namespace platform::web {
namespace {

// The game skips two lines before each value; a longer line than this fails its reader too.
constexpr int LINES_BEFORE_VALUE = 2;
constexpr int LINE_CAPACITY = 256;

}  // namespace

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
