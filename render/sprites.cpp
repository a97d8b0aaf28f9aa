// Sprites: adding and clearing them, their vertices and animation, their drawing, and the sprite
// pass that sorts them into depth buckets.
#include "render/sprites.h"
#include <cassert>

#include <array>
#include <vector>

#include "render/meshes.h"
#include "render/render_engine.h"

namespace {

constexpr float VERTEX_RHW = 1.0f;
// Direct3D 9 puts pixel centres on integer coordinates: corners half a pixel up and left of the
// rectangle lay the texels 1:1 onto the pixels instead of sampling them on their edges.
constexpr float TEXEL_ALIGNMENT = 0.5f;
constexpr UINT SPRITE_PRIMITIVES = 2;  // the quad as a strip of two triangles
constexpr DWORD TEXTURE_STAGE = 0;
constexpr int32_t ANIMATION_ON = 1;
constexpr int32_t ANIMATION_PING_PONG = 1;
constexpr int32_t COUNTING_DOWN = 1;
constexpr int32_t SPRITE_VISIBLE = 1;
constexpr int32_t UNIFORM_COLOUR = 1;
constexpr double BUCKETS_PER_UNIT_DEPTH = 100.0;

}  // namespace

int RenderEngine::AddSprite(const SpriteParams& params) {
    sprites.emplace_back(params);
    sprites.back().ComputeVertices();
    return 1;
}

void RenderEngine::AddSpriteAt(int index, const SpriteParams& params) {
    assert(static_cast<size_t>(index) == sprites.size());
    AddSprite(params);
}

void RenderEngine::ClearSprites() {
    sprites.clear();
    sprites.shrink_to_fit();
}

void Sprite::ComputeVertices() {
    // Without a sheet there are no texel sizes to divide by; the sprite keeps its old vertices.
    if (texture == nullptr) {
        return;
    }
    const float cosine = CosineDeg(angle);
    const float sine = SineDeg(angle);
    const float drawnWidth = scaleX * width;
    const float drawnHeight = scaleY * height;
    const float corners[4][2] = {
        {0, 0}, {drawnWidth, 0}, {0, drawnHeight}, {drawnWidth, drawnHeight}};

    const float sheetWidth = static_cast<float>(texture->imageInfo.Width);
    const float sheetHeight = static_cast<float>(texture->imageInfo.Height);
    const float uLeft = (cellColumn * width + sourceX) / sheetWidth;
    const float vTop = (cellRow * height + sourceY) / sheetHeight;
    const float uRight = uLeft + width / sheetWidth;
    const float vBottom = vTop + height / sheetHeight;
    const float textureCoordinates[4][2] = {
        {uLeft, vTop}, {uRight, vTop}, {uLeft, vBottom}, {uRight, vBottom}};

    // cornerColours are listed top-left, bottom-left, top-right, bottom-right; vertices are in
    // strip order top-left, top-right, bottom-left, bottom-right.
    const D3DCOLOR stripColours[4] = {cornerColours[0], cornerColours[2], cornerColours[1],
                                      cornerColours[3]};

    for (int corner = 0; corner < 4; ++corner) {
        const float dx = corners[corner][0] - pivotX;
        const float dy = corners[corner][1] - pivotY;
        SpriteVertex& vertex = vertices[corner];
        vertex.x = x + pivotX + dx * cosine - dy * sine - TEXEL_ALIGNMENT;
        vertex.y = y + pivotY + dx * sine + dy * cosine - TEXEL_ALIGNMENT;
        vertex.z = z;
        vertex.rhw = VERTEX_RHW;
        vertex.diffuse = uniformColour == UNIFORM_COLOUR ? colour : stripColours[corner];
        vertex.u = textureCoordinates[corner][0];
        vertex.v = textureCoordinates[corner][1];
    }
}

void Sprite::AdvanceAnimation() {
    ++frameTimer;
    if (frameTimer <= frameDelay) {
        return;
    }
    frameTimer = 0;
    if (animationMode == ANIMATION_PING_PONG) {
        if (animationBackward == COUNTING_DOWN) {
            --frame;
            if (frame < firstFrame) {
                frame = firstFrame + 1;
                animationBackward = 0;
            }
        } else {
            ++frame;
            if (frame > lastFrame) {
                frame = lastFrame - 1;
                animationBackward = COUNTING_DOWN;
            }
        }
    } else {
        ++frame;
        if (frame > lastFrame) {
            frame = firstFrame;
        }
    }
    // A sheet without columns has no cell to show; the cell stays as it was.
    if (sheet.columns >= 1) {
        cellColumn = static_cast<float>(frame % sheet.columns);
        cellRow = static_cast<float>(frame / sheet.columns);
    }
}

int Sprite::DrawSprite(IDirect3DDevice9* device) {
    IDirect3DTexture9* sheetTexture = texture != nullptr ? texture->texture : nullptr;
    if (FAILED(device->SetTexture(TEXTURE_STAGE, sheetTexture))) {
        return 0;
    }
    if (FAILED(device->SetFVF(SPRITE_VERTEX_FVF))) {
        return 0;
    }
    if (blendMode == BlendAlpha) {
        device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
        device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
    } else if (blendMode == BlendAdditive) {
        device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_ONE);
        device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
    }
    if (FAILED(device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, SPRITE_PRIMITIVES, vertices,
                                       sizeof(SpriteVertex)))) {
        return 0;
    }
    device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_ZERO);
    device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_ONE);
    return SUCCEEDED(device->SetTexture(TEXTURE_STAGE, nullptr)) ? 1 : 0;
}

int DepthBucket(float z) {
    const double scaled = static_cast<double>(z) * BUCKETS_PER_UNIT_DEPTH;
    // Written so that NaN, too, lands in bucket 0 and no out-of-range double is converted.
    if (!(scaled >= 0.0)) {
        return 0;
    }
    if (scaled >= SPRITE_DEPTH_BUCKETS) {
        return SPRITE_DEPTH_BUCKETS - 1;
    }
    return static_cast<int>(scaled);
}

void RenderEngine::DrawSprites() {
    std::array<std::vector<size_t>, SPRITE_DEPTH_BUCKETS> buckets;
    for (size_t index = 0; index < sprites.size(); ++index) {
        Sprite& sprite = sprites[index];
        // A sprite without a sheet (its texture failed to load) is left out entirely.
        if (sprite.visible != SPRITE_VISIBLE || sprite.texture == nullptr) {
            continue;
        }
        if (sprite.animate == ANIMATION_ON) {
            sprite.AdvanceAnimation();
        }
        sprite.ComputeVertices();
        buckets[DepthBucket(sprite.z)].push_back(index);
    }
    // The back (bucket 99) first, so that nearer sprites are drawn over it.
    for (int bucket = SPRITE_DEPTH_BUCKETS - 1; bucket >= 0; --bucket) {
        for (size_t index : buckets[bucket]) {
            sprites[index].DrawSprite(device);
        }
    }
}
