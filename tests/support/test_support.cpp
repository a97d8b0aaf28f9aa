// Scaffolding shared by the test programs.
#include "tests/support/test_support.h"

#include <unistd.h>
#include <atomic>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

const char* const ARROW_KEYS_SETUP =
    "keys\n"
    "up\n26\n"
    "right\n27\n"
    "down\n28\n"
    "left\n25\n"
    "fifth\n20\n"
    "end\n";

const char* const SLOWEST_BEST_TIMES =
    "270f\n270f\n270f\n270f\n270f\n270f\n270f\n270f\n270f\n270f\n";

ScratchDirectory::ScratchDirectory() : previous(fs::current_path()) {
    static std::atomic<int> serial{0};
    path = fs::temp_directory_path() /
           ("gorvanti-test-" + std::to_string(::getpid()) + "-" + std::to_string(serial++));
    fs::remove_all(path);
    fs::create_directories(path);
    fs::current_path(path);
}

ScratchDirectory::~ScratchDirectory() {
    fs::current_path(previous);
    std::error_code ignored;
    fs::remove_all(path, ignored);
}

void ScratchDirectory::Write(const std::string& name, const std::string& content) const {
    std::ofstream(path / name, std::ios::binary) << content;
}

std::string ScratchDirectory::Read(const std::string& name) const {
    std::ifstream file(path / name, std::ios::binary);
    std::ostringstream content;
    content << file.rdbuf();
    return content.str();
}

bool ScratchDirectory::Exists(const std::string& name) const {
    return fs::exists(path / name);
}

bool ScratchDirectory::CopyArt() const {
    fs::path art = fs::path(GORVANTI_RUN_DIR) / "graphics";
    if (!fs::exists(art)) {
        return false;
    }
    fs::copy(art, path / "graphics", fs::copy_options::recursive);
    return true;
}

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
        directory.CopyArt();
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
