// gorvanti-setup: chooses the game's five keys in a small window and writes them to setup.ini.
#include <SDL.h>

#include <cstdio>
#include <memory>
#include <string>

#include "platform/player/player_folder.h"
#include "platform/sdl/sdl_backends.h"
#include "tools/setup/key_file.h"
#include "tools/setup/key_rules.h"
#include "tools/setup/setup_model.h"
#include "tools/setup/setup_window.h"

namespace {

const char* const USAGE =
    "usage: gorvanti-setup [FILE]\n"
    "\n"
    "Shows the game's five keys as FILE gives them to the game: roll up, roll down, roll left,\n"
    "roll right, and the fifth key that only skips title steps. Without FILE it is the setup.ini\n"
    "the game reads: beside the program when its graphics/ folder is there, else in the player's\n"
    "folder ($XDG_DATA_HOME/gorvanti or ~/.local/share/gorvanti, made as the game makes it on its\n"
    "first start). The window shows the file's path. Choose a key with Tab or the arrows (or\n"
    "the mouse), press Return, then the new key; S or the Save button writes the file, Escape\n"
    "or Quit leaves.\n"
    "\n"
    "The file keeps its first two lines, its other lines and any comment after a code; only the\n"
    "codes change. A file that does not give the game five codes is reported here and in the\n"
    "window and written only when five keys are chosen and saved, in the layout the game reads.\n"
    "Keys the game cannot use are refused with the reason: Escape (the game's quit question),\n"
    "a key another slot has, a key without a Windows virtual-key code. The new file is written\n"
    "beside the old one and moved over it, so a failed save keeps the old file.\n"
    "\n"
    "Exit code: 0 when the window closed, 1 when no window could be opened or the player's\n"
    "folder could not be made, 2 for bad arguments.\n";

const char* const SETTINGS_FILE = "setup.ini";

int RunWindow(const std::string& path, setup::KeyFile file) {
    std::unique_ptr<platform::box::BoxFont> font = setup::LoadSetupFont();
    if (font == nullptr) {
        std::fprintf(stderr, "gorvanti-setup: cannot open a window: no font found\n");
        return 1;
    }
    setup::SetupModel model(path, std::move(file));
    setup::SetupWindow window(model, *font);
    if (!window.Open()) {
        std::fprintf(stderr, "gorvanti-setup: cannot open a window: %s\n", SDL_GetError());
        return 1;
    }
    window.Run();
    if (model.Unsaved()) {
        std::fprintf(stderr, "gorvanti-setup: left without saving; %s is unchanged.\n",
                     path.c_str());
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    std::string path;
    bool pathGiven = false;
    for (int i = 1; i < argc; ++i) {
        std::string argument = argv[i];
        if (argument == "--help" || argument == "-h") {
            std::fputs(USAGE, stdout);
            return 0;
        }
        if ((argument.size() > 1 && argument[0] == '-') || pathGiven) {
            std::fprintf(stderr,
                         "gorvanti-setup: unexpected argument %s\n(see gorvanti-setup --help)\n",
                         argv[i]);
            return 2;
        }
        path = argument;
        pathGiven = true;
    }
    if (!pathGiven) {
        std::string error;
        const std::filesystem::path folder = platform::player::RunFolderOfThisProgram(error);
        if (folder.empty()) {
            std::fprintf(stderr, "gorvanti-setup: cannot set up your game folder: %s\n",
                         error.c_str());
            return 1;
        }
        path = (folder / SETTINGS_FILE).string();
    }

    setup::KeyFile file = setup::ReadKeyFile(path);
    std::string problem = file.Complete() ? setup::SetRefusal(file.codes) : file.problem;
    if (!problem.empty()) {
        std::fprintf(stderr, "gorvanti-setup: %s: %s\n", path.c_str(), problem.c_str());
    }
    if (!file.Complete()) {
        std::fputs("Nothing is written until five keys are chosen and saved.\n", stderr);
    }
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        std::fprintf(stderr, "gorvanti-setup: cannot open a window: %s\n", SDL_GetError());
        return 1;
    }
    // SDL falls back to drivers without a screen when there is no display; nobody could answer
    // the window there, even when asked for.
    if (SDL_GetCurrentVideoDriver() == nullptr || platform::sdl::VideoWithoutScreen()) {
        std::fprintf(stderr, "gorvanti-setup: cannot open a window: there is no display\n");
        SDL_Quit();
        return 1;
    }
    int exitCode = RunWindow(path, std::move(file));
    SDL_Quit();
    return exitCode;
}
