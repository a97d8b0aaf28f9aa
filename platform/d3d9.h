// The one header through which game code reaches Direct3D 9: the real SDK on Windows, our layer
// elsewhere.
#pragma once

#include "platform/win32.h"

#ifdef _WIN32
#include <d3d9.h>
#else
#include "platform/d3d9_subset.h"
#endif
