// The replay tool's trace of a short scripted run, against values worked out from the rules.
#include <gtest/gtest.h>

#include <string>

#include "app/key_bits.h"
#include "app/messages.h"
#include "app/scene_numbers.h"
#include "tests/support/run_folder.h"
#include "tests/tools/replay/replay_trace.h"
#include "tools/artgen/settings_files.h"
#include "tools/replay/replay_runner.h"

namespace {

constexpr int TITLE_STEPS_BEFORE_START = 8;
constexpr int INTRO_TICKS = 102;
constexpr int HELD_TILT_TICKS = 6;
// The title: a press then a release per step, the last press followed at once by the space bar.
constexpr int FIRST_PLAY_SCENE_TICK = 2 * TITLE_STEPS_BEFORE_START;
constexpr int FIRST_TILT_TICK = FIRST_PLAY_SCENE_TICK + INTRO_TICKS;

constexpr float TILT_STEP = 0.017453f;
constexpr float SPEED_PER_DEGREE = 0.15f;
constexpr float FRICTION = 0.15f;
constexpr float BOARD_HALF = 47.5f;
constexpr double TOLERANCE = 1e-4;  // the game sums its steps in single precision

std::string ShortScript() {
    std::string script;
    for (int step = 0; step < TITLE_STEPS_BEFORE_START; ++step) {
        script += step == 0 ? "1 up\n" : "1 -\n1 up\n";
    }
    script += "1 space\n";
    script += std::to_string(INTRO_TICKS) + " -\n";
    script += std::to_string(HELD_TILT_TICKS) + " down+right\n";
    return script;
}

ReplayOutcome RunShortScript() {
    return RunScriptText(ShortScript());
}

class ShortRun : public OneReplaySuite<RunShortScript> {
  protected:
    static const TraceRow& Row(int tick) { return outcome->rows.at(tick); }
};

TEST_F(ShortRun, RunsOneRowPerScriptTick) {
    EXPECT_EQ(outcome->exitCode, 1);
    ASSERT_EQ(outcome->rows.size(), static_cast<size_t>(FIRST_TILT_TICK + HELD_TILT_TICKS));
    for (size_t tick = 0; tick < outcome->rows.size(); ++tick) {
        EXPECT_EQ(outcome->rows[tick].tick, static_cast<int64_t>(tick));
    }
}

TEST_F(ShortRun, SkippedTitleHandsOverToPlayOnTheSpaceBar) {
    for (int tick = 0; tick < FIRST_PLAY_SCENE_TICK; ++tick) {
        EXPECT_EQ(Row(tick).scene, SCENE_TITLE) << "tick " << tick;
    }
    EXPECT_EQ(Row(0).bits, KEY_BIT_UP);
    EXPECT_EQ(Row(1).bits, 0);
    EXPECT_EQ(Row(FIRST_PLAY_SCENE_TICK - 1).bits, KEY_BIT_FIFTH);  // the space bar, as shipped
    // The first play tick loads the scene and runs the first intro tick, which builds stage 1.
    const TraceRow& first = Row(FIRST_PLAY_SCENE_TICK);
    EXPECT_EQ(first.scene, SCENE_PLAY);
    EXPECT_EQ(first.stage, 1);
    EXPECT_EQ(first.lives, 10);
    EXPECT_EQ(first.phase, 1);
    EXPECT_EQ(first.playing, 0);
    EXPECT_EQ(first.time, 0);
}

TEST_F(ShortRun, StageOneStartIsClampedOntoTheBoardDuringTheIntro) {
    // Stored at z 52.5, one cell above row 0; the intro's motion clamps it to row 0's centre.
    const TraceRow& first = Row(FIRST_PLAY_SCENE_TICK);
    EXPECT_DOUBLE_EQ(first.x, -BOARD_HALF);
    EXPECT_DOUBLE_EQ(first.z, BOARD_HALF);
    const TraceRow& lastIntro = Row(FIRST_TILT_TICK - 1);
    EXPECT_EQ(lastIntro.playing, 1);
    EXPECT_EQ(lastIntro.phase, 0);
    EXPECT_EQ(lastIntro.time, 0);
    EXPECT_DOUBLE_EQ(lastIntro.z, BOARD_HALF);
    EXPECT_DOUBLE_EQ(lastIntro.rotationX, 0);
}

TEST_F(ShortRun, HeldTiltGrowsADegreeATickAndRollsTheBallFromTheSecondDegree) {
    // Down lowers the X angle and rolls the ball towards -z; right lowers the Z angle and rolls it
    // towards +x. A tilt of k degrees rolls (k - 1) x 0.15 a tick: the step less one of friction.
    float angle = 0;
    float rolled = 0;
    for (int k = 1; k <= HELD_TILT_TICKS; ++k) {
        const TraceRow& row = Row(FIRST_TILT_TICK + k - 1);
        angle -= TILT_STEP;
        rolled += k * SPEED_PER_DEGREE - FRICTION;
        EXPECT_EQ(row.bits, KEY_BIT_DOWN | KEY_BIT_RIGHT);
        EXPECT_EQ(row.time, k);
        EXPECT_NEAR(row.rotationX, angle, TOLERANCE) << "tick " << k;
        EXPECT_NEAR(row.rotationZ, angle, TOLERANCE) << "tick " << k;
        EXPECT_NEAR(row.x, -BOARD_HALF + rolled, TOLERANCE) << "tick " << k;
        EXPECT_NEAR(row.z, BOARD_HALF - rolled, TOLERANCE) << "tick " << k;
    }
    // One degree leaves the ball standing.
    EXPECT_DOUBLE_EQ(Row(FIRST_TILT_TICK).z, BOARD_HALF);
}

}  // namespace

// Escape reaches the game as one key press however long the script holds it, so each hold asks
// the quit question once; answered No, the game plays on.
TEST(ReplayEscape, AHoldOfOneTickOrSeveralAsksTheQuitQuestionOnce) {
    ScratchDirectory folder;
    folder.Write("setup.ini", artgen::SetupIniText());
    folder.Write("besttime.dat", SLOWEST_BEST_TIMES);
    folder.Write("script.replay", "5 -\n1 esc\n5 -\n4 esc\n5 -\n");
    ReplayOptions options;
    options.directory = folder.Path().string();
    options.scriptFile = (folder.Path() / "script.replay").string();
    options.answerYes = false;

    ::testing::internal::CaptureStderr();
    RunReplay(options);
    const std::string printed = ::testing::internal::GetCapturedStderr();
    const std::string question = std::string("[") + CAPTION_CONFIRM_QUIT + "]";
    int questions = 0;
    for (size_t at = printed.find(question); at != std::string::npos;
         at = printed.find(question, at + 1)) {
        ++questions;
    }
    EXPECT_EQ(questions, 2) << printed;
}
