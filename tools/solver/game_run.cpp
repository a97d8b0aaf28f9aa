// Runs the whole application object from the keys of a script.
#include "tools/solver/game_run.h"

#include <memory>

#include "app/game_app.h"
#include "platform/headless/recording_device.h"
#include "platform/win32/backends.h"
#include "tools/artgen/settings_files.h"
#include "tools/replay/headless_run.h"
#include "tools/replay/scratch_directory.h"

namespace {

TickRecord Record(int sceneRun, const GameApp& app) {
    const PlayScene& play = app;
    const Vector3 ball = app.instances.empty() ? Vector3{0, 0, 0} : app.instances[0].position;
    return {sceneRun,     app.scene,        play.stage,    play.lives, play.time, play.playing,
            play.falling, play.goalReached, play.gameOver, ball.x,     ball.z};
}

}  // namespace

bool RunWholeGame(const ReplayScript& script, GameRun& run, std::string& error) {
    ScratchDirectory folder;
    folder.Write("setup.ini", artgen::SetupIniText());
    folder.Write("besttime.dat", artgen::BestTimeText());

    ReplaySession session;
    platform::SetDirect3DFactory([] { return platform::headless::CreateNullDirect3D(); });
    auto app = std::make_unique<GameApp>();
    const bool started = StartUpWithoutLoop(*app) != 0;
    if (started) {
        run.ticks.clear();
        for (int64_t tick = 0; tick < script.Length(); ++tick) {
            const std::vector<int>& held = script.KeysAt(tick);
            session.keyboard.held = {held.begin(), held.end()};
            const int sceneRun = app->scene;
            RunOneTick(*app);
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
