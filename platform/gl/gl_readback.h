// For tests and tools: the picture an OpenGL device has drawn so far in its back buffer.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/d3d9_subset.h"

namespace platform::gl {

// The back buffer as ARGB texels, rows top first; false when the device is not an OpenGL one.
bool ReadBackBuffer(IDirect3DDevice9* device, std::vector<uint32_t>& texels, int& width,
                    int& height);

// Writes ARGB texels (rows top first) as a PNG file with alpha.
bool WritePng(const char* fileName, const std::vector<uint32_t>& texels, int width, int height);

}  // namespace platform::gl
