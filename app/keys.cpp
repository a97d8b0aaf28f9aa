// Key sampling and the key configuration read from ./setup.ini.
#include "app/keys.h"

#include "app/game_app.h"
#include "app/key_bits.h"
#include "platform/win32.h"

namespace {

constexpr SHORT KEY_DOWN_BIT = static_cast<SHORT>(0x8000);

// Slot numbers and the line pairs of ./setup.ini: before each value the rest of the previous
// value's line and one more line are discarded.
constexpr int LINES_BEFORE_VALUE = 2;
constexpr int SLOT_READ_ORDER[KEY_SLOTS] = {0, 2, 1, 3, 4};

bool IsDown(int virtualKey) {
    return virtualKey != 0 && (GetAsyncKeyState(virtualKey) & KEY_DOWN_BIT) != 0;
}

}  // namespace

void PollKeys(KeyState& keyState) {
    // The two keys of a tilt axis exclude each other within one sample: the lower slot wins.
    if (IsDown(keyState.keys[0])) {
        keyState.bits |= KEY_BIT_UP;
    } else if (IsDown(keyState.keys[1])) {
        keyState.bits |= KEY_BIT_DOWN;
    }
    if (IsDown(keyState.keys[2])) {
        keyState.bits |= KEY_BIT_RIGHT;
    } else if (IsDown(keyState.keys[3])) {
        keyState.bits |= KEY_BIT_LEFT;
    }
    if (IsDown(keyState.keys[4])) {
        keyState.bits |= KEY_BIT_FIFTH;
    }
}

int GameApp::LoadKeyConfig() {
    if (!Open(SETUP_PATH, MODE_READ)) {
        return 0;
    }
    ReadKeyConfig(keyState);
    Close();
    return 1;
}

void GameApp::ReadKeyConfig(KeyState& keys) {
    for (int slot : SLOT_READ_ORDER) {
        SkipLines(LINES_BEFORE_VALUE);
        ReadHex(keys.keys[slot]);
    }
    SkipLines(LINES_BEFORE_VALUE);
}
