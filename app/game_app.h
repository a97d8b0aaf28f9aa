// Game and GameApp: the one application object, its tick clock and the dispatch between scenes.
#pragma once

#include <cstdint>

#include "app/keys.h"
#include "app/scene_numbers.h"
#include "play/play_scene.h"
#include "title/title_scene.h"

class Game : public TitleScene, public PlayScene {
  public:
    static constexpr int TICKS_PER_SECOND = 25;
    static constexpr uint32_t MILLISECONDS_PER_TICK = 40;

    Game();

    KeyState keyState;
    int32_t scene;
    int64_t now;
    uint32_t period;
    int64_t frequency;
    int32_t hasPerfCounter;
    int64_t nextDue;
    int32_t tickPending;
};

class GameApp : public Game {
  public:
    GameApp();
    ~GameApp() override;

    int StartUp(const HINSTANCE& instance);
    int Idle() override;

    int LoadKeyConfig();
    void ReadKeyConfig(KeyState& keyState);

  private:
    // How far clock value `a` lies past `b` (negative when before it).
    int64_t ClockDistance(int64_t a, int64_t b) const;
};
