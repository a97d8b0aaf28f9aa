// gorvanti-setup: chooses the game's five keys in a small window and writes them to setup.ini.
#include <SDL.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "tools/setup/key_file.h"
#include "tools/setup/key_rules.h"
#include "tools/setup/setup_model.h"
#include "tools/setup/setup_window.h"

namespace {

const char* const USAGE =
    "usage: gorvanti-setup [FILE]\n"
    "\n"
    "Shows the game's five keys as FILE (default: ./setup.ini) gives them to the game: roll up,\n"
    "roll down, roll left, roll right, and the fifth key that only skips title steps. Choose a\n"
    "key with Tab or the arrows (or the mouse), press Return, then the new key; S or the Save\n"
    "button writes the file, Escape or Quit leaves.\n"
    "\n"
    "The file keeps its first two lines, its other lines and any comment after a code; only the\n"
    "codes change. A file that does not give the game five codes is reported here and in the\n"
    "window and written only when five keys are chosen and saved, in the layout the game reads.\n"
    "Keys the game cannot use are refused with the reason: Escape (the game's quit question),\n"
    "a key another slot has, a key without a Windows virtual-key code. The new file is written\n"
    "beside the old one and moved over it, so a failed save keeps the old file.\n"
    "\n"
    "Exit code: 0 when the window closed, 1 when no window could be opened, 2 for bad arguments.\n";

const char* const DEFAULT_PATH = "./setup.ini";

// SDL falls back to drivers without a screen when there is no display; nobody could answer the
// window there.
bool NoScreen() {
    const char* driver = SDL_GetCurrentVideoDriver();
    return driver == nullptr || std::strcmp(driver, "offscreen") == 0 ||
           std::strcmp(driver, "dummy") == 0;
}

int RunWindow(const std::string& path, setup::KeyFile file) {
    std::unique_ptr<platform::sdl::BoxFont> font = setup::LoadSetupFont();
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
    std::string path = DEFAULT_PATH;
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
    if (NoScreen()) {
        std::fprintf(stderr, "gorvanti-setup: cannot open a window: there is no display\n");
        SDL_Quit();
        return 1;
    }
    int exitCode = RunWindow(path, std::move(file));
    SDL_Quit();
    return exitCode;
}
