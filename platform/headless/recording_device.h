// Direct3D 9 objects that draw nothing: one records every call with its arguments, one keeps
// nothing at all. Both hold textures in memory so that loaders work on them.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/d3d9/d3d9_subset.h"
#include "platform/d3d9/device_hooks.h"

namespace platform::headless {

// One device call. `args` holds the numeric arguments in call order (enum values, flags, colours
// as integers; floats as they are; a matrix or material as its floats); `data` holds bytes a call
// points at (vertices, indices). Textures are named by the order of their creation on their
// device, starting at 1 (0 for null, -1 for a texture of another device).
//
// Every call is recorded, also one that fails. Besides the device methods under their own names
// (a light as Type, Diffuse, Specular, Ambient, Position, Direction, Range, Falloff, Attenuation0
// to 2, Theta, Phi; Clear's rectangles follow its other arguments; Present has no arguments;
// DrawIndexedPrimitiveUP's `data` is the indices followed by the vertices up to the highest one
// it may use), the log holds:
//   "CreateDevice adapter type focusWindow behaviour" followed by the presentation parameters in
//       their declaration order (window handles as numbers);
//   "CreateTexture width height levels usage format pool newTexture";
//   "GetLevelDesc texture level", "LockRect texture level flags [left top right bottom]",
//   "UnlockRect texture level";
//   "AddRef count", "Release count" for the device, "AddRefTexture texture count",
//   "ReleaseTexture texture count", "AddRefDirect3D count", "ReleaseDirect3D count": the count
//   after the call. References the objects hold on each other are not calls and not recorded.
struct RecordedCall {
    std::string name;
    std::vector<double> args;
    std::vector<uint8_t> data;

    // "SetRenderState 27 1": the name and the arguments, integers without a fraction.
    std::string ToString() const;
};

struct CallLog {
    std::vector<RecordedCall> calls;
    // False: draws keep no bytes in `data`, for long replays that only count or order calls.
    bool recordData = true;

    std::vector<std::string> Lines() const;
    size_t Count(const std::string& name) const;
    void Clear() { calls.clear(); }
};

using platform::DeviceHooks;

// Each Direct3DCreate9 through these returns a new object; the log and hooks must outlive it.
IDirect3D9* CreateRecordingDirect3D(CallLog& log, DeviceHooks hooks = {});
IDirect3D9* CreateNullDirect3D(DeviceHooks hooks = {});

}  // namespace platform::headless
