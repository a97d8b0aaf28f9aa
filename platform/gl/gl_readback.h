// For tests and tools: the picture an OpenGL device has drawn so far in its back buffer, and the
// flavour of OpenGL it draws with and the shaders it has compiled.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/d3d9/d3d9_subset.h"
#include "platform/gl/gl_context.h"

namespace platform::gl {

// The back buffer as drawn, as ARGB texels, rows top first: the letterboxed picture at the
// drawable's resolution (the back buffer's own size when the drawable is that size), without the
// bars. False when the device is not an OpenGL one.
bool ReadBackBuffer(IDirect3DDevice9* device, std::vector<uint32_t>& texels, int& width,
                    int& height);
// The whole drawable, bars included, as ReadBackBuffer gives the picture.
bool ReadBackDrawable(IDirect3DDevice9* device, std::vector<uint32_t>& texels, int& width,
                      int& height);

// The flavour of OpenGL a device draws with; false when it is not an OpenGL one.
bool DeviceFlavour(IDirect3DDevice9* device, GlFlavour& flavour);

// How many shader programs a device has compiled so far; false when it is not an OpenGL one.
bool CompiledPrograms(IDirect3DDevice9* device, size_t& count);

// Writes ARGB texels (rows top first) as a PNG file with alpha.
bool WritePng(const char* fileName, const std::vector<uint32_t>& texels, int width, int height);

}  // namespace platform::gl
