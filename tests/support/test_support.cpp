// Scaffolding shared by the test programs.
#include "tests/support/test_support.h"

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
    app->hInstance = GetModuleHandleA(NULL);
    if (!app->LoadKeyConfig() || !app->WinInit() || !app->CreateDevice()) {
        return 0;
    }
    return app->ShowMainWindow();
}

void HeadlessGame::RunTick(std::initializer_list<int> keys) {
    session.keyboard.held = keys;
    for (;;) {
        bool tickOwed = app->tickPending != 0;
        app->Idle();
        if (tickOwed) {
            break;
        }
    }
}

void HeadlessGame::RunTicks(int count, std::initializer_list<int> keys) {
    for (int i = 0; i < count; ++i) {
        RunTick(keys);
    }
}
