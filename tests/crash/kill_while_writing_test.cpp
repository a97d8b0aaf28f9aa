// Killing the game at any moment while it writes best times never leaves a damaged table.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fcntl.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/run_folder.h"

namespace {

constexpr int DEFAULT_KILLS = 200;
// The kills may take this long together, a third of the test's time limit: each costs at most one
// run of the game, so on a loaded machine, where a run is slow, fewer are made.
constexpr std::chrono::seconds KILL_BUDGET(100);
constexpr int STAGES = 10;
const char* const FULL_GAME = GORVANTI_SOURCE_DIR "/tests/replays/full-game.replay";

// The replay tool playing the whole game in `folder`, writing the table after every stage.
pid_t StartFullGame(const std::string& folder) {
    pid_t child = fork();
    if (child == 0) {
        int quiet = open("/dev/null", O_WRONLY);
        dup2(quiet, STDOUT_FILENO);
        dup2(quiet, STDERR_FILENO);
        execl(GORVANTI_REPLAY_PROGRAM, GORVANTI_REPLAY_PROGRAM, "--dir", folder.c_str(), FULL_GAME,
              static_cast<char*>(nullptr));
        _exit(127);
    }
    return child;
}

int WaitFor(pid_t child) {
    int status = 0;
    waitpid(child, &status, 0);
    return status;
}

// GORVANTI_KILLS as asked for (a longer run by hand), else as many as the budget allows.
int Kills(std::chrono::steady_clock::duration runTime) {
    const char* count = std::getenv("GORVANTI_KILLS");
    if (count != nullptr) {
        return std::atoi(count);
    }
    const auto affordable = KILL_BUDGET / std::max(runTime, std::chrono::steady_clock::duration(1));
    return static_cast<int>(std::clamp<decltype(affordable)>(affordable, 1, DEFAULT_KILLS));
}

}  // namespace

// Every table the game writes during one full game holds the stages cleared so far, then the
// untouched 270f lines. A kill at any moment must leave one of those tables, never a mix, a
// truncated file or a missing one.
TEST(KillWhileWriting, BestTimesAreAlwaysAWholeTableTheGameWrote) {
    ScratchDirectory directory;
    ASSERT_TRUE(CopyArt(directory));
    directory.Write("setup.ini", ARROW_KEYS_SETUP);
    const std::string folder = directory.Path().string();

    // One run to the end gives the last table and the time a run takes.
    directory.Write("besttime.dat", SLOWEST_BEST_TIMES);
    auto started = std::chrono::steady_clock::now();
    ASSERT_TRUE(WIFEXITED(WaitFor(StartFullGame(folder))));
    auto runTime = std::chrono::steady_clock::now() - started;
    std::vector<std::string> finalLines;
    {
        std::istringstream text(directory.Read("besttime.dat"));
        for (std::string line; std::getline(text, line);) {
            finalLines.push_back(line);
        }
    }
    ASSERT_EQ(finalLines.size(), static_cast<size_t>(STAGES));
    std::vector<std::string> tables;
    for (int cleared = 0; cleared <= STAGES; ++cleared) {
        std::string table;
        for (int stage = 0; stage < STAGES; ++stage) {
            table += (stage < cleared ? finalLines[stage] : "270f") + "\n";
        }
        tables.push_back(table);
    }

    std::mt19937 random(20261208);
    std::uniform_int_distribution<int64_t> moment(
        0, std::chrono::duration_cast<std::chrono::microseconds>(runTime).count());
    const int kills = Kills(runTime);
    int damaged = 0;
    int killedMidWrite = 0;
    for (int kill = 0; kill < kills; ++kill) {
        directory.Write("besttime.dat", SLOWEST_BEST_TIMES);
        pid_t child = StartFullGame(folder);
        std::this_thread::sleep_for(std::chrono::microseconds(moment(random)));
        ::kill(child, SIGKILL);
        WaitFor(child);
        killedMidWrite += directory.Exists("besttime.dat.tmp") ? 1 : 0;
        const std::string table = directory.Read("besttime.dat");
        bool whole = false;
        for (const std::string& written : tables) {
            whole = whole || table == written;
        }
        if (!whole) {
            ++damaged;
            ADD_FAILURE() << "kill " << kill << " left:\n" << table;
        }
    }
    std::printf("%d kills, %d while a new table was being written, %d damaged tables\n", kills,
                killedMidWrite, damaged);
    EXPECT_EQ(damaged, 0);
}
