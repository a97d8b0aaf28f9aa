// The backends a build stands on when no test or tool has chosen others. Every build of the
// platform library links exactly one set: SDL2 and OpenGL on the desktop (sdl/, gl/), and the
// console set where there is no display (console/).
#pragma once

#include "platform/win32/backends.h"

namespace platform {

Clock& RealClock();
Keyboard& RealKeyboard();
MessageBoxes& RealMessageBoxes();
WindowSystem& RealWindowSystem();
// Null when the system has no Direct3D to give.
IDirect3D9* CreateRealDirect3D();

}  // namespace platform
