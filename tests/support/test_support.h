// Scaffolding shared by the test programs: a scratch working directory and a game on the headless
// backends.
#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "app/game_app.h"
#include "platform/backends.h"
#include "platform/headless/headless.h"
#include "platform/headless/recording_device.h"

// A fresh empty directory that is the working directory for the object's lifetime.
class ScratchDirectory {
  public:
    ScratchDirectory();
    ~ScratchDirectory();
    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;

    const std::filesystem::path& Path() const { return path; }
    void Write(const std::string& name, const std::string& content) const;
    std::string Read(const std::string& name) const;
    bool Exists(const std::string& name) const;
    // Copies the generated art of the build's run folder into ./graphics; false when there is none.
    bool CopyArt() const;

  private:
    std::filesystem::path previous;
    std::filesystem::path path;
};

// The arrow keys as shipped, and ten best times of 9999.
extern const char* const ARROW_KEYS_SETUP;
extern const char* const SLOWEST_BEST_TIMES;

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
