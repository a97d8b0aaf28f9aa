// Runs the real application object from a replay script.
#include "tools/replay/replay_runner.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <set>
#include <vector>

#include "app/game_app.h"
#include "platform/backends.h"
#include "platform/gl/gl_direct3d.h"
#include "platform/gl/gl_readback.h"
#include "platform/headless/headless.h"
#include "platform/headless/recording_device.h"
#include "platform/sdl/sdl_backends.h"
#include "tools/replay/headless_run.h"
#include "tools/replay/replay_script.h"
#include "tools/replay/trace_writer.h"

namespace {

bool Contains(const std::vector<int>& keys, int key) {
    return std::find(keys.begin(), keys.end(), key) != keys.end();
}

// Follows the game tick by tick through the device: a scene tick is always followed by exactly
// one frame drawn, so frame k is the picture of tick k.
class TickObserver {
  public:
    TickObserver(const ReplayOptions& options, const ReplayScript* script, GameApp*& app)
        : options(options), script(script), app(app) {}

    bool OpenTrace() { return options.traceFile.empty() || trace.Open(options.traceFile); }

    platform::DeviceHooks Hooks() {
        return {[this] { FrameBegins(); }, [this] { FrameEnds(); }, {}};
    }

    int64_t TicksRun() const { return ticksRun; }

    bool ScriptHolds(int virtualKey) const {
        return script != nullptr && Contains(script->KeysAt(ticksRun), virtualKey);
    }

    // Keys that go down between two ticks reach the window as key presses, as they would from a
    // keyboard (Escape asks the quit question this way).
    void PressNewKeys(int64_t tick) {
        if (script == nullptr || app == nullptr || app->hwnd == NULL) {
            return;
        }
        const std::vector<int>& before = tick == 0 ? NO_KEYS : script->KeysAt(tick - 1);
        for (int key : script->KeysAt(tick)) {
            if (!Contains(before, key)) {
                PostMessageA(app->hwnd, WM_KEYDOWN, static_cast<WPARAM>(key), 0);
            }
        }
    }

  private:
    void FrameBegins() {
        // Runs inside DrawFrame, right after the tick returned and before anything else changes.
        KeyState sampled = app->keyState;
        sampled.bits = 0;
        PollKeys(sampled);
        trace.WriteRow(ticksRun, sceneOfTick, sampled.bits, *app);
        sceneOfTick = app->scene;
    }

    void FrameEnds() {
        auto shot = options.screenshots.find(ticksRun);
        if (shot != options.screenshots.end()) {
            Screenshot(shot->second);
        }
        ++ticksRun;
        if (ticksRun == limit()) {
            PostQuitMessage(0);
        } else {
            PressNewKeys(ticksRun);
        }
    }

    int64_t limit() const {
        if (options.ticks >= 0) {
            return options.ticks;
        }
        return script != nullptr ? script->Length() : -1;
    }

    void Screenshot(const std::string& fileName) {
        std::vector<uint32_t> texels;
        int width = 0, height = 0;
        if (!platform::gl::ReadBackBuffer(app->device, texels, width, height) ||
            !platform::gl::WritePng(fileName.c_str(), texels, width, height)) {
            std::fprintf(stderr, "gorvanti-replay: could not write the screenshot %s\n",
                         fileName.c_str());
        }
    }

    static inline const std::vector<int> NO_KEYS;

    const ReplayOptions& options;
    const ReplayScript* script;
    GameApp*& app;
    TraceWriter trace;
    int64_t ticksRun = 0;
    int sceneOfTick = SCENE_TITLE;
};

bool EnterDirectory(const std::string& directory) {
    std::error_code error;
    std::filesystem::current_path(directory, error);
    if (error) {
        std::fprintf(stderr, "gorvanti-replay: cannot enter %s: %s\n", directory.c_str(),
                     error.message().c_str());
        return false;
    }
    return true;
}

bool LoadScript(const std::string& fileName, ReplayScript& script) {
    std::string error;
    if (!script.Load(fileName, error)) {
        std::fprintf(stderr, "gorvanti-replay: %s\n", error.c_str());
        return false;
    }
    return true;
}

int AnswerBox(const platform::headless::RecordedBox& box, bool answerYes) {
    std::fprintf(stderr, "[%s] %s\n", box.caption.c_str(), box.text.c_str());
    if ((box.type & MB_TYPEMASK) != MB_YESNO) {
        return IDOK;
    }
    return answerYes ? IDYES : IDNO;
}

// Starts the game on the devices the factory makes, and returns its exit code.
int RunGame(GameApp*& app, platform::Direct3DFactory factory) {
    platform::SetDirect3DFactory(std::move(factory));
    auto game = std::make_unique<GameApp>();
    app = game.get();
    int exitCode = game->StartUp(GetModuleHandleA(NULL));
    game.reset();
    app = nullptr;
    platform::SetDirect3DFactory({});
    return exitCode;
}

IDirect3D9* CreateDirect3D(bool openGl, const platform::DeviceHooks& hooks, int scale = 1) {
    return openGl ? platform::gl::CreateGlDirect3D(hooks, {scale})
                  : platform::headless::CreateNullDirect3D(hooks);
}

}  // namespace

int RunReplay(const ReplayOptions& options) {
    ReplayScript script;
    if (!LoadScript(options.scriptFile, script) || !EnterDirectory(options.directory)) {
        return -1;
    }
    if (!options.screenshots.empty()) {
        // Screenshots render offscreen; no display is needed.
        setenv("SDL_VIDEODRIVER", "offscreen", 0);
    }
    ReplaySession session;
    GameApp* app = nullptr;
    TickObserver observer(options, &script, app);
    if (!observer.OpenTrace()) {
        std::fprintf(stderr, "gorvanti-replay: cannot write %s\n", options.traceFile.c_str());
        return -1;
    }
    session.keyboard.source = [&observer](int key) { return observer.ScriptHolds(key); };
    session.boxes.answerer = [&options](const platform::headless::RecordedBox& box) {
        return AnswerBox(box, options.answerYes);
    };
    bool firstPump = true;
    session.windows.onPump = [&] {
        if (firstPump && app != nullptr && app->hwnd != NULL) {
            firstPump = false;
            observer.PressNewKeys(0);
        }
    };
    bool openGl = !options.screenshots.empty();
    return RunGame(app, [&] { return CreateDirect3D(openGl, observer.Hooks(), options.scale); });
}

int WatchReplay(const ReplayOptions& options) {
    ReplayScript script;
    if (!LoadScript(options.scriptFile, script) || !EnterDirectory(options.directory)) {
        return -1;
    }
    // The real window, clock and boxes; only the keys come from the script.
    platform::headless::ScriptedKeyboard keyboard;
    GameApp* app = nullptr;
    TickObserver observer(options, &script, app);
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
        bool down = platform::sdl::RealKeyboard().IsDown(virtualKey);
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
    TickObserver observer(noStop, nullptr, app);
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
