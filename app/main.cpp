// WinMain and the one static application object; platform/ calls WinMain where the system has
// no entry of that name.
#include "app/game_app.h"

static GameApp gameApp;

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    return gameApp.StartUp(instance);
}
