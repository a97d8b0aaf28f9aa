// The application object: start-up and exit codes, the tick clock, the quit question.
#include "app/game_app.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <ostream>

#include "app/key_bits.h"
#include "tests/support/test_support.h"

namespace {

constexpr int64_t FREQUENCY = 10'000'000;
constexpr int64_t PERIOD = FREQUENCY / 25;

// Frames begun and frames presented so far.
struct Drawn {
    size_t frames;
    size_t presents;
    bool operator==(const Drawn&) const = default;
    friend void PrintTo(const Drawn& drawn, std::ostream* out) {
        *out << drawn.frames << " frames, " << drawn.presents << " presents";
    }
};

// A game whose clock stands still unless the test moves it.
class ClockTest : public ::testing::Test {
  protected:
    HeadlessGame game;

    void SetUp() override {
        ASSERT_EQ(game.StartUpWithoutLoop(), 1);
        game.session.clock.step = 0;
        game.session.clock.counter = game.app->nextDue;
        game.log.Clear();
    }

    size_t Frames() const { return game.log.Count("BeginScene"); }
    size_t Presents() const { return game.log.Count("Present"); }
    Drawn Counts() const { return {Frames(), Presents()}; }
    void SetClock(int64_t counter) { game.session.clock.counter = counter; }
};

}  // namespace

