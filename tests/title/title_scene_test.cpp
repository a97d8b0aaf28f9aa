// TitleScene::Tick and AdvanceTimer: the order of the steps, skipping, and the hand-over to play.
#include <gtest/gtest.h>

#include "title_fixture.h"

namespace title_test {
namespace {

using TitleSequence = TitleFixture;

TEST_F(TitleSequence, StepsFollowEachOtherWithTheirLengths) {
    // Each step lasts its limit plus one tick.
    const int lengths[8] = {51, 51, 51, 51, 26, 37, 181, 123};
    Tick();
    for (int step = 0; step < 8; ++step) {
        EXPECT_EQ(State(), step);
        // The first tick of the step has run (for step 0 inside the loading tick).
        Ticks(lengths[step] - 2);
        EXPECT_EQ(State(), step) << "step " << step << " ended early";
        Tick();
        EXPECT_EQ(State(), step + 1) << "step " << step << " did not end";
        EXPECT_EQ(Counter(), 0);
        if (step < 7) {
            Tick();
        }
    }
}

TEST_F(TitleSequence, WaitForStartBeginsAfter571TicksWithoutKeys) {
    Ticks(TICKS_BEFORE_WAIT_FOR_START - 1);
    EXPECT_EQ(State(), LettersHop);
    EXPECT_EQ(Tick(), SCENE_TITLE);
    EXPECT_EQ(State(), WaitForStart);
    // No limit: it waits for ever.
    Ticks(500);
    EXPECT_EQ(State(), WaitForStart);
    EXPECT_EQ(app->TitleScene::loaded, 1);
}

TEST_F(TitleSequence, AHeldKeySkipsExactlyOneStep) {
    // Load sets keysReleased, so a key down at the loading tick skips step 0 at once.
    Tick(0x04);
    EXPECT_EQ(State(), FadeInLower);
    EXPECT_EQ(Counter(), 0);
    EXPECT_EQ(app->keysReleased, 0);

    Ticks(20, 0x04);  // still held: step 1 runs normally
    EXPECT_EQ(State(), FadeInLower);
    EXPECT_EQ(Counter(), 20);

    Tick();  // released for one tick
    EXPECT_EQ(app->keysReleased, 1);
    EXPECT_EQ(Counter(), 21);
    Tick(0x08);  // pressed again: a different key counts just the same
    EXPECT_EQ(State(), HoldPicture);
    EXPECT_EQ(Counter(), 0);
}

TEST_F(TitleSequence, AKeyStillHeldFromPlaySkipsStepZero) {
    Tick();
    app->TitleScene::loaded = 0;  // as after the hand-over, with a key held at the last tick
    app->keysReleased = 0;
    Tick(0x01);
    EXPECT_EQ(State(), FadeInLower);
    EXPECT_EQ(app->sprites[0].colour, 0xFFFFFFFFu);
}

TEST_F(TitleSequence, ConfiguredKeysNeverStartPlay) {
    RunUntilState(WaitForStart);
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(Tick(0x1F), SCENE_TITLE);
        EXPECT_EQ(Tick(), SCENE_TITLE);
    }
    EXPECT_EQ(State(), WaitForStart);
}

TEST_F(TitleSequence, SpaceBeforeTheLastStepNeitherStartsPlayNorSkips) {
    HoldSpace(true);
    for (int tick = 0; tick < TICKS_BEFORE_WAIT_FOR_START; ++tick) {
        ASSERT_EQ(Tick(), SCENE_TITLE) << "tick " << tick;
    }
    EXPECT_EQ(State(), WaitForStart);
    // Held when step 8 begins: play starts at its first tick.
    EXPECT_EQ(Tick(), SCENE_PLAY);
    EXPECT_EQ(app->TitleScene::loaded, 0);
    EXPECT_EQ(State(), FadeInUpper);
    EXPECT_EQ(Counter(), 0);
    EXPECT_EQ(app->keysReleased, 1);
}

TEST_F(TitleSequence, SpaceIsSampledOnlyAtTheTick) {
    // Through the application's loop: the space bar is down at every key sample except those
    // taken while a tick runs, so the title never sees it.
    app->scene = SCENE_TITLE;
    session->keyboard.source = [this](int virtualKey) {
        return virtualKey == VK_SPACE && app->tickPending == 0;
    };
    // One tick per period: every clock read moves one period on.
    session->clock.step = app->period;
    int ticks = 0;
    while (ticks < TICKS_BEFORE_WAIT_FOR_START + 20) {
        if (app->tickPending) {
            ++ticks;
        }
        ASSERT_EQ(app->Idle(), 1);
    }
    EXPECT_EQ(app->scene, SCENE_TITLE);
    EXPECT_EQ(State(), WaitForStart);

    session->keyboard.source = [](int virtualKey) { return virtualKey == VK_SPACE; };
    while (!app->tickPending) {
        app->Idle();
    }
    app->Idle();
    EXPECT_EQ(app->scene, SCENE_PLAY);
}

}  // namespace
}  // namespace title_test
