// The replay tool's runs that draw: screenshots rendered offscreen with OpenGL, and the runs in a
// real window (watching a script, recording a player's keys). Built where SDL2 and OpenGL are.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <set>
#include <vector>

#include "app/game_app.h"
#include "platform/gl/gl_direct3d.h"
#include "platform/gl/gl_readback.h"
#include "platform/headless/headless.h"
#include "platform/headless/recording_device.h"
#include "platform/win32/real_backends.h"
#include "tools/replay/replay_observer.h"
#include "tools/replay/replay_script.h"

namespace {

IDirect3D9* CreateDirect3D(bool openGl, const platform::DeviceHooks& hooks, int scale = 1) {
    return openGl ? platform::gl::CreateGlDirect3D(hooks, {scale})
                  : platform::headless::CreateNullDirect3D(hooks);
}

bool WriteScreenshot(IDirect3DDevice9* device, const std::string& fileName) {
    std::vector<uint32_t> texels;
    int width = 0, height = 0;
    return platform::gl::ReadBackBuffer(device, texels, width, height) &&
           platform::gl::WritePng(fileName.c_str(), texels, width, height);
}

}  // namespace

int RunReplay(const ReplayOptions& options) {
    bool openGl = !options.screenshots.empty();
    if (openGl) {
        // Screenshots render offscreen; no display is needed.
        setenv("SDL_VIDEODRIVER", "offscreen", 0);
    }
    return RunHeadless(
        options,
        [openGl, scale = options.scale](const platform::DeviceHooks& hooks) {
            return CreateDirect3D(openGl, hooks, scale);
        },
        WriteScreenshot);
}

int WatchReplay(const ReplayOptions& options) {
    ReplayScript script;
    if (!LoadScript(options.scriptFile, script) || !EnterDirectory(options.directory)) {
        return -1;
    }
    // The real window, clock and boxes; only the keys come from the script.
    platform::headless::ScriptedKeyboard keyboard;
    GameApp* app = nullptr;
    TickObserver observer(options, &script, app, WriteScreenshot);
    if (!observer.OpenTrace()) {
        std::fprintf(stderr, "gorvanti-replay: cannot write %s\n", options.traceFile.c_str());
        return -1;
    }
    keyboard.source = [&observer](int key) { return observer.ScriptHolds(key); };
    platform::SetKeyboard(&keyboard);
    int exitCode = RunGame(app, [&] { return CreateDirect3D(true, observer.Hooks()); });
    platform::SetKeyboard(nullptr);
    return exitCode;
}

namespace {

// The real keyboard, noting every key of interest seen down since the last tick.
class RecordingKeyboard : public platform::Keyboard {
  public:
    bool IsDown(int virtualKey) override {
        bool down = platform::RealKeyboard().IsDown(virtualKey);
        if (down) {
            seen.insert(virtualKey);
        }
        return down;
    }

    std::set<int> seen;
};

}  // namespace

int RecordReplay(const ReplayOptions& options, const std::string& recordFile) {
    if (!EnterDirectory(options.directory)) {
        return -1;
    }
    std::ofstream output(recordFile, std::ios::binary);
    if (!output) {
        std::fprintf(stderr, "gorvanti-replay: cannot write %s\n", recordFile.c_str());
        return -1;
    }
    RecordingKeyboard keyboard;
    platform::SetKeyboard(&keyboard);
    ReplayScript recorded;
    recorded.Comment("recorded by gorvanti-replay --record");
    GameApp* app = nullptr;
    ReplayOptions noStop = options;
    noStop.ticks = -1;
    TickObserver observer(noStop, nullptr, app, WriteScreenshot);
    // A key seen down at any sample before a tick counts as held for that whole tick. (The
    // title's space bar is read at the tick itself, and so is recorded with it.)
    auto hooks = observer.Hooks();
    platform::DeviceHooks recordingHooks = {
        [&, begin = hooks.beginScene] {
            recorded.Append(1, std::vector<int>(keyboard.seen.begin(), keyboard.seen.end()));
            keyboard.seen.clear();
            begin();
        },
        hooks.endScene,
        {}};
    int exitCode = RunGame(app, [&] { return CreateDirect3D(true, recordingHooks); });
    platform::SetKeyboard(nullptr);
    output << recorded.ToText();
    return exitCode;
}
