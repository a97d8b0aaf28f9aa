// The Direct3D object whose devices draw with OpenGL.
#pragma once

#include "platform/d3d9_subset.h"
#include "platform/device_hooks.h"

namespace platform::gl {

// Null when the system's video cannot start (no Direct3D to be had). The hooks, when given, are
// called by every device the object makes.
IDirect3D9* CreateGlDirect3D(DeviceHooks hooks = {});

}  // namespace platform::gl
