// Runs the whole application object from the keys of a script.
#include "tools/solver/game_run.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

#include "app/game_app.h"
#include "platform/backends.h"
#include "platform/headless/headless.h"
#include "platform/headless/recording_device.h"
#include "tools/artgen/settings_files.h"

namespace fs = std::filesystem;

namespace {

// A virtual clock on which a tick falls due every few loop passes.
constexpr int64_t VIRTUAL_FREQUENCY = 10'000'000;
constexpr int64_t VIRTUAL_STEP = VIRTUAL_FREQUENCY / Game::TICKS_PER_SECOND / 2 + 1;

// A fresh folder that is the working directory while the object lives.
class ScratchFolder {
  public:
    ScratchFolder() : previous(fs::current_path()) {
        path = fs::temp_directory_path() / ("gorvanti-solver-" + std::to_string(::getpid()));
        fs::remove_all(path);
        fs::create_directories(path);
        fs::current_path(path);
    }
    ~ScratchFolder() {
        fs::current_path(previous);
        std::error_code ignored;
        fs::remove_all(path, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    void Write(const std::string& name, const std::string& text) const {
        std::ofstream(path / name, std::ios::binary) << text;
    }
    std::string Read(const std::string& name) const {
        std::ifstream file(path / name, std::ios::binary);
        std::ostringstream text;
        text << file.rdbuf();
        return text.str();
    }

  private:
    fs::path previous;
    fs::path path;
};

TickRecord Record(int sceneRun, const GameApp& app) {
    const PlayScene& play = app;
    const Vector3 ball = app.instances.empty() ? Vector3{0, 0, 0} : app.instances[0].position;
    return {sceneRun,     app.scene,        play.stage,    play.lives, play.time, play.playing,
            play.falling, play.goalReached, play.gameOver, ball.x,     ball.z};
}

}  // namespace

bool RunWholeGame(const std::vector<TickKeys>& keys, GameRun& run, std::string& error) {
    ScratchFolder folder;
    folder.Write("setup.ini", artgen::SetupIniText());
    folder.Write("besttime.dat", artgen::BestTimeText());

    platform::headless::Session session;
    session.clock.frequency = VIRTUAL_FREQUENCY;
    session.clock.step = VIRTUAL_STEP;
    platform::SetDirect3DFactory([] { return platform::headless::CreateNullDirect3D(); });
    auto app = std::make_unique<GameApp>();
    app->hInstance = GetModuleHandleA(NULL);
    const bool started =
        app->LoadKeyConfig() && app->WinInit() && app->CreateDevice() && app->ShowMainWindow();
    if (started) {
        run.ticks.clear();
        for (const TickKeys& held : keys) {
            session.keyboard.held = {held.begin(), held.end()};
            const int sceneRun = app->scene;
            // Every loop pass samples the keys; the pass that owes a tick runs it.
            for (bool ticked = false; !ticked;) {
                ticked = app->tickPending != 0;
                app->Idle();
            }
            run.ticks.push_back(Record(sceneRun, *app));
        }
        run.bestTimeFile = folder.Read("besttime.dat");
    } else {
        error = "the game did not start in the scratch folder";
    }
    app.reset();
    platform::SetDirect3DFactory({});
    return started;
}
