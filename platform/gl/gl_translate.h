// Direct3D 9 values in OpenGL terms: blend factors, comparisons, colours, texture stage
// operations and the matrices that carry Direct3D's clip space and pixel centres into OpenGL's.
#pragma once

#include <cstdint>

#include "platform/d3d9_subset.h"
#include "platform/gl/opengl.h"

namespace platform::gl {

// Where in its pixel Direct3D samples, relative to OpenGL's pixel centre: a small step right and
// down from Direct3D's own integer centre. It reproduces the top-left fill rule, and texels mapped
// 1:1 onto pixels are sampled inside the texel, not on its edge.
constexpr float SAMPLE_NUDGE = 1.0f / 256.0f;

// The factor for a D3DBLEND value; `fallback` for values OpenGL has no factor for.
GLenum BlendFactor(DWORD blend, GLenum fallback);
// The function for a D3DCMPFUNC value; `fallback` for unknown values.
GLenum CompareFunction(DWORD compare, GLenum fallback);

// ARGB as red, green, blue, alpha from 0 to 1.
void ColourToFloats(D3DCOLOR colour, float rgba[4]);
// ARGB as red, green, blue, alpha bytes, the order OpenGL reads colours in.
void ColourToBytes(D3DCOLOR colour, uint8_t rgba[4]);
void ColourValueToFloats(const D3DCOLORVALUE& colour, float rgba[4]);

// Column-major matrices for glLoadMatrixf. ClipFix turns Direct3D clip coordinates (depth 0 to w)
// into OpenGL's (depth -w to w) and moves the picture so that Direct3D's pixel centres land on
// OpenGL's; the projection of a transformed draw is ClipFix x Direct3D's projection.
void ClipFix(int width, int height, float matrix[16]);
// For D3DFVF_XYZRHW vertices: window pixels (x right, y down, depth 0 to 1) to OpenGL clip
// coordinates, ClipFix included.
void WindowToClip(int width, int height, float matrix[16]);

// One half (colour or alpha) of the texture environment of stage 0 with GL_COMBINE.
struct CombineStage {
    GLint function = GL_MODULATE;
    GLfloat scale = 1.0f;
    GLint sources[2] = {GL_TEXTURE, GL_PRIMARY_COLOR};
    GLint operands[2] = {GL_SRC_COLOR, GL_SRC_COLOR};
};

// A D3DTEXTUREOP with its two D3DTA arguments, for stage 0 (where CURRENT is the diffuse colour).
// Operations without an OpenGL counterpart fall back to MODULATE.
CombineStage ColourCombine(DWORD operation, DWORD argument1, DWORD argument2);
CombineStage AlphaCombine(DWORD operation, DWORD argument1, DWORD argument2);

}  // namespace platform::gl
