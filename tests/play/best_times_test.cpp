// The best-time table: reading ./besttime.dat, records on the goal, and writing the file back.
#include "play_fixture.h"

namespace play_test {
namespace {

// Stage 1's goal is caught from 2.5 above its centre on the first tick of play: time 1.
class BestTimes : public PlayFixture {
  protected:
    int ReachGoalOfStageOne() {
        StartStage(1);
        PlaceBall(42.5f, -45.0f);
        Tick();
        EXPECT_EQ(app->goalReached, 1);
        return app->time;
    }

    void FinishClear() {
        for (int tick = 0; tick < 86 && app->goalReached; ++tick) {
            Tick();
        }
    }
};

TEST_F(BestTimes, AFasterFinishIsARecordShownAtOnce) {
    const int time = ReachGoalOfStageOne();
    Tick();  // the first tick on the goal compares
    EXPECT_EQ(app->bestTimes[0], time);
    EXPECT_EQ(SpriteAt(319).visible, 1);
    const float digits[4] = {0, 0, 0, static_cast<float>(time)};
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(SpriteAt(315 + k).cellColumn, digits[k]);
    }
    FinishClear();
    EXPECT_EQ(SpriteAt(319).visible, 0);
}

class EqualBestTime : public BestTimes {
    const char* BestTimeFile() const override { return "1\n2\n3\n4\n5\n6\n7\n8\n9\na\n"; }
};

TEST_F(EqualBestTime, AnEqualTimeIsNoRecordButTheFileIsWrittenAnyway) {
    ASSERT_EQ(ReachGoalOfStageOne(), 1);
    Tick();
    EXPECT_EQ(app->bestTimes[0], 1);
    EXPECT_EQ(SpriteAt(319).visible, 0);
    std::filesystem::remove(folder / "besttime.dat");
    FinishClear();
    EXPECT_EQ(BestTimeText(), BestTimeLines({1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
    EXPECT_FALSE(std::filesystem::exists(folder / "besttime.dat.tmp"));
    EXPECT_EQ(app->closed, 1);
}

class DamagedBestTimes : public BestTimes {
    const char* BestTimeFile() const override { return "5dc 190\n\n  18f\nzz\n7\n"; }
};

TEST_F(DamagedBestTimes, ReadingStopsAtTheFirstBadNumberAndTheRestStayZero) {
    Tick();
    const int expected[10] = {1500, 400, 399, 0, 0, 0, 0, 0, 0, 0};
    for (int k = 0; k < 10; ++k) {
        EXPECT_EQ(app->bestTimes[k], expected[k]) << "stage " << k + 1;
    }
    const float digits[4] = {1, 5, 0, 0};
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(SpriteAt(315 + k).cellColumn, digits[k]);
    }
    // No time is below 0: stage 4 can never set a record, and 0 is written back for it.
    EXPECT_EQ(app->WriteBestTimes(), 1);
    EXPECT_EQ(BestTimeText(), BestTimeLines({1500, 400, 399, 0, 0, 0, 0, 0, 0, 0}));
}

class NoBestTimes : public BestTimes {
    const char* BestTimeFile() const override { return nullptr; }
};

TEST_F(NoBestTimes, AMissingFileEndsTheProgramWithAWarning) {
    EXPECT_EQ(Tick(), SCENE_QUIT);
    ASSERT_EQ(session->boxes.boxes.size(), 1u);
    EXPECT_EQ(session->boxes.boxes[0].caption, "FileOpenError");
    EXPECT_EQ(app->bestTimesRead, 0);
    EXPECT_FALSE(std::filesystem::exists(folder / "besttime.dat"));
}

TEST_F(BestTimes, AFileThatCannotBeWrittenEndsTheProgramAfterTheClear) {
    ReachGoalOfStageOne();
    std::filesystem::remove(folder / "besttime.dat");
    std::filesystem::create_directory(folder / "besttime.dat");
    int result = SCENE_PLAY;
    for (int tick = 0; tick < 86 && result == SCENE_PLAY; ++tick) {
        result = Tick();
    }
    EXPECT_EQ(result, SCENE_QUIT);
    EXPECT_EQ(session->boxes.boxes.size(), 1u);
}

}  // namespace
}  // namespace play_test
