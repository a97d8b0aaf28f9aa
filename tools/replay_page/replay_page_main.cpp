// The test build of the page: the game plays a replay script through the page's real window,
// dialogs and WebGL device, on the replay's virtual clock and scripted keys, and hands the frames
// of chosen ticks to the page (window.gorvantiReplay) for the browser tests to compare.
//
// The page's address chooses the run: ?script=NAME (tests/replays/NAME.replay), &ticks=N (end
// after N ticks, else at the script's end), &frames=T1,T2,... (ticks whose frames are kept).
#include <emscripten.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "app/game_app.h"
#include "platform/gl/gl_direct3d.h"
#include "platform/gl/gl_readback.h"
#include "platform/web/web_folder.h"
#include "platform/win32/real_backends.h"
#include "tools/replay/headless_run.h"
#include "tools/replay/replay_observer.h"
#include "tools/replay/replay_script.h"
#include "tools/replay_page/page_query.h"

namespace {

// Where the page build packs tests/replays/.
constexpr const char* SCRIPT_FOLDER = "/replays/";
// Longer than any address the tests make; a longer one is cut and then refused.
constexpr int QUERY_CAPACITY = 4096;

// clang-format off
EM_JS(void, ReadPageQuery, (char* query, int capacity), {
    stringToUTF8(location.search.substring(1), query, capacity);
});

EM_JS(void, KeepFrame, (const char* name, const uint32_t* texels, int width, int height), {
    const replay = globalThis.gorvantiReplay = globalThis.gorvantiReplay || { frames: {} };
    replay.frames[UTF8ToString(name)] = {
        width: width, height: height,
        argb: Array.from(HEAPU32.subarray(texels >> 2, (texels >> 2) + width * height)),
    };
});

EM_JS(void, ReportEnd, (int exitCode, const char* error), {
    const replay = globalThis.gorvantiReplay = globalThis.gorvantiReplay || { frames: {} };
    replay.exitCode = exitCode;
    replay.error = UTF8ToString(error);
});
// clang-format on

// The page's real windows, with a look at every pump: the script's keys of tick 0 reach the
// window as key presses as soon as it exists, as the headless run does.
class PumpWatchingWindows : public platform::WindowSystem {
  public:
    explicit PumpWatchingWindows(std::function<void()> onPump) : onPump(std::move(onPump)) {}
    bool RegisterClass(const WNDCLASSEXA& windowClass) override {
        return Real().RegisterClass(windowClass);
    }
    bool CreateNative(HWND window, const char* caption, int width, int height) override {
        return Real().CreateNative(window, caption, width, height);
    }
    void DestroyNative(HWND window) override { Real().DestroyNative(window); }
    void Show(HWND window, bool visible) override { Real().Show(window, visible); }
    void PumpEvents() override {
        onPump();
        Real().PumpEvents();
    }
    // The browser still gets control back whenever the queue is empty.
    bool Rest() override { return Real().Rest(); }

  private:
    static platform::WindowSystem& Real() { return platform::RealWindowSystem(); }
    std::function<void()> onPump;
};

bool KeepFrameOf(IDirect3DDevice9* device, const std::string& name) {
    std::vector<uint32_t> texels;
    int width = 0;
    int height = 0;
    if (!platform::gl::ReadBackBuffer(device, texels, width, height)) {
        return false;
    }
    KeepFrame(name.c_str(), texels.data(), width, height);
    return true;
}

int Run(const PageQuery& query, std::string& error) {
    ReplayOptions options;
    if (!ReadReplayOptions(query, SCRIPT_FOLDER, options, error)) {
        return -1;
    }
    ReplayScript script;
    std::string gameFolderError;
    if (!LoadScript(options.scriptFile, script)) {
        error = "cannot load " + options.scriptFile;
        return -1;
    }
    if (!platform::web::PrepareGameFolder(gameFolderError)) {
        error = "cannot set up the game's folder: " + gameFolderError;
        return -1;
    }
    ReplaySession session;
    GameApp* app = nullptr;
    TickObserver observer(options, &script, app, KeepFrameOf);
    session.keyboard.source = [&observer](int key) { return observer.ScriptHolds(key); };
    bool firstPump = true;
    PumpWatchingWindows windows([&] {
        if (firstPump && app != nullptr && app->hwnd != NULL) {
            firstPump = false;
            observer.PressNewKeys(0);
        }
    });
    // The page's own windows and dialogs; the clock and the keys stay the replay's.
    platform::SetWindowSystem(&windows);
    platform::SetMessageBoxes(nullptr);
    return RunGame(app, [&] { return platform::gl::CreateGlDirect3D(observer.Hooks()); });
}

}  // namespace

int main() {
    char text[QUERY_CAPACITY];
    ReadPageQuery(text, QUERY_CAPACITY);
    const PageQuery query = ParsePageQuery(text);
    std::string error;
    const int exitCode = Run(query, error);
    if (!error.empty()) {
        std::fprintf(stderr, "gorvanti replay page: %s\n", error.c_str());
    }
    ReportEnd(exitCode, error.c_str());
    return 0;
}
