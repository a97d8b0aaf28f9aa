// The one header through which game code reaches Win32: the real SDK on Windows, our layer
// elsewhere and in the Windows replay build (GORVANTI_PLATFORM_LAYER).
#pragma once

#if defined(_WIN32) && !defined(GORVANTI_PLATFORM_LAYER)
#include <windows.h>

// After windows.h, whose types it uses.
#include <mmsystem.h>

// The entry, the message peek, the clock read and the key poll go through the Windows build's own
// layer: it chooses the folder to run in, rests while the queue is empty, and counts keys only
// while the game is in front. The game's code keeps the SDK's names.
#include "platform/windows/layer_calls.h"
#define WinMain GameWinMain
#define PeekMessageA platform::windows::PeekMessageOrRest
#define QueryPerformanceCounter platform::windows::ReadGameClock
#define GetAsyncKeyState platform::windows::ForegroundKeyState
#elif defined(_WIN32)
#include "platform/win32/win32_on_windows.h"
#else
#include "platform/win32/win32_subset.h"
#endif
