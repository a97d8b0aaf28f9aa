// An OpenGL device drawing offscreen into a small back buffer (on a drawable of its size or
// another), with helpers to draw and look.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/d3d9/d3d9_subset.h"
#include "platform/gl/gl_direct3d.h"

// A vertex in window pixels: D3DFVF_XYZRHW | D3DFVF_DIFFUSE | D3DFVF_TEX1, as the sprites use.
struct ScreenVertex {
    float x, y, z, rhw;
    D3DCOLOR colour;
    float u, v;
};
constexpr DWORD SCREEN_VERTEX_FVF = D3DFVF_XYZRHW | D3DFVF_DIFFUSE | D3DFVF_TEX1;

// A vertex in world space: D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_DIFFUSE.
struct WorldVertex {
    float x, y, z;
    float nx, ny, nz;
    D3DCOLOR colour;
};
constexpr DWORD WORLD_VERTEX_FVF = D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_DIFFUSE;

class GlDeviceTest : public ::testing::Test {
  protected:
    static constexpr int WIDTH = 64;
    static constexpr int HEIGHT = 48;
    static constexpr D3DCOLOR BACKGROUND = 0xFF102030;

    // The back buffer is WIDTH x HEIGHT; the drawable the picture lies on is that by default.
    explicit GlDeviceTest(platform::gl::OffscreenDrawable offscreen = {});
    ~GlDeviceTest() override;

    // Clears to BACKGROUND with depth 1 and begins a scene.
    void BeginFrame();
    // The back buffer now; rows top first.
    std::vector<uint32_t> ReadBack();
    uint32_t Pixel(const std::vector<uint32_t>& texels, int x, int y) const {
        return texels[static_cast<size_t>(y) * WIDTH + static_cast<size_t>(x)];
    }

    IDirect3DTexture9* MakeTexture(int width, int height, const std::vector<uint32_t>& texels,
                                   D3DFORMAT format = D3DFMT_A8R8G8B8);
    // An axis-aligned rectangle as a two-triangle strip, clockwise as Direct3D's front faces,
    // with texture coordinates from (u0, v0) to (u1, v1).
    void DrawRectangle(float x, float y, float width, float height, D3DCOLOR colour, float z = 0,
                       float u0 = 0, float v0 = 0, float u1 = 1, float v1 = 1);
    // The states the engine's sprite pass sets: texture alpha times vertex alpha, alpha test
    // NOTEQUAL 0, blending on, no depth test.
    void SetSpriteStates();

    IDirect3D9* direct3d = nullptr;
    IDirect3DDevice9* device = nullptr;
    std::vector<IDirect3DTexture9*> textures;
};

// A texel pattern where every texel differs from its neighbours in every channel, and a texture's
// worth of it.
uint32_t PatternTexel(int x, int y);
std::vector<uint32_t> PatternTexels(int width, int height);

// Channels of an ARGB value.
inline int Red(uint32_t colour) {
    return static_cast<int>((colour >> 16) & 0xFF);
}
inline int Green(uint32_t colour) {
    return static_cast<int>((colour >> 8) & 0xFF);
}
inline int Blue(uint32_t colour) {
    return static_cast<int>(colour & 0xFF);
}
