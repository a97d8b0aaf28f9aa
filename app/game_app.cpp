// Game and GameApp: start-up, the 25-ticks-per-second clock and the dispatch between scenes.
#include "app/game_app.h"

#include <cstring>

Game::Game()
    : scene(SCENE_TITLE),
      now(0),
      period(MILLISECONDS_PER_TICK),
      frequency(0),
      hasPerfCounter(0),
      nextDue(0),
      tickPending(1) {
    LARGE_INTEGER counts;
    if (QueryPerformanceFrequency(&counts)) {
        frequency = counts.QuadPart;
        hasPerfCounter = 1;
        period = static_cast<uint32_t>(frequency / TICKS_PER_SECOND);
        QueryPerformanceCounter(&counts);
        nextDue = counts.QuadPart;
    } else {
        nextDue = static_cast<int64_t>(timeGetTime());
    }
    std::memset(&keyState, 0, sizeof keyState);
}

GameApp::GameApp() {
    SetMessageTarget(this);
}

GameApp::~GameApp() {
    SetMessageTarget(nullptr);
}

int GameApp::StartUp(const HINSTANCE& instance) {
    hInstance = instance;
    if (!LoadKeyConfig() || !WinInit() || !CreateDevice() || !ShowMainWindow()) {
        return 0;
    }
    return Run() == 0 ? 1 : 0;
}

int GameApp::Idle() {
    PollKeys(keyState);
    if (tickPending) {
        switch (scene) {
            case SCENE_QUIT:
                return 0;
            case SCENE_TITLE:
                scene = TitleScene::Tick(keyState);
                break;
            case SCENE_PLAY:
                scene = PlayScene::Tick(keyState);
                break;
        }
        keyState.bits = 0;
        DrawFrame();
        tickPending = 0;
    }

    if (hasPerfCounter) {
        LARGE_INTEGER counts;
        QueryPerformanceCounter(&counts);
        now = counts.QuadPart;
    } else {
        now = static_cast<int64_t>(timeGetTime());
    }
    if (ClockDistance(now, nextDue) <= 0) {
        return 1;
    }
    if (!PresentFrame()) {
        return 0;
    }
    // No catch-up: after a stall the beat restarts from now and the game runs slower instead.
    nextDue += static_cast<int64_t>(period);
    if (ClockDistance(nextDue, now) < 0) {
        nextDue = now + static_cast<int64_t>(period);
    }
    if (!hasPerfCounter) {
        // The due time lives in the millisecond counter's 32 bits, so it wraps with it.
        nextDue = static_cast<uint32_t>(nextDue);
    }
    tickPending = 1;
    return 1;
}

int64_t GameApp::ClockDistance(int64_t a, int64_t b) const {
    if (hasPerfCounter) {
        return a - b;
    }
    // The millisecond counter wraps after 49.7 days; its distances stay right across the wrap.
    return static_cast<int32_t>(static_cast<uint32_t>(a) - static_cast<uint32_t>(b));
}
