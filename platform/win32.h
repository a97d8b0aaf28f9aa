// The one header through which game code reaches Win32: the real SDK on Windows, our layer
// elsewhere and in the Windows replay build (GORVANTI_PLATFORM_LAYER).
#pragma once

#if defined(_WIN32) && !defined(GORVANTI_PLATFORM_LAYER)
#include <windows.h>

// After windows.h, whose types it uses.
#include <mmsystem.h>
#elif defined(_WIN32)
#include "platform/win32_on_windows.h"
#else
#include "platform/win32_subset.h"
#endif
