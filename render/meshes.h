// Textures, meshes and their placed instances: the records of the engine's lists, and the box
// overlap test.
#pragma once

#include <cstdint>
#include <vector>

#include "gfxutil/matrix.h"
#include "gfxutil/mesh.h"
#include "gfxutil/texture_loader.h"
#include "platform/d3d9.h"

// The request for one texture; the constructor sets the defaults.
struct TextureLoadParams {
    TextureLoadParams();
    virtual ~TextureLoadParams() = default;

    const char* fileName;
    uint32_t width;
    uint32_t height;
    uint32_t mipLevels;
    uint32_t usage;
    D3DFORMAT format;
    D3DPOOL pool;
    uint32_t filter;
    uint32_t mipFilter;
    D3DCOLOR colourKey;
};

struct TextureEntry {
    virtual ~TextureEntry() = default;

    IDirect3DTexture9* texture = nullptr;
    ImageInfo imageInfo{};
};

struct MeshEntry {
    virtual ~MeshEntry() = default;

    Mesh* mesh = nullptr;
    std::vector<D3DMATERIAL9> materials;
    std::vector<IDirect3DTexture9*> materialTextures;  // borrowed from the texture list
    uint32_t materialCount = 0;
};

struct MeshInstance {
    virtual ~MeshInstance() = default;

    const MeshEntry* mesh = nullptr;
    float rotationX = 0, rotationY = 0, rotationZ = 0;
    Matrix world = Identity();
    Vector3 position{0, 0, 0};
    int32_t visible = 1;
};

// LoadMesh flags.
constexpr uint32_t AmbientFromDiffuse = 1;
constexpr uint32_t DiffuseFromColour = 2;

// Overlap of two axis-aligned boxes; boxes that only touch do not overlap, except that a span of
// exactly 0 (two flat boxes in one plane) counts as overlap.
class BoxTest {
  public:
    int BoxesOverlap(float aMinX, float aMinY, float aMinZ, float aMaxX, float aMaxY, float aMaxZ,
                     float bMinX, float bMinY, float bMinZ, float bMaxX, float bMaxY,
                     float bMaxZ) const;
};
