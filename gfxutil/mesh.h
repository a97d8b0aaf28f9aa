// A mesh in system memory with subset drawing, and the X-file loader that makes one.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "gfxutil/matrix.h"
#include "platform/d3d9.h"

// One vertex as the mesh draws it: D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_TEX1.
struct MeshVertex {
    float x, y, z;
    float nx, ny, nz;
    float u, v;
};
constexpr DWORD MESH_VERTEX_FVF = D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_TEX1;

// A material as the file gives it; the texture file name is reported, not loaded.
struct MeshMaterial {
    D3DMATERIAL9 material;
    std::string textureFileName;
};

// Triangles grouped by material; DrawSubset(k) draws the faces of material k. Reference counted
// like a Direct3D interface: it starts with one reference and Release frees it.
class Mesh {
  public:
    // faceIndices holds three indices per triangle, faceMaterials one material per triangle.
    // There are subsetCount subsets, or one past the largest material if that is more, so a
    // material without faces still has its (empty) subset.
    Mesh(IDirect3DDevice9* device, std::vector<MeshVertex> vertices,
         std::vector<uint32_t> faceIndices, std::vector<uint32_t> faceMaterials,
         size_t subsetCount = 0);
    Mesh(const Mesh&) = delete;
    Mesh& operator=(const Mesh&) = delete;

    ULONG AddRef();
    ULONG Release();
    HRESULT DrawSubset(DWORD subset);

    const std::vector<MeshVertex>& Vertices() const { return vertices; }
    // Indices, three per triangle, sorted so that each subset's triangles are contiguous.
    const std::vector<uint32_t>& Indices() const { return indices; }
    size_t TriangleCount() const { return indices.size() / 3; }
    size_t SubsetCount() const { return subsetStart.size() - 1; }
    size_t SubsetTriangleCount(DWORD subset) const;
    void Bounds(Vector3& min, Vector3& max) const;

  private:
    ~Mesh() = default;

    IDirect3DDevice9* device;  // borrowed: the engine keeps the device alive longer than meshes
    ULONG references = 1;
    std::vector<MeshVertex> vertices;
    std::vector<uint32_t> indices;
    std::vector<size_t> subsetStart;  // first triangle of each subset, plus one past the last
};

// The system-memory mesh option the engine asks for.
constexpr DWORD MESH_SYSTEM_MEMORY = 0x110;

// Loads a text (or binary) X file into a mesh and its material list, one material per subset.
// The mesh always lives in system memory, whatever `options` says. Hostile input gives a failed
// HRESULT, never a crash; `error` then says why in one line. Parsing without a device:
// ParseXMesh in gfxutil/xfile.h.
HRESULT LoadMeshFromX(const char* fileName, DWORD options, IDirect3DDevice9* device,
                      std::vector<MeshMaterial>& materials, Mesh** mesh,
                      std::string* error = nullptr);