TEST(GameAppConstruction, PeriodIsTheFrequencyOverTwentyFiveTruncated) {
    platform::headless::Session session;
    session.clock.frequency = 1'000'024;
    session.clock.counter = 777;
    GameApp app;
    EXPECT_EQ(app.hasPerfCounter, 1);
    EXPECT_EQ(app.period, 40'000u);
    EXPECT_EQ(app.nextDue, 777);
    EXPECT_EQ(app.scene, SCENE_TITLE);
    EXPECT_EQ(app.tickPending, 1);
    EXPECT_EQ(app.keyState.bits, 0);
}

TEST(GameAppConstruction, WithoutAPerformanceCounterTheMillisecondClockPacesTheGame) {
    platform::headless::Session session;
    session.clock.hasPerformanceCounter = false;
    session.clock.milliseconds = 5000;
    GameApp app;
    EXPECT_EQ(app.hasPerfCounter, 0);
    EXPECT_EQ(app.period, 40u);
    EXPECT_EQ(app.nextDue, 5000);
}

TEST_F(ClockTest, TheFirstIdleTicksAndDrawsBeforeAnythingIsPresented) {
    EXPECT_EQ(game.app->Idle(), 1);
    EXPECT_EQ(Counts(), (Drawn{1, 0}));
    EXPECT_EQ(game.app->tickPending, 0);
    // Nothing is due yet: further calls neither tick nor present.
    game.app->Idle();
    EXPECT_EQ(Counts(), (Drawn{1, 0}));
}

TEST_F(ClockTest, FramesArePresentedOnASteadyBeatOneTickPerPresent) {
    int64_t start = game.app->nextDue;
    game.app->Idle();
    for (int beat = 1; beat <= 5; ++beat) {
        SetClock(start + (beat - 1) * PERIOD);  // exactly due is not yet past due
        game.app->Idle();
        EXPECT_EQ(Presents(), static_cast<size_t>(beat - 1));
        SetClock(start + (beat - 1) * PERIOD + 1);
        game.app->Idle();
        EXPECT_EQ(Presents(), static_cast<size_t>(beat));
        EXPECT_EQ(game.app->nextDue, start + beat * PERIOD);
        // The present armed exactly one tick, run by the next call.
        EXPECT_EQ(Frames(), static_cast<size_t>(beat));
        game.app->Idle();
        EXPECT_EQ(Frames(), static_cast<size_t>(beat + 1));
    }
}

TEST_F(ClockTest, AfterAStallTheBeatRestartsFromNowWithoutCatchingUp) {
    int64_t start = game.app->nextDue;
    game.app->Idle();
    SetClock(start + 10 * PERIOD);
    game.app->Idle();
    EXPECT_EQ(Presents(), 1u);
    EXPECT_EQ(game.app->nextDue, start + 11 * PERIOD);
    // One tick, not ten, follows.
    game.app->Idle();
    game.app->Idle();
    EXPECT_EQ(Counts(), (Drawn{2, 1}));
}

TEST_F(ClockTest, ALateTickIsPresentedInTheSameCallAndTheBeatAdvancesByOnePeriod) {
    int64_t start = game.app->nextDue;
    game.app->Idle();
    SetClock(start + 1);
    game.app->Idle();  // present 1
    SetClock(start + PERIOD + PERIOD / 2);
    game.app->Idle();  // the tick owed and, being past due, its present
    EXPECT_EQ(Counts(), (Drawn{2, 2}));
    EXPECT_EQ(game.app->nextDue, start + 2 * PERIOD);
}

TEST_F(ClockTest, ATickReturningQuitIsDrawnAndPresentedAndTheNextIdleEndsTheLoop) {
    // The play scene quits when it cannot read the best times.
    std::filesystem::remove(game.directory.Path() / "besttime.dat");
    game.app->scene = SCENE_PLAY;
    SetClock(game.app->nextDue + 1);
    EXPECT_EQ(game.app->Idle(), 1);
    EXPECT_EQ(game.app->scene, SCENE_QUIT);
    EXPECT_EQ(Counts(), (Drawn{1, 1}));
    EXPECT_EQ(game.app->Idle(), 0);
    EXPECT_EQ(Frames(), 1u);
}

// The millisecond counter wraps after 49.7 days of uptime; the beat goes on across the wrap.
TEST_F(ClockTest, TheMillisecondClockKeepsItsBeatAcrossTheCounterWrap) {
    constexpr uint32_t BEFORE_WRAP = 0xFFFFFF00;  // 256 ms before the wrap
    constexpr uint32_t RUN_MILLISECONDS = 0x500;  // ends 1024 ms after the wrap
    game.session.clock.hasPerformanceCounter = false;
    game.session.clock.milliseconds = BEFORE_WRAP;
    // What construction on this clock would have set.
    game.app->hasPerfCounter = 0;
    game.app->period = 40;
    game.app->nextDue = BEFORE_WRAP;
    while (static_cast<uint32_t>(game.session.clock.milliseconds - BEFORE_WRAP) <
           RUN_MILLISECONDS) {
        game.app->Idle();
    }
    // 1280 ms at one present every 40 ms, give or take the first and the last.
    EXPECT_GE(Presents(), 31u);
    EXPECT_LE(Presents(), 33u);
}

TEST_F(ClockTest, KeysHeldOnlyBetweenTwoTicksReachTheNextTick) {
    // In play the bits show in the tilt: with both keys of the up-down pair reaching one tick,
    // the board tilts one step (0.017453) towards the top; the second key alone would tilt it the
    // other way, no key would leave it level.
    constexpr int INTRO_TICKS = 102;
    constexpr double TILT_STEP = 0.017453;
    game.app->scene = SCENE_PLAY;
    for (int tick = 1; tick < INTRO_TICKS; ++tick) {
        SetClock(game.app->nextDue + 1);
        game.app->Idle();  // a tick and its present
    }
    game.app->Idle();  // the last tick of the intro, not yet presented
    ASSERT_EQ(game.app->playing, 1);
    ASSERT_EQ(game.app->instances[0].rotationX, 0.0f);

    game.session.keyboard.held = {VK_UP};
    game.app->Idle();
    game.session.keyboard.held = {VK_DOWN};
    game.app->Idle();
    game.session.keyboard.held = {};
    EXPECT_EQ(game.app->keyState.bits, KEY_BIT_UP | KEY_BIT_DOWN);
    SetClock(game.app->nextDue + 1);
    game.app->Idle();  // present
    game.app->Idle();  // the tick takes the bits and clears them
    EXPECT_NEAR(game.app->instances[0].rotationX, TILT_STEP, 1e-6);
    EXPECT_EQ(game.app->keyState.bits, 0);
}

namespace {

// The whole start-up with the loop, on the headless backends.
class StartUpTest : public ::testing::Test {
  protected:
    HeadlessGame game;
    int pumps = 0;

    // Runs StartUp; `atPump` is called with the number of every pump of the message loop.
    int StartUp(std::function<void(int)> atPump = {}) {
        game.session.windows.onPump = [this, atPump] {
            ++pumps;
            if (atPump) {
                atPump(pumps);
            }
        };
        return game.app->StartUp(GetModuleHandleA(NULL));
    }

    HWND Window() const { return game.app->hwnd; }
};

}  // namespace

TEST_F(StartUpTest, WithoutSetupIniTheGameEndsWithTheFileBoxAndNoWindow) {
    std::filesystem::remove(game.directory.Path() / "setup.ini");
    EXPECT_EQ(StartUp(), 0);
    ASSERT_EQ(game.session.boxes.boxes.size(), 1u);
    EXPECT_EQ(game.session.boxes.boxes[0].text, "ファイルのオープンに失敗しました。");
    EXPECT_EQ(game.session.boxes.boxes[0].caption, "FileOpenError");
    EXPECT_TRUE(game.session.windows.created.empty());
}

TEST_F(StartUpTest, AFailedClassRegistrationOrWindowShowsTheWinInitBox) {
    game.session.windows.failRegistration = true;
    EXPECT_EQ(StartUp(), 0);
    ASSERT_EQ(game.session.boxes.boxes.size(), 1u);
    EXPECT_EQ(game.session.boxes.boxes[0].text, "ウィンドウクラスの登録に失敗しました。");
    EXPECT_EQ(game.session.boxes.boxes[0].caption, "WinInit");
}

TEST_F(StartUpTest, AFailedWindowCreationShowsTheWinInitBox) {
    game.session.windows.failCreation = true;
    EXPECT_EQ(StartUp(), 0);
    ASSERT_EQ(game.session.boxes.boxes.size(), 1u);
    EXPECT_EQ(game.session.boxes.boxes[0].text, "ウィンドウの作成に失敗しました。");
}

TEST_F(StartUpTest, WithoutDirect3DTheErrorBoxShowsAndTheWindowIsNeverShown) {
    platform::SetDirect3DFactory([]() -> IDirect3D9* { return nullptr; });
    EXPECT_EQ(StartUp(), 0);
    ASSERT_EQ(game.session.boxes.boxes.size(), 1u);
    EXPECT_EQ(game.session.boxes.boxes[0].text, "DirectX 9.0b以上をインストールして下さい。");
    EXPECT_EQ(game.session.boxes.boxes[0].caption, "Error");
    ASSERT_EQ(game.session.windows.created.size(), 1u);
    EXPECT_FALSE(game.session.windows.IsVisible(game.session.windows.created[0]));
}

TEST_F(StartUpTest, TheCloseBoxAsksAndYesQuitsWithExitCodeOne) {
    game.session.boxes.answers = {IDYES};
    EXPECT_EQ(StartUp([this](int pump) {
                  if (pump == 50) {
                      game.session.windows.InjectClose(Window());
                  }
              }),
              1);
    ASSERT_EQ(game.session.boxes.boxes.size(), 1u);
    const auto& box = game.session.boxes.boxes[0];
    EXPECT_EQ(box.text, "ゲームを終了しますか？");
    EXPECT_EQ(box.caption, "Select");
    EXPECT_EQ(box.type, static_cast<UINT>(MB_YESNO));
    EXPECT_EQ(box.owner, Window());
    EXPECT_EQ(game.session.windows.lastCaption, "Gorvanti Version 2.0");
    EXPECT_EQ(game.session.windows.lastClientWidth, 640);
    EXPECT_EQ(game.session.windows.lastClientHeight, 480);
}

TEST_F(StartUpTest, EscapeAsksAndNoCarriesOnUntilYes) {
    game.session.boxes.answers = {IDNO, IDYES};
    size_t framesAtNo = 0;
    EXPECT_EQ(StartUp([&](int pump) {
                  if (pump == 50) {
                      game.session.windows.InjectKeyDown(Window(), VK_ESCAPE);
                  } else if (pump == 60) {
                      framesAtNo = game.log.Count("BeginScene");
                  } else if (pump == 5000) {
                      game.session.windows.InjectKeyDown(Window(), VK_ESCAPE);
                  }
              }),
              1);
    EXPECT_EQ(game.session.boxes.boxes.size(), 2u);
    // After No the game went on ticking.
    EXPECT_GT(game.log.Count("BeginScene"), framesAtNo);
}

TEST_F(StartUpTest, OtherKeyMessagesDoNothing) {
    // The space bar is a configured key: had its message counted as a press, the title would
    // have skipped its first step; had any key asked to quit, a box would show before the close.
    constexpr int KEYS_PUMP = 10;
    constexpr int CLOSE_PUMP = 3000;  // several ticks after the key messages
    size_t boxesBeforeClose = 0;
    size_t framesBeforeClose = 0;
    int stateBeforeClose = -1;
    EXPECT_EQ(StartUp([&](int pump) {
                  if (pump == KEYS_PUMP) {
                      game.session.windows.InjectKeyDown(Window(), VK_SPACE);
                      game.session.windows.InjectKeyDown(Window(), 'A');
                  } else if (pump == CLOSE_PUMP) {
                      boxesBeforeClose = game.session.boxes.boxes.size();
                      framesBeforeClose = game.log.Count("BeginScene");
                      stateBeforeClose = game.app->TitleScene::state;
                      game.session.windows.InjectClose(Window());
                  }
              }),
              1);
    EXPECT_EQ(boxesBeforeClose, 0u);
    EXPECT_GT(framesBeforeClose, 2u);
    EXPECT_EQ(stateBeforeClose, FadeInUpper);
    ASSERT_EQ(game.session.boxes.boxes.size(), 1u);
    EXPECT_EQ(game.session.boxes.boxes[0].caption, "Select");
}

TEST_F(StartUpTest, ASetupIniThatIsAFolderEndsTheGameWithTheFileBoxAndNoWindow) {
    std::filesystem::remove(game.directory.Path() / "setup.ini");
    std::filesystem::create_directory(game.directory.Path() / "setup.ini");
    EXPECT_EQ(StartUp(), 0);
    ASSERT_EQ(game.session.boxes.boxes.size(), 1u);
    EXPECT_EQ(game.session.boxes.boxes[0].caption, "FileOpenError");
    EXPECT_TRUE(game.session.windows.created.empty());
}

// Only a quit the player confirmed ends with 1, whatever message the loop saw last.
TEST_F(StartUpTest, AFailingSceneEndsTheGameWithExitCodeZero) {
    std::filesystem::remove(game.directory.Path() / "besttime.dat");
    game.app->scene = SCENE_PLAY;
    EXPECT_EQ(StartUp(), 0);
    ASSERT_EQ(game.session.boxes.boxes.size(), 1u);
    EXPECT_EQ(game.session.boxes.boxes[0].caption, "FileOpenError");
}

// A signal (SIGTERM, SIGINT) reaches the platform as a termination request: the game quits as if
// the player had said Yes, even though this player would say No.
TEST_F(StartUpTest, ATerminationRequestQuitsAsAConfirmedQuit) {
    game.session.boxes.answerer = [](const platform::headless::RecordedBox&) { return IDNO; };
    EXPECT_EQ(StartUp([](int pump) {
                  if (pump == 50) {
                      platform::RequestTermination();
                  } else if (pump == 20000) {
                      PostQuitMessage(7);  // still running: fail instead of hanging
                  }
              }),
              1);
    EXPECT_TRUE(game.session.boxes.boxes.empty());
}

TEST_F(StartUpTest, TheWindowChainAloneShowsItsWindowBeforeTheLoop) {
    game.session.boxes.answers = {IDYES};
    bool visibleInTheLoop = false;
    game.session.windows.onPump = [&] {
        if (++pumps == 1) {
            visibleInTheLoop = game.session.windows.IsVisible(Window());
            game.session.windows.InjectClose(Window());
        }
    };
    EXPECT_EQ(game.app->AppWindow::Start(GetModuleHandleA(NULL)), 1);
    EXPECT_TRUE(visibleInTheLoop);
}

TEST_F(StartUpTest, AQuitMessageWaitingBeforeTheLoopEndsItBeforeTheFirstIdle) {
    ASSERT_EQ(game.StartUpWithoutLoop(), 1);
    game.log.Clear();
    PostQuitMessage(5);
    EXPECT_EQ(game.app->Run(), 5);
    EXPECT_EQ(game.log.Count("BeginScene"), 0u);
}
