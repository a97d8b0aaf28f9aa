// Scaffolding shared by the test programs: a scratch working directory and a game on the headless
// backends.
#pragma once

#include <memory>
#include <string>

#include "app/game_app.h"
#include "platform/headless/headless.h"
#include "platform/headless/recording_device.h"
#include "platform/win32/backends.h"
#include "tests/support/run_folder.h"

enum class Device { Recording, Null };

// A GameApp on the headless clock, keyboard, message boxes and windows, in a scratch working
// directory holding setup.ini and besttime.dat, drawing on a recording (or null) device.
class HeadlessGame {
  public:
    explicit HeadlessGame(Device device = Device::Recording, bool withArt = false);
    ~HeadlessGame();

    // The start-up sequence without entering the loop; returns what the failing step returned.
    int StartUpWithoutLoop();
    // One pass of the loop's idle work until exactly one scene tick has run, with `keys` held at
    // every key sample before it.
    void RunTick(std::initializer_list<int> keys = {});
    void RunTicks(int count, std::initializer_list<int> keys = {});

    platform::headless::Session session;
    platform::headless::CallLog log;
    ScratchDirectory directory;
    std::unique_ptr<GameApp> app;
};
