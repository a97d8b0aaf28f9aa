// The render states and texture-stage states the OpenGL device knows, and what a change of each
// asks of the next draw.
#pragma once

#include "platform/d3d9/d3d9_subset.h"

namespace platform::gl {

enum class StateGroup {
    IGNORED,    // kept, never drawn with
    FIXED,      // an OpenGL switch: blending, depth, culling, dithering
    PROGRAM,    // part of the shader key
    CONSTANTS,  // a shader constant: ambient light, texture factor, alpha reference
    DRAW,       // read by every draw itself (the fill mode)
};

// False for a state outside the table; such a state is only stored.
bool RenderStateGroup(D3DRENDERSTATETYPE state, StateGroup& group);
bool StageStateGroup(D3DTEXTURESTAGESTATETYPE type, StateGroup& group);

}  // namespace platform::gl
