// The icon table behind LoadIconA, and the system cursors behind LoadCursorA.
#include "platform/win32/resources.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/win32/window_internals.h"

struct HICON__ {
    std::vector<uint8_t> icoBytes;  // empty for a cursor
};

namespace platform {
namespace {

// The system cursors of Win32: IDC_ARROW (32512) to IDC_HELP (32651).
constexpr uintptr_t FIRST_SYSTEM_CURSOR = 32512;
constexpr uintptr_t LAST_SYSTEM_CURSOR = 32651;

// Keyed by the lower-case name: resource names compare without regard to case.
// Function-local so that registrations from other files' static initialisers find it built.
std::map<std::string, std::unique_ptr<HICON__>>& IconTable() {
    static std::map<std::string, std::unique_ptr<HICON__>> table;
    return table;
}

}  // namespace

void RegisterIconResource(const char* name, const uint8_t* icoBytes, size_t size) {
    if (name == nullptr || IsIntegerResource(name) || (icoBytes == nullptr && size != 0)) {
        return;
    }
    std::unique_ptr<HICON__>& icon = IconTable()[LowerCaseName(name)];
    if (!icon) {
        icon = std::make_unique<HICON__>();
    }
    icon->icoBytes.assign(icoBytes, icoBytes + size);
}

bool IconBytesOf(HICON icon, const uint8_t*& bytes, size_t& size) {
    for (const auto& [name, entry] : IconTable()) {
        if (entry.get() == icon) {
            bytes = entry->icoBytes.data();
            size = entry->icoBytes.size();
            return true;
        }
    }
    return false;
}

}  // namespace platform

HICON WINAPI LoadIconA(HINSTANCE, LPCSTR iconName) {
    if (iconName == nullptr || platform::IsIntegerResource(iconName)) {
        return nullptr;
    }
    auto& table = platform::IconTable();
    auto found = table.find(platform::LowerCaseName(iconName));
    return found == table.end() ? nullptr : found->second.get();
}

HCURSOR WINAPI LoadCursorA(HINSTANCE instance, LPCSTR cursorName) {
    // Only the system cursors exist: the game has no cursor resources of its own.
    auto id = reinterpret_cast<uintptr_t>(cursorName);
    if (instance != nullptr || id < platform::FIRST_SYSTEM_CURSOR ||
        id > platform::LAST_SYSTEM_CURSOR) {
        return nullptr;
    }
    static HICON__ systemCursors[platform::LAST_SYSTEM_CURSOR - platform::FIRST_SYSTEM_CURSOR + 1];
    return &systemCursors[id - platform::FIRST_SYSTEM_CURSOR];
}
