// The one header through which game code reaches Direct3D 9: the real SDK on Windows, our layer
// elsewhere and in the Windows replay build (GORVANTI_PLATFORM_LAYER).
#pragma once

#include "platform/win32.h"

#if defined(_WIN32) && !defined(GORVANTI_PLATFORM_LAYER)
#include <d3d9.h>
#else
#include "platform/d3d9/d3d9_subset.h"
#endif
