// Runs the real application object from a replay script: the observer of its ticks and the
// headless run every build of the tool has.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>

#include "app/game_app.h"
#include "tools/replay/headless_run.h"
#include "tools/replay/replay_observer.h"
#include "tools/replay/replay_script.h"

namespace {

bool Contains(const std::vector<int>& keys, int key) {
    return std::find(keys.begin(), keys.end(), key) != keys.end();
}

int AnswerBox(const platform::headless::RecordedBox& box, bool answerYes) {
    std::fprintf(stderr, "[%s] %s\n", box.caption.c_str(), box.text.c_str());
    if ((box.type & MB_TYPEMASK) != MB_YESNO) {
        return IDOK;
    }
    return answerYes ? IDYES : IDNO;
}

}  // namespace

TickObserver::TickObserver(const ReplayOptions& options, const ReplayScript* script, GameApp*& app,
                           ScreenshotWriter writeScreenshot)
    : options(options),
      script(script),
      app(app),
      writeScreenshot(std::move(writeScreenshot)),
      sceneOfTick(SCENE_TITLE) {}

bool TickObserver::OpenTrace() {
    return options.traceFile.empty() || trace.Open(options.traceFile);
}

platform::DeviceHooks TickObserver::Hooks() {
    return {[this] { FrameBegins(); }, [this] { FrameEnds(); }, {}};
}

bool TickObserver::ScriptHolds(int virtualKey) const {
    return script != nullptr && Contains(script->KeysAt(ticksRun), virtualKey);
}

void TickObserver::PressNewKeys(int64_t tick) {
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

void TickObserver::FrameBegins() {
    // Runs inside DrawFrame, right after the tick returned and before anything else changes.
    KeyState sampled = app->keyState;
    sampled.bits = 0;
    PollKeys(sampled);
    trace.WriteRow(ticksRun, sceneOfTick, sampled.bits, *app);
    sceneOfTick = app->scene;
}

void TickObserver::FrameEnds() {
    auto shot = options.screenshots.find(ticksRun);
    if (shot != options.screenshots.end() && writeScreenshot &&
        !writeScreenshot(app->device, shot->second)) {
        std::fprintf(stderr, "gorvanti-replay: could not write the screenshot %s\n",
                     shot->second.c_str());
    }
    ++ticksRun;
    if (ticksRun == Limit()) {
        PostQuitMessage(0);
    } else {
        PressNewKeys(ticksRun);
    }
}

int64_t TickObserver::Limit() const {
    if (options.ticks >= 0) {
        return options.ticks;
    }
    return script != nullptr ? script->Length() : -1;
}

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

int RunHeadless(const ReplayOptions& options,
                const std::function<IDirect3D9*(const platform::DeviceHooks&)>& createDirect3D,
                ScreenshotWriter writeScreenshot) {
    ReplayScript script;
    if (!LoadScript(options.scriptFile, script) || !EnterDirectory(options.directory)) {
        return -1;
    }
    ReplaySession session;
    GameApp* app = nullptr;
    TickObserver observer(options, &script, app, std::move(writeScreenshot));
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
    return RunGame(app, [&] { return createDirect3D(observer.Hooks()); });
}
