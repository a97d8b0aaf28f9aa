// RenderEngine: the Direct3D device and the lists of everything drawn, one frame at a time.
#pragma once

#include <cstdint>
#include <deque>
#include <vector>

#include "app/window.h"
#include "gfxutil/matrix.h"
#include "platform/d3d9.h"
#include "render/meshes.h"
#include "render/sprites.h"

struct RenderStateOverride {
    int32_t instance;
    int32_t state;
    uint32_t value;
};

class RenderEngine : public AppWindow {
  public:
    RenderEngine();
    ~RenderEngine() override;

    int CreateDevice();
    int DrawFrame();
    int PresentFrame();
    void ReleaseAll();

    int LoadTexture(const TextureLoadParams& params, void* paletteOutput = nullptr);
    int LoadMesh(const char* fileName, uint32_t flags, int32_t textureIndex,
                 const D3DCOLORVALUE* colour = nullptr);
    int AddMeshInstance(int32_t meshIndex);
    int AddSprite(const SpriteParams& params);
    // AddSprite for a scene that knows its sprites by fixed index: the sprite must land at
    // `index`, so a step added out of order fails at once instead of drawing the wrong picture.
    void AddSpriteAt(int index, const SpriteParams& params);
    void ClearSprites();

    void UpdateView();
    void SetProjection(int32_t mode, float a, float b, float zNear, float zFar);
    void SetDirectionalLight(float x, float y, float z, float range);

    IDirect3DDevice9* device;
    Matrix view;
    Matrix projection;
    Vector3 eye;
    Vector3 lookAt;
    Vector3 up;
    std::vector<RenderStateOverride> renderStateOverrides;
    // Deques: instances and sprites point at their entries, which must stay put as loads add more.
    std::deque<TextureEntry> textures;
    std::vector<Sprite> sprites;
    std::deque<MeshEntry> meshes;
    std::vector<MeshInstance> instances;
    IDirect3D9* direct3d;

  private:
    void DrawInstances();
    void BeginSpritePass();
    void DrawSprites();
    void EndSpritePass();
};
