// The process entry where the system has no WinMain: it picks the folder to run in, then starts
// the game there.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/player/player_folder.h"
#include "platform/win32.h"

int main() {
    std::error_code code;
    const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", code);
    const std::filesystem::path workingFolder = std::filesystem::current_path(code);
    std::string error;
    const std::filesystem::path runFolder =
        platform::player::ChooseRunFolder(workingFolder, executable.parent_path(),
                                          std::getenv("XDG_DATA_HOME"), std::getenv("HOME"), error);
    if (!error.empty()) {
        std::fprintf(stderr, "gorvanti: cannot set up your game folder: %s\n", error.c_str());
    }
    // Should the change fail, the game runs where it was started and reports what it misses.
    if (!runFolder.empty() && chdir(runFolder.c_str()) != 0) {
        std::perror("gorvanti: chdir");
    }
    char noCommandLine[] = "";
    return WinMain(GetModuleHandleA(NULL), NULL, noCommandLine, SW_SHOWDEFAULT);
}
