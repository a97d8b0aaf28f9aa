// The process entry and the one static application object.
#include "app/game_app.h"

static GameApp gameApp;

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    return gameApp.StartUp(instance);
}

#ifndef _WIN32
int main() {
    char noCommandLine[] = "";
    return WinMain(GetModuleHandleA(NULL), NULL, noCommandLine, SW_SHOWDEFAULT);
}
#endif
