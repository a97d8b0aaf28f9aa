// gorvanti-solver: inputs that clear every stage, checked in whole games, written as scripts.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tools/solver/game_check.h"
#include "tools/solver/game_plan.h"
#include "tools/solver/game_run.h"
#include "tools/solver/stage_search.h"

namespace {

const char* const USAGE =
    "Usage: gorvanti-solver [--states N] OUTPUT\n"
    "Searches key inputs that roll the ball from the start to a goal on each of the ten stages,\n"
    "stepping the game's own tilt and roll code, and inputs that roll it into a hole of stage 2.\n"
    "Every solution is then played in whole games of the real application object (headless),\n"
    "and the scripts are written into the folder OUTPUT:\n"
    "  stage01.replay ... stage10.replay  one stage's play; tick 0 is its first tick of play\n"
    "  full-game.replay                   from program start: all ten stages, the ending, the\n"
    "                                     title again\n"
    "  game-over.replay                   from program start: stage 1, then ten balls lost on\n"
    "                                     stage 2, the game over, the title again\n"
    "The exit code is 0 when every script was found and checked, 1 otherwise.\n"
    "\n"
    "Options:\n"
    "  --states N   distinct ball states one search may reach (default 600000; about 130 bytes\n"
    "               each); a search that needs more gives up\n"
    "  --help       show this text\n";

constexpr int64_t DEFAULT_STATES = 600'000;
// Searches from greedy to patient: the first finds a solution fast, the later ones shorten it
// when they finish within the state budget.
constexpr float WEIGHTS[] = {2.0f, 1.5f, 1.25f, 1.1f, 1.0f};

double SecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The shortest inputs the searches find that end in `target`; empty when none does.
std::vector<int> Solve(int stage, StageCell targetCell, Outcome target, int64_t states) {
    const auto started = std::chrono::steady_clock::now();
    BoardProbe probe(stage);
    const DistanceField field(probe.Map(), targetCell);
    std::vector<int> best;
    for (float weight : WEIGHTS) {
        SearchLimits limits;
        limits.maxStates = states;
        limits.weight = weight;
        if (!best.empty()) {
            limits.maxTicks = static_cast<int>(best.size()) - 1;
        }
        const SearchResult result = SearchInputs(probe, field, target, limits);
        // The search steps the same code; replaying guards the path bookkeeping.
        if (result.found && ReplayInputs(probe, result.bits) == target &&
            (best.empty() || result.bits.size() < best.size())) {
            best = result.bits;
        }
    }
    std::printf("stage %2d, %s: %s (%.1f s)\n", stage, target == Outcome::Goal ? "goal" : "hole",
                best.empty() ? "no inputs found" : (std::to_string(best.size()) + " ticks").c_str(),
                SecondsSince(started));
    std::fflush(stdout);
    return best;
}

bool WriteText(const std::filesystem::path& path, const std::string& text) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << text;
    file.close();
    if (!file) {
        std::fprintf(stderr, "gorvanti-solver: cannot write %s\n", path.c_str());
        return false;
    }
    return true;
}

std::string StageFileName(int stage) {
    char name[32];
    std::snprintf(name, sizeof name, "stage%02d.replay", stage);
    return name;
}

// Plays the script as a whole game and checks it; prints what went wrong.
template <typename Check>
bool PlayAndCheck(const char* name, const PlannedScript& plan, Check check) {
    GameRun run;
    std::string problems;
    if (!RunWholeGame(plan.script, run, problems) || !check(run, problems)) {
        std::fprintf(stderr, "gorvanti-solver: %s does not play as planned:\n%s", name,
                     problems.c_str());
        return false;
    }
    std::printf("%s: %lld ticks, checked in a whole game\n", name,
                static_cast<long long>(plan.script.Length()));
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    std::string output;
    int64_t states = DEFAULT_STATES;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--help" || argument == "-h") {
            std::fputs(USAGE, stdout);
            return 0;
        } else if (argument == "--states" && i + 1 < argc) {
            states = std::atoll(argv[++i]);
        } else if (!argument.empty() && argument[0] != '-' && output.empty()) {
            output = argument;
        } else {
            std::fprintf(stderr, "gorvanti-solver: bad argument %s\n%s", argument.c_str(), USAGE);
            return 2;
        }
    }
    if (output.empty() || states <= 0) {
        std::fputs(USAGE, stderr);
        return 2;
    }
    const std::filesystem::path folder = std::filesystem::absolute(output);
    std::filesystem::create_directories(folder);

    bool complete = true;
    std::vector<std::vector<int>> solutions;
    for (int stage = 1; stage <= STAGE_COUNT; ++stage) {
        solutions.push_back(Solve(stage, Goal, Outcome::Goal, states));
        if (solutions.back().empty()) {
            complete = false;
            continue;
        }
        complete &=
            WriteText(folder / StageFileName(stage), StageScript(stage, solutions.back()).ToText());
    }
    const std::vector<int> holeRun = Solve(HOLE_STAGE, Hole, Outcome::Fell, states);
    if (!complete || holeRun.empty()) {
        std::fprintf(stderr,
                     "gorvanti-solver: not every stage was solved; no whole games written\n");
        return 1;
    }

    const PlannedScript fullGame = FullGameScript(solutions);
    const PlannedScript gameOver = GameOverScript(solutions[0], holeRun);
    const bool fullGamePlays =
        PlayAndCheck("full-game.replay", fullGame, [&](const GameRun& run, std::string& problems) {
            return CheckFullGame(run, fullGame, solutions, problems);
        });
    const bool gameOverPlays =
        PlayAndCheck("game-over.replay", gameOver, [&](const GameRun& run, std::string& problems) {
            return CheckGameOver(run, gameOver, solutions[0].size(), problems);
        });
    if (!fullGamePlays || !gameOverPlays) {
        return 1;
    }
    const bool written = WriteText(folder / "full-game.replay", fullGame.script.ToText()) &&
                         WriteText(folder / "game-over.replay", gameOver.script.ToText());
    return written ? 0 : 1;
}
