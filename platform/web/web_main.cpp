// The process entry in a page: it lays out the game's folder (the packed graphics, the records
// kept in IndexedDB), starts the game there, and tells the page when the game has ended.
#include <emscripten.h>

#include <cstdio>
#include <string>

#include "platform/web/web_controls.h"
#include "platform/web/web_folder.h"
#include "platform/win32.h"

namespace {

// clang-format off
EM_JS(void, TellPageTheGameEnded, (int exitCode), { GorvantiPage.gameEnded(exitCode); });
// clang-format on

}  // namespace

int main() {
    std::string error;
    if (!platform::web::PrepareGameFolder(error)) {
        std::fprintf(stderr, "gorvanti: cannot set up the game's folder: %s\n", error.c_str());
    }
    platform::web::GiveConfiguredKeysToControls();
    char noCommandLine[] = "";
    const int exitCode = WinMain(GetModuleHandleA(NULL), NULL, noCommandLine, SW_SHOWDEFAULT);
    TellPageTheGameEnded(exitCode);
    return exitCode;
}
