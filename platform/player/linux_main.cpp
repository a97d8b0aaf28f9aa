// The process entry where the system has no WinMain: it answers --help and --version, picks the
// folder to run in, then starts the game there.
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "platform/player/player_folder.h"
#include "platform/win32.h"

namespace {

const char* const USAGE =
    "usage: gorvanti [--help | --version]\n"
    "\n"
    "Gorvanti, a 3-D tilt-maze game: tilt the board with four keys (the arrow keys as shipped)\n"
    "to roll the ball to the goal of ten timed stages. Escape asks whether to quit.\n"
    "\n"
    "It runs in its own folder when graphics/ lies beside the program; an installed game runs\n"
    "in $XDG_DATA_HOME/gorvanti (~/.local/share/gorvanti when that is unset), which its first\n"
    "start makes and fills. There setup.ini holds the keys (gorvanti-setup edits it) and\n"
    "besttime.dat the best time of each stage.\n"
    "\n"
    "It needs a display (X11 or Wayland); without one it says so and exits.\n"
    "Exit code: 1 after a confirmed quit, 0 when the game cannot start, 2 for bad arguments.\n"
    "See gorvanti(6).\n";

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1) {
        if (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
            std::fputs(USAGE, stdout);
            return 0;
        }
        if (std::strcmp(argv[1], "--version") == 0) {
            std::printf("gorvanti %s\n", GORVANTI_VERSION);
            return 0;
        }
        std::fprintf(stderr, "gorvanti: unknown argument %s (see gorvanti --help)\n", argv[1]);
        return 2;
    }
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
