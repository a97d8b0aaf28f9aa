// The one header through which game code reaches Win32: the real SDK on Windows, our layer
// elsewhere.
#pragma once

#ifdef _WIN32
#include <windows.h>

// After windows.h, whose types it uses.
#include <mmsystem.h>
#else
#include "platform/win32_subset.h"
#endif
