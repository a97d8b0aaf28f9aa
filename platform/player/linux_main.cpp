// The process entry where the system has no WinMain: it picks the folder to run in, then starts
// the game there.
#include <unistd.h>

#include <cstdio>
#include <string>

#include "platform/player/player_folder.h"
#include "platform/win32.h"

int main() {
    std::string error;
    std::filesystem::path runFolder = platform::player::RunFolderOfThisProgram(error);
    if (runFolder.empty()) {
        std::fprintf(stderr, "gorvanti: cannot set up your game folder: %s\n", error.c_str());
        // The root holds no setup.ini, so the game shows its own "FileOpenError" box rather than
        // taking the keys of whatever folder it was started in.
        runFolder = "/";
    }
    if (chdir(runFolder.c_str()) != 0) {
        std::perror("gorvanti: chdir");
    }
    char noCommandLine[] = "";
    return WinMain(GetModuleHandleA(NULL), NULL, noCommandLine, SW_SHOWDEFAULT);
}
