// The Direct3D object whose devices draw with OpenGL.
#pragma once

#include "platform/d3d9_subset.h"

namespace platform::gl {

// Null when SDL's video cannot start (no Direct3D to be had).
IDirect3D9* CreateGlDirect3D();

}  // namespace platform::gl
