// Runs replay scripts through the replay tool and reads their traces back.
#include "tests/tools/replay/replay_trace.h"

#include <gtest/gtest.h>

#include <sstream>

#include "app/scene_numbers.h"
#include "tests/support/run_folder.h"
#include "tools/artgen/settings_files.h"
#include "tools/replay/replay_runner.h"
#include "tools/replay/trace_writer.h"

namespace {

std::vector<TraceRow> ParseTrace(const std::string& text) {
    std::vector<TraceRow> rows;
    std::istringstream lines(text);
    std::string line;
    std::getline(lines, line);
    EXPECT_EQ(line, TraceWriter::HEADER);
    while (std::getline(lines, line)) {
        TraceRow row{};
        long long tick = 0;
        const int fields =
            std::sscanf(line.c_str(), "%lld,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%lf,%lf,%lf,%lf,%lf",
                        &tick, &row.scene, &row.bits, &row.stage, &row.lives, &row.time, &row.phase,
                        &row.playing, &row.falling, &row.goal, &row.gameOver, &row.curtain, &row.x,
                        &row.y, &row.z, &row.rotationX, &row.rotationZ);
        // The title's rows have no ball before the play scene first loads.
        EXPECT_TRUE(fields == 17 || fields == 12) << line;
        row.tick = tick;
        rows.push_back(row);
    }
    return rows;
}

}  // namespace

std::string StoredReplay(const std::string& name) {
    return std::string(GORVANTI_SOURCE_DIR) + "/tests/replays/" + name;
}

ReplayOutcome RunScriptFile(const std::string& scriptFile) {
    ScratchDirectory folder;
    folder.Write("setup.ini", artgen::SetupIniText());
    folder.Write("besttime.dat", SLOWEST_BEST_TIMES);
    ReplayOptions options;
    options.directory = folder.Path().string();
    options.scriptFile = scriptFile;
    options.traceFile = (folder.Path() / "trace.csv").string();

    ReplayOutcome outcome;
    outcome.exitCode = RunReplay(options);
    outcome.traceText = folder.Read("trace.csv");
    outcome.rows = ParseTrace(outcome.traceText);
    outcome.bestTimeFile = folder.Read("besttime.dat");
    return outcome;
}

ReplayOutcome RunScriptText(const std::string& scriptText) {
    ScratchDirectory scriptFolder;
    scriptFolder.Write("script.replay", scriptText);
    return RunScriptFile((scriptFolder.Path() / "script.replay").string());
}

std::vector<TraceRow> GoalRows(const std::vector<TraceRow>& rows) {
    std::vector<TraceRow> goals;
    for (size_t k = 1; k < rows.size(); ++k) {
        if (rows[k].scene == SCENE_PLAY && rows[k].goal && !rows[k - 1].goal) {
            goals.push_back(rows[k]);
        }
    }
    return goals;
}
