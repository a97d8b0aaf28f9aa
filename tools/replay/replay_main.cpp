// gorvanti-replay: runs the game from a replay script, headless and fast; shows a replay in a
// window; or records a player's keys as a script.
#include <cstdio>
#include <cstring>
#include <string>

#include "tools/replay/replay_runner.h"

namespace {

const char* const USAGE =
    "usage: gorvanti-replay [--dir DIR] [--ticks N] [--trace FILE] [--screenshot "
    "TICK:FILE.png]...\n"
    "                       [--scale N] [--answer yes|no] SCRIPT\n"
    "       gorvanti-replay [--dir DIR] --watch SCRIPT\n"
    "       gorvanti-replay [--dir DIR] --record SCRIPT\n"
    "\n"
    "Runs the game itself, unchanged, from a replay script: on a virtual clock, with the keys the\n"
    "script holds at every scene tick, drawing nothing (or offscreen with OpenGL for "
    "screenshots),\n"
    "as fast as it can. Message boxes are printed to standard error and answered. The exit code\n"
    "is the game's: 1 after a quit (a run that reaches its tick limit ends as a quit), 0 when the\n"
    "game could not start or ended on its own failure.\n"
    "\n"
    "  --dir DIR          the run folder with setup.ini, besttime.dat and graphics/ (default: .);\n"
    "                     besttime.dat there is written back as the game writes it\n"
    "  --ticks N          run N scene ticks (default: the script's length)\n"
    "  --trace FILE       write one CSV row of the game's state after every tick\n"
    "  --screenshot T:F   write the frame drawn after tick T as the PNG file F (repeatable)\n"
    "  --scale N          draw the screenshots at N times 640 x 480, N from 1 to 8 (default: 1)\n"
    "  --answer yes|no    how to answer yes/no boxes (default: yes)\n"
    "  --watch SCRIPT     show the replay in a window at 25 ticks per second\n"
    "  --record SCRIPT    play in a window; the keys held at every tick are written to SCRIPT\n"
    "  --help             show this text\n"
    "\n"
    "Script: lines 'COUNT KEYS' hold KEYS for COUNT ticks; KEYS is '-' or keys joined by '+'\n"
    "(up, down, left, right, space, esc, or 0xNN); '#' starts a comment. Tick 0 is the first\n"
    "tick of the title.\n";

// 8 x 640 = 5120 pixels: well within what the device draws, and more than any screen shows.
constexpr int64_t LARGEST_SCALE = 8;

int Fail(const std::string& message) {
    std::fprintf(stderr, "gorvanti-replay: %s\n(see gorvanti-replay --help)\n", message.c_str());
    return 2;
}

bool ParseWholeNumber(const char* text, int64_t& number) {
    char* end = nullptr;
    long long value = std::strtoll(text, &end, 10);
    if (end == text || *end != '\0' || value < 0) {
        return false;
    }
    number = value;
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    ReplayOptions options;
    std::string watchFile, recordFile;
    for (int i = 1; i < argc; ++i) {
        std::string argument = argv[i];
        auto value = [&]() -> const char* { return i + 1 < argc ? argv[++i] : nullptr; };
        // Moves the option's value into `into`; false when the command line ends first.
        auto take = [&](std::string& into) {
            const char* text = value();
            if (text != nullptr) {
                into = text;
            }
            return text != nullptr;
        };
        if (argument == "--help" || argument == "-h") {
            std::fputs(USAGE, stdout);
            return 0;
        } else if (argument == "--dir") {
            if (!take(options.directory)) {
                return Fail("--dir needs a folder");
            }
        } else if (argument == "--ticks") {
            const char* ticks = value();
            if (ticks == nullptr || !ParseWholeNumber(ticks, options.ticks)) {
                return Fail("--ticks needs a whole number of ticks");
            }
        } else if (argument == "--trace") {
            if (!take(options.traceFile)) {
                return Fail("--trace needs a file name");
            }
        } else if (argument == "--screenshot") {
            const char* shot = value();
            const char* colon = shot != nullptr ? std::strchr(shot, ':') : nullptr;
            int64_t tick = 0;
            if (colon == nullptr || colon[1] == '\0' ||
                !ParseWholeNumber(std::string(shot, colon).c_str(), tick)) {
                return Fail("--screenshot needs TICK:FILE.png");
            }
            options.screenshots[tick] = colon + 1;
        } else if (argument == "--scale") {
            const char* scale = value();
            int64_t parsed = 0;
            if (scale == nullptr || !ParseWholeNumber(scale, parsed) || parsed < 1 ||
                parsed > LARGEST_SCALE) {
                return Fail("--scale needs a whole number from 1 to 8");
            }
            options.scale = static_cast<int>(parsed);
        } else if (argument == "--answer") {
            const char* answer = value();
            if (answer == nullptr || (std::strcmp(answer, "yes") && std::strcmp(answer, "no"))) {
                return Fail("--answer takes yes or no");
            }
            options.answerYes = std::strcmp(answer, "yes") == 0;
        } else if (argument == "--watch" || argument == "--record") {
            if (!take(argument == "--watch" ? watchFile : recordFile)) {
                return Fail(argument + " needs a script file");
            }
        } else if (!argument.empty() && argument[0] == '-') {
            return Fail("unknown option " + argument);
        } else if (options.scriptFile.empty()) {
            options.scriptFile = argument;
        } else {
            return Fail("more than one script given");
        }
    }

    int modes = !options.scriptFile.empty() + !watchFile.empty() + !recordFile.empty();
    if (modes != 1) {
        return Fail("give exactly one of SCRIPT, --watch SCRIPT or --record SCRIPT");
    }
    int exitCode;
    if (!recordFile.empty()) {
        exitCode = RecordReplay(options, recordFile);
    } else if (!watchFile.empty()) {
        options.scriptFile = watchFile;
        exitCode = WatchReplay(options);
    } else {
        exitCode = RunReplay(options);
    }
    return exitCode < 0 ? 2 : exitCode;
}
