// What every way of replaying shares: the observer that follows the game tick by tick through its
// device, and the start of the game on the devices a factory makes.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/d3d9/device_hooks.h"
#include "platform/win32/backends.h"
#include "tools/replay/replay_runner.h"
#include "tools/replay/trace_writer.h"

class GameApp;
class ReplayScript;

// Writes the frame the device has just drawn as a PNG file; false when it could not.
using ScreenshotWriter = std::function<bool(IDirect3DDevice9* device, const std::string& fileName)>;

// Follows the game tick by tick through the device: a scene tick is always followed by exactly
// one frame drawn, so frame k is the picture of tick k.
class TickObserver {
  public:
    TickObserver(const ReplayOptions& options, const ReplayScript* script, GameApp*& app,
                 ScreenshotWriter writeScreenshot = {});

    bool OpenTrace();
    platform::DeviceHooks Hooks();
    bool ScriptHolds(int virtualKey) const;
    // Keys that go down between two ticks reach the window as key presses, as they would from a
    // keyboard (Escape asks the quit question this way).
    void PressNewKeys(int64_t tick);

  private:
    void FrameBegins();
    void FrameEnds();
    int64_t Limit() const;

    static inline const std::vector<int> NO_KEYS;

    const ReplayOptions& options;
    const ReplayScript* script;
    GameApp*& app;
    ScreenshotWriter writeScreenshot;
    TraceWriter trace;
    int64_t ticksRun = 0;
    int sceneOfTick;
};

// Each prints its failure as gorvanti-replay's and returns false.
bool EnterDirectory(const std::string& directory);
bool LoadScript(const std::string& fileName, ReplayScript& script);

// Starts the game on the devices the factory makes, and returns its exit code.
int RunGame(GameApp*& app, platform::Direct3DFactory factory);

// The headless run: virtual clock, scripted keys, boxes printed and answered, and the devices
// `createDirect3D` makes with the observer's hooks. Returns the game's exit code, or -1.
int RunHeadless(const ReplayOptions& options,
                const std::function<IDirect3D9*(const platform::DeviceHooks&)>& createDirect3D,
                ScreenshotWriter writeScreenshot = {});
