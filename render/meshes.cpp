// Loading textures and meshes into the engine's lists, placing instances, and the box overlap test.
#include "render/meshes.h"

#include <algorithm>

#include "render/render_engine.h"

TextureLoadParams::TextureLoadParams()
    : fileName(nullptr),
      width(FROM_FILE_OR_DEFAULT),
      height(FROM_FILE_OR_DEFAULT),
      mipLevels(FROM_FILE_OR_DEFAULT),
      usage(0),
      format(D3DFMT_UNKNOWN),
      pool(D3DPOOL_DEFAULT),
      filter(FROM_FILE_OR_DEFAULT),
      mipFilter(FROM_FILE_OR_DEFAULT),
      colourKey(0) {}

// The loader has no palette output (it makes only A8R8G8B8 textures), so nothing is written there.
int RenderEngine::LoadTexture(const TextureLoadParams& params, void* /*paletteOutput*/) {
    if (device == nullptr || params.fileName == nullptr) {
        return 0;
    }
    TextureEntry entry;
    HRESULT result = CreateTextureFromFile(device, params.fileName, params.width, params.height,
                                           params.mipLevels, params.usage, params.format,
                                           params.pool, params.filter, params.mipFilter,
                                           params.colourKey, &entry.imageInfo, &entry.texture);
    if (FAILED(result) || entry.texture == nullptr) {
        if (entry.texture != nullptr) {
            entry.texture->Release();
        }
        return 0;
    }
    textures.push_back(entry);
    return 1;
}

int RenderEngine::LoadMesh(const char* fileName, uint32_t flags, int32_t textureIndex,
                           const D3DCOLORVALUE* colour) {
    // The entry is appended even when the load fails, so the meshes after it keep their indices.
    meshes.emplace_back();
    if (device == nullptr || fileName == nullptr) {
        return 0;
    }
    std::vector<MeshMaterial> fileMaterials;
    Mesh* mesh = nullptr;
    HRESULT result = LoadMeshFromX(fileName, MESH_SYSTEM_MEMORY, device, fileMaterials, &mesh);
    if (FAILED(result) || mesh == nullptr) {
        if (mesh != nullptr) {
            mesh->Release();
        }
        return 0;
    }

    // An index that names no texture entry draws untextured rather than reading past the list.
    IDirect3DTexture9* texture = nullptr;
    if (textureIndex >= 0 && static_cast<size_t>(textureIndex) < textures.size()) {
        texture = textures[textureIndex].texture;
    }

    MeshEntry& entry = meshes.back();
    entry.mesh = mesh;
    entry.materialCount = static_cast<uint32_t>(fileMaterials.size());
    entry.materials.reserve(fileMaterials.size());
    for (const MeshMaterial& fileMaterial : fileMaterials) {
        D3DMATERIAL9 material = fileMaterial.material;
        if ((flags & AmbientFromDiffuse) != 0) {
            material.Ambient = material.Diffuse;
        } else if ((flags & DiffuseFromColour) != 0 && colour != nullptr) {
            material.Diffuse = *colour;
        }
        entry.materials.push_back(material);
    }
    entry.materialTextures.assign(fileMaterials.size(), texture);
    return 1;
}

int RenderEngine::AddMeshInstance(int32_t meshIndex) {
    if (meshIndex < 0 || static_cast<size_t>(meshIndex) >= meshes.size()) {
        return 0;
    }
    MeshInstance instance;
    instance.mesh = &meshes[meshIndex];
    instances.push_back(instance);
    return 1;
}

namespace {

// One axis of BoxesOverlap: a span of exactly 0 (both boxes flat in the same plane) overlaps.
bool AxisOverlaps(float aMin, float aMax, float bMin, float bMax) {
    const float span = std::max(aMax, bMax) - std::min(aMin, bMin);
    const float extent = (aMax - aMin) + (bMax - bMin);
    return extent > span || span == 0.0f;
}

}  // namespace

int BoxTest::BoxesOverlap(float aMinX, float aMinY, float aMinZ, float aMaxX, float aMaxY,
                          float aMaxZ, float bMinX, float bMinY, float bMinZ, float bMaxX,
                          float bMaxY, float bMaxZ) const {
    if (!AxisOverlaps(aMinX, aMaxX, bMinX, bMaxX)) {
        return 0;
    }
    if (!AxisOverlaps(aMinY, aMaxY, bMinY, bMaxY)) {
        return 0;
    }
    if (!AxisOverlaps(aMinZ, aMaxZ, bMinZ, bMaxZ)) {
        return 0;
    }
    return 1;
}
