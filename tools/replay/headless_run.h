// The real application object run headless: the replay's virtual clock, the start-up without the
// message loop, and one scene tick at a time.
#pragma once

#include "platform/headless/headless.h"

class GameApp;

// The headless backends on a virtual clock that owes a tick at every second read, so the game runs
// as fast as its loop can pass.
class ReplaySession : public platform::headless::Session {
  public:
    ReplaySession();
};

// StartUp without entering the loop; returns what the failing step returned.
int StartUpWithoutLoop(GameApp& app);

// Passes of the loop's idle work until exactly one scene tick has run; every pass samples the keys.
void RunOneTick(GameApp& app);
