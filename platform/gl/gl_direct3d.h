// The Direct3D object whose devices draw with OpenGL.
#pragma once

#include "platform/d3d9/d3d9_subset.h"
#include "platform/d3d9/device_hooks.h"

namespace platform::gl {

// The hidden window a device draws into when its window has no SDL window of its own (headless
// runs, tests): the back buffer's size times `scale`, or exactly `width` x `height` when both are
// given, to see the picture letterboxed on a drawable of another shape.
struct OffscreenDrawable {
    int scale = 1;
    int width = 0;
    int height = 0;
};

// Null when the system's video cannot start (no Direct3D to be had). The hooks, when given, are
// called by every device the object makes.
IDirect3D9* CreateGlDirect3D(DeviceHooks hooks = {}, OffscreenDrawable offscreen = {});

}  // namespace platform::gl
