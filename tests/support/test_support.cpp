// Scaffolding shared by the test programs.
#include "tests/support/test_support.h"

#include "tools/replay/headless_run.h"

HeadlessGame::HeadlessGame(Device device, bool withArt) {
    if (device == Device::Recording) {
        platform::SetDirect3DFactory(
            [this] { return platform::headless::CreateRecordingDirect3D(log); });
    } else {
        platform::SetDirect3DFactory([] { return platform::headless::CreateNullDirect3D(); });
    }
    directory.Write("setup.ini", ARROW_KEYS_SETUP);
    directory.Write("besttime.dat", SLOWEST_BEST_TIMES);
    if (withArt) {
        CopyArt(directory);
    }
    app = std::make_unique<GameApp>();
}

HeadlessGame::~HeadlessGame() {
    app.reset();
    platform::SetDirect3DFactory({});
    platform::headless::ResetWindowState();
}

int HeadlessGame::StartUpWithoutLoop() {
    return ::StartUpWithoutLoop(*app);
}

void HeadlessGame::RunTick(std::initializer_list<int> keys) {
    session.keyboard.held = keys;
    RunOneTick(*app);
}

void HeadlessGame::RunTicks(int count, std::initializer_list<int> keys) {
    for (int i = 0; i < count; ++i) {
        RunTick(keys);
    }
}
