// Direct3D 9 values in OpenGL terms: blend factors, comparisons, colours, texture stage
// operations and alpha tests as shader key parts, and the matrices that carry Direct3D's clip
// space and pixel centres into OpenGL's.
#pragma once

#include <cstdint>

#include "platform/d3d9/d3d9_subset.h"
#include "platform/gl/gl_shaders.h"
#include "platform/gl/opengl.h"

namespace platform::gl {

// The factor for a D3DBLEND value; `fallback` for values OpenGL has no factor for.
GLenum BlendFactor(DWORD blend, GLenum fallback);
// The function for a D3DCMPFUNC value; `fallback` for unknown values.
GLenum CompareFunction(DWORD compare, GLenum fallback);

// ARGB as red, green, blue, alpha from 0 to 1.
void ColourToFloats(D3DCOLOR colour, float rgba[4]);
// ARGB as red, green, blue, alpha bytes, the order OpenGL reads colours in.
void ColourToBytes(D3DCOLOR colour, uint8_t rgba[4]);
void ColourValueToFloats(const D3DCOLORVALUE& colour, float rgba[4]);

// Column-major matrices, as glUniformMatrix4fv takes them. ClipFix turns Direct3D clip
// coordinates (depth 0 to w) into OpenGL's (depth -w to w) and moves the picture half a pixel, so
// that Direct3D's pixel centres, on integer coordinates, land on OpenGL's, on half-integers.
void ClipFix(int width, int height, float matrix[16]);
// For D3DFVF_XYZRHW vertices: window pixels (x right, y down, depth 0 to 1) to OpenGL clip
// coordinates, ClipFix included.
void WindowToClip(int width, int height, float matrix[16]);
// a x b of two column-major matrices.
void MultiplyColumnMajor(const float a[16], const float b[16], float product[16]);

// A D3DTEXTUREOP with its two D3DTA arguments, for stage 0 (where CURRENT is the diffuse colour).
// Operations the layer does not draw fall back to MODULATE.
StageHalf TranslateStage(DWORD operation, DWORD argument1, DWORD argument2);
// ALPHATESTENABLE and ALPHAFUNC; an unknown function always passes.
AlphaTest TranslateAlphaTest(bool enabled, DWORD function);

}  // namespace platform::gl
