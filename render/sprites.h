// 2-D sprites cut from texture sheets: their parameters, vertices, animation and the sine table.
#pragma once

#include <cstdint>

#include "platform/d3d9.h"

struct TextureEntry;

enum SpriteBlend : int32_t { BlendAlpha = 0, BlendAdditive = 1 };

struct SheetGrid {
    int32_t columns = 0;
    int32_t rows = 0;
};

// Everything that describes a sprite; the constructor sets the defaults.
struct SpriteParams {
    SpriteParams() = default;
    virtual ~SpriteParams() = default;

    const TextureEntry* texture = nullptr;
    int32_t visible = 1;
    int32_t uniformColour = 1;
    int32_t animationMode = 0;
    int32_t animationBackward = 0;
    float scaleX = 1.0f;
    float scaleY = 1.0f;
    float pivotX = 0;
    float pivotY = 0;
    int32_t angle = 0;
    float x = 0;
    float y = 0;
    float z = 0;
    D3DCOLOR colour = 0xFFFFFFFF;
    D3DCOLOR cornerColours[4] = {0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF};
    float width = 0;
    float height = 0;
    float cellColumn = 0;
    float cellRow = 0;
    float sourceX = 0;
    float sourceY = 0;
    SheetGrid sheet;
    int32_t frame = 0;
    int32_t firstFrame = 0;
    int32_t lastFrame = 0;
    int32_t frameDelay = 0;
    int32_t frameTimer = 0;
    int32_t animate = 0;
    int32_t blendMode = BlendAlpha;
};

// A pre-transformed, lit, textured vertex: D3DFVF_XYZRHW | D3DFVF_DIFFUSE | D3DFVF_TEX1.
struct SpriteVertex {
    float x, y, z, rhw;
    D3DCOLOR diffuse;
    float u, v;
};
static_assert(sizeof(SpriteVertex) == 28);
constexpr DWORD SPRITE_VERTEX_FVF = D3DFVF_XYZRHW | D3DFVF_DIFFUSE | D3DFVF_TEX1;

struct Sprite : SpriteParams {
    Sprite() = default;
    explicit Sprite(const SpriteParams& params) : SpriteParams(params) {}

    void ComputeVertices();
    int DrawSprite(IDirect3DDevice9* device);
    // One frame of the animation.
    void AdvanceAnimation();

    SpriteVertex vertices[4] = {};  // strip order: top-left, top-right, bottom-left, bottom-right
};

constexpr int SPRITE_DEPTH_BUCKETS = 100;

// The depth bucket of a sprite: z x 100 formed in double precision and truncated, so that z = 0.29
// (stored as 0.28999999) falls into bucket 28; a z outside [0, 1) is clamped to the nearest
// bucket.
int DepthBucket(float z);

// Sine and cosine of whole degrees from the game's own table.
float SineDeg(int32_t degrees);
float CosineDeg(int32_t degrees);
