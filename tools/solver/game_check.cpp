// Checks a run of the whole game against its script's milestones.
#include "tools/solver/game_check.h"

#include <cstdio>

#include "app/scene_numbers.h"
#include "play/stage_maps.h"

namespace {

class Problems {
  public:
    explicit Problems(std::string& text) : text(text) { text.clear(); }
    void Expect(bool condition, const std::string& what) {
        if (!condition) {
            text += "  " + what + "\n";
        }
    }
    bool None() const { return text.empty(); }

  private:
    std::string& text;
};

std::string At(int64_t tick) {
    return "tick " + std::to_string(tick) + ": ";
}

bool InRun(const GameRun& run, int64_t tick) {
    return tick >= 0 && tick < static_cast<int64_t>(run.ticks.size());
}

// The first tick of the run at which the ball reaches a goal of `stage`. (The clear goes on with
// the next stage's number once its banners show.)
int64_t FirstGoalTick(const GameRun& run, int stage) {
    for (size_t tick = 1; tick < run.ticks.size(); ++tick) {
        const TickRecord& record = run.ticks[tick];
        if (record.sceneRun == SCENE_PLAY && record.stage == stage && record.goalReached &&
            !run.ticks[tick - 1].goalReached) {
            return static_cast<int64_t>(tick);
        }
    }
    return -1;
}

void CheckGoal(const GameRun& run, Problems& problems, int stage, int64_t expectedTick,
               size_t expectedTime) {
    const int64_t tick = FirstGoalTick(run, stage);
    problems.Expect(tick == expectedTick, "stage " + std::to_string(stage) +
                                              " reached the goal at " + At(tick) + "expected " +
                                              At(expectedTick));
    if (InRun(run, tick)) {
        problems.Expect(run.ticks[tick].time == static_cast<int>(expectedTime),
                        At(tick) + "stage time " + std::to_string(run.ticks[tick].time) +
                            ", expected " + std::to_string(expectedTime));
    }
}

void CheckTitleReturn(const GameRun& run, Problems& problems, int64_t expectedTick) {
    problems.Expect(InRun(run, expectedTick) && run.ticks[expectedTick].sceneRun == SCENE_PLAY &&
                        run.ticks[expectedTick].nextScene == SCENE_TITLE,
                    At(expectedTick) + "the play scene should return to the title");
    problems.Expect(!run.ticks.empty() && run.ticks.back().sceneRun == SCENE_TITLE,
                    "the run should end in the title scene");
}

std::string BestTimeLines(const std::vector<std::vector<int>>& solutions) {
    std::string text;
    for (const std::vector<int>& bits : solutions) {
        char line[16];
        std::snprintf(line, sizeof line, "%zx\n", bits.size());
        text += line;
    }
    return text;
}

}  // namespace

bool CheckFullGame(const GameRun& run, const PlannedScript& plan,
                   const std::vector<std::vector<int>>& solutions, std::string& text) {
    Problems problems(text);
    for (int stage = 1; stage <= static_cast<int>(solutions.size()); ++stage) {
        CheckGoal(run, problems, stage, plan.milestones.goalTicks[stage - 1],
                  solutions[stage - 1].size());
    }
    bool lostBall = false;
    for (const TickRecord& record : run.ticks) {
        lostBall = lostBall || (record.sceneRun == SCENE_PLAY && record.lives != START_LIVES);
    }
    problems.Expect(!lostBall, "a ball was lost");
    CheckTitleReturn(run, problems, plan.milestones.titleReturnTick);
    if (InRun(run, plan.milestones.titleReturnTick)) {
        problems.Expect(run.ticks[plan.milestones.titleReturnTick].stage == STAGE_COUNT + 1,
                        "the game should leave play after stage 10");
    }
    problems.Expect(
        run.bestTimeFile == BestTimeLines(solutions),
        "besttime.dat holds\n" + run.bestTimeFile + "expected\n" + BestTimeLines(solutions));
    return problems.None();
}

bool CheckGameOver(const GameRun& run, const PlannedScript& plan, size_t stageOneTicks,
                   std::string& text) {
    Problems problems(text);
    CheckGoal(run, problems, 1, plan.milestones.goalTicks[0], stageOneTicks);
    int lives = START_LIVES;
    for (int64_t tick : plan.milestones.lossTicks) {
        --lives;
        problems.Expect(InRun(run, tick) && run.ticks[tick].lives == lives &&
                            (tick == 0 || run.ticks[tick - 1].lives == lives + 1),
                        At(tick) + "a ball should be lost, leaving " + std::to_string(lives));
    }
    const int64_t last = plan.milestones.lossTicks.empty() ? -1 : plan.milestones.lossTicks.back();
    problems.Expect(InRun(run, last) && run.ticks[last].gameOver == 1,
                    At(last) + "the game should be over");
    CheckTitleReturn(run, problems, plan.milestones.titleReturnTick);
    problems.Expect(!run.ticks.empty() && run.ticks.back().lives == 0,
                    "the title should follow a game with no ball left");
    return problems.None();
}
