// The replay scripts the solver writes, section by section.
#include "tools/solver/game_plan.h"

#include <string>

#include "play/stage_maps.h"
#include "tools/artgen/settings_files.h"
#include "tools/solver/game_script.h"

namespace {

std::string Ticks(size_t count) {
    return std::to_string(count) + " ticks";
}

std::string Stage(int stage) {
    return "Stage " + std::to_string(stage) + ": ";
}

// Each configured-key press skips exactly one title step, so it is held one tick and released
// the next; the space bar then starts play in the first tick of step 8.
void SkipTitle(ReplayScript& script) {
    script.Comment("Title: the up key (a configured key) pressed for one tick and released for");
    script.Comment("one tick, eight times; each press skips one of the steps 0 to 7.");
    for (int step = 0; step < TITLE_SKIPPED_STEPS; ++step) {
        if (step > 0) {
            script.Release(1);
        }
        script.Append(1, {artgen::VK_CODE_UP});
    }
    script.Comment("Title step 8 begins: the space bar starts play.");
    script.Append(1, {artgen::VK_CODE_SPACE});
}

// The play scene's first tick of a stage builds it (the very first also loads the scene).
void Intro(ReplayScript& script, int stage) {
    script.Comment(Stage(stage) + "the intro, " + Ticks(INTRO_TICKS) + " from the stage's build.");
    script.Release(INTRO_TICKS);
}

// Returns the tick of the last input, in which the ball is caught.
int64_t PlayInputs(ReplayScript& script, const std::string& what, const std::vector<int>& bits) {
    script.Comment(what + ", " + Ticks(bits.size()) + ".");
    PlayBits(script, bits);
    return script.Length() - 1;
}

void Clear(ReplayScript& script, int stage) {
    script.Comment(
        Stage(stage) + "the clear, " + Ticks(CLEAR_TICKS) +
        (stage < STAGE_COUNT ? "; the next intro follows." : "; the ending runs in it."));
    script.Release(CLEAR_TICKS);
}

void TitleAgain(ReplayScript& script, PlannedScript& plan) {
    plan.milestones.titleReturnTick = script.Length() - 1;
    script.Comment("Back at the title, which plays its steps.");
    script.Release(TITLE_TICKS_AFTERWARDS);
}

}  // namespace

ReplayScript StageScript(int stage, const std::vector<int>& bits) {
    ReplayScript script;
    script.Comment("Gorvanti, stage " + std::to_string(stage) +
                   ": the keys that roll the ball from its start to a goal.");
    script.Comment("Not a script from program start: tick 0 is the stage's first tick of play,");
    script.Comment("the first tick that begins with `playing` 1 (the 103rd tick from the stage's");
    script.Comment("build; the timer shows 1 after it). The ball reaches the goal in the last");
    script.Comment("tick, so the stage time is the script's length: " + Ticks(bits.size()) + ".");
    PlayBits(script, bits);
    return script;
}

PlannedScript FullGameScript(const std::vector<std::vector<int>>& solutions) {
    PlannedScript plan;
    ReplayScript& script = plan.script;
    script.Comment("Gorvanti: a whole game from program start, every stage cleared, no ball lost.");
    SkipTitle(script);
    for (int stage = 1; stage <= static_cast<int>(solutions.size()); ++stage) {
        Intro(script, stage);
        plan.milestones.goalTicks.push_back(
            PlayInputs(script, Stage(stage) + "play to the goal", solutions[stage - 1]));
        Clear(script, stage);
    }
    TitleAgain(script, plan);
    return plan;
}

PlannedScript GameOverScript(const std::vector<int>& stageOne, const std::vector<int>& holeRun) {
    PlannedScript plan;
    ReplayScript& script = plan.script;
    script.Comment("Gorvanti: a game lost; stage 1 has no hole, so it is cleared and the ten");
    script.Comment("balls are rolled into a hole of stage 2 one after another.");
    SkipTitle(script);
    Intro(script, 1);
    plan.milestones.goalTicks.push_back(
        PlayInputs(script, Stage(1) + "play to the goal", stageOne));
    Clear(script, 1);
    Intro(script, HOLE_STAGE);
    for (int ball = 1; ball <= START_LIVES; ++ball) {
        PlayInputs(script,
                   Stage(HOLE_STAGE) + "ball " + std::to_string(ball) + " rolled into a hole",
                   holeRun);
        script.Comment(Stage(HOLE_STAGE) + "ball " + std::to_string(ball) + " falls, " +
                       Ticks(FALL_TICKS) +
                       (ball < START_LIVES ? "; it comes back at the start." : "; the last one."));
        script.Release(FALL_TICKS);
        plan.milestones.lossTicks.push_back(script.Length() - 1);
    }
    script.Comment("The game over, " + Ticks(GAME_OVER_TICKS) + ".");
    script.Release(GAME_OVER_TICKS);
    TitleAgain(script, plan);
    return plan;
}
