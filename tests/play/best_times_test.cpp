// The best-time table: reading ./besttime.dat, records on the goal, and writing the file back.
#include "play_fixture.h"

#ifndef _WIN32
#include "tests/support/file_size_limit.h"
#endif

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

// A file the player edited or that was damaged: every entry still reads, a bad one as "no record"
// (9999), and what the game writes back is a clean table again.
struct DamagedFile {
    const char* content;
    std::vector<int> times;
};

// Names a case by its file, so a failure says which one.
void PrintTo(const DamagedFile& file, std::ostream* out) {
    *out << ::testing::PrintToString(std::string(file.content));
}

class DamagedBestTimes : public BestTimes, public ::testing::WithParamInterface<DamagedFile> {
    const char* BestTimeFile() const override { return GetParam().content; }
};

TEST_P(DamagedBestTimes, EveryEntryReadsAndABadOneMeansNoRecord) {
    Tick();
    EXPECT_EQ(std::vector<int>(app->bestTimes, app->bestTimes + 10), GetParam().times);
    EXPECT_EQ(app->WriteBestTimes(), 1);
    EXPECT_EQ(BestTimeText(), BestTimeLines(GetParam().times));
}

constexpr int NO = 9999;  // no record
INSTANTIATE_TEST_SUITE_P(
    Files, DamagedBestTimes,
    ::testing::Values(
        // Spaces, blank lines and a bad word in the middle.
        DamagedFile{"5dc 190\n\n  18f\nzz\n7\n", {1500, 400, 399, NO, 7, NO, NO, NO, NO, NO}},
        DamagedFile{"15b\nzz\n5dc\n5dc\n5dc\n5dc\n5dc\n5dc\n5dc\n5dc\n",
                    {347, NO, 1500, 1500, 1500, 1500, 1500, 1500, 1500, 1500}},
        // No time a stage can take: negative, 0, above 9999, beyond an int, a number with a tail.
        DamagedFile{"-1\n0\n2710\n80000000\nffffffff\n12x\n0x1F\n+a\n270f\n1\n",
                    {NO, NO, NO, NO, NO, NO, 31, 10, 9999, 1}},
        DamagedFile{"", {NO, NO, NO, NO, NO, NO, NO, NO, NO, NO}},
        DamagedFile{"5 6 7\n", {5, 6, 7, NO, NO, NO, NO, NO, NO, NO}},
        // A word far longer than any number does not run into the next entry.
        DamagedFile{"111111111111111111111111111111111 2\n",
                    {NO, 2, NO, NO, NO, NO, NO, NO, NO, NO}},
        // Anything after the tenth entry is ignored.
        DamagedFile{"1 2 3 4 5 6 7 8 9 a b c\n", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}}));

// The first file of the report: a line -1 was written back as ffffffff and, read again, wiped
// the whole table within two runs.
class NegativeBestTime : public BestTimes {
    const char* BestTimeFile() const override {
        return "-1\n270f\n270f\n270f\n270f\n270f\n270f\n270f\n270f\n270f\n";
    }
};

TEST_F(NegativeBestTime, AClearWritesARecordForTheStageAndNoRecordForTheBadLine) {
    const int time = ReachGoalOfStageOne();
    Tick();
    EXPECT_EQ(app->bestTimes[0], time);
    FinishClear();
    std::vector<int> expected(10, NO);
    expected[0] = time;
    EXPECT_EQ(BestTimeText(), BestTimeLines(expected));
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
    ASSERT_EQ(session->boxes.boxes.size(), 1u);
    EXPECT_EQ(session->boxes.boxes[0].caption, "FileOpenError");
    EXPECT_FALSE(std::filesystem::exists(folder / "besttime.dat.tmp"));
}

#ifndef _WIN32
// A disk that fills up while the table is written: the write fails after the file was opened.
TEST_F(BestTimes, AWriteThatFailsAfterOpeningShowsTheBoxAndKeepsTheOldFile) {
    Tick();
    const std::string before = BestTimeText();
    {
        FileSizeLimit full(4);  // fewer bytes than ten entries take
        EXPECT_EQ(app->WriteBestTimes(), 0);
    }
    ASSERT_EQ(session->boxes.boxes.size(), 1u);
    EXPECT_EQ(session->boxes.boxes[0].caption, "FileOpenError");
    EXPECT_EQ(BestTimeText(), before);
    EXPECT_FALSE(std::filesystem::exists(folder / "besttime.dat.tmp"));
    EXPECT_EQ(app->closed, 1);
}
#endif

}  // namespace
}  // namespace play_test
