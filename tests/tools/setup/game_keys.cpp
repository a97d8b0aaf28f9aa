// The codes the game itself reads from ./setup.ini, the judge of every file the tool writes.
#include "tests/tools/setup/game_keys.h"

#include <gtest/gtest.h>

#include "app/game_app.h"
#include "tests/support/box_recorder.h"

setup::KeyCodes GameReadsSetup() {
    BoxRecorder boxes;
    GameApp app;
    EXPECT_EQ(app.LoadKeyConfig(), 1);
    setup::KeyCodes codes;
    std::copy(app.keyState.keys, app.keyState.keys + KEY_SLOTS, codes.begin());
    return codes;
}
