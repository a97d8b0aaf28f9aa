// The system-memory mesh: triangles sorted into subsets, drawn with DrawIndexedPrimitiveUP.
#include "gfxutil/mesh.h"

#include <algorithm>
#include <cassert>

#include "gfxutil/file_bytes.h"
#include "gfxutil/xfile.h"

Mesh::Mesh(IDirect3DDevice9* device, std::vector<MeshVertex> vertices,
           std::vector<uint32_t> faceIndices, std::vector<uint32_t> faceMaterials,
           size_t subsetCount)
    : device(device), vertices(std::move(vertices)) {
    assert(faceIndices.size() == faceMaterials.size() * 3);
    for (uint32_t material : faceMaterials) {
        if (material >= subsetCount) {
            subsetCount = size_t(material) + 1;
        }
    }
    // A counting sort: stable, so each subset keeps its triangles in file order.
    subsetStart.assign(subsetCount + 1, 0);
    for (uint32_t material : faceMaterials) {
        ++subsetStart[material + 1];
    }
    for (size_t subset = 1; subset <= subsetCount; ++subset) {
        subsetStart[subset] += subsetStart[subset - 1];
    }
    std::vector<size_t> next(subsetStart.begin(), subsetStart.end() - 1);
    indices.resize(faceIndices.size());
    for (size_t triangle = 0; triangle < faceMaterials.size(); ++triangle) {
        const size_t target = next[faceMaterials[triangle]]++;
        for (size_t corner = 0; corner < 3; ++corner) {
            indices[target * 3 + corner] = faceIndices[triangle * 3 + corner];
        }
    }
}

ULONG Mesh::AddRef() {
    return ++references;
}

ULONG Mesh::Release() {
    const ULONG remaining = --references;
    if (remaining == 0) {
        delete this;
    }
    return remaining;
}

size_t Mesh::SubsetTriangleCount(DWORD subset) const {
    if (subset >= SubsetCount()) {
        return 0;
    }
    return subsetStart[subset + 1] - subsetStart[subset];
}

HRESULT Mesh::DrawSubset(DWORD subset) {
    if (subset >= SubsetCount() || device == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    const size_t triangles = SubsetTriangleCount(subset);
    if (triangles == 0) {
        return D3D_OK;
    }
    const HRESULT result = device->SetFVF(MESH_VERTEX_FVF);
    if (FAILED(result)) {
        return result;
    }
    return device->DrawIndexedPrimitiveUP(D3DPT_TRIANGLELIST, 0, static_cast<UINT>(vertices.size()),
                                          static_cast<UINT>(triangles),
                                          indices.data() + subsetStart[subset] * 3, D3DFMT_INDEX32,
                                          vertices.data(), sizeof(MeshVertex));
}

void Mesh::Bounds(Vector3& min, Vector3& max) const {
    if (vertices.empty()) {
        min = max = {0, 0, 0};
        return;
    }
    min = max = {vertices[0].x, vertices[0].y, vertices[0].z};
    for (const MeshVertex& v : vertices) {
        min = {std::min(min.x, v.x), std::min(min.y, v.y), std::min(min.z, v.z)};
        max = {std::max(max.x, v.x), std::max(max.y, v.y), std::max(max.z, v.z)};
    }
}

HRESULT LoadMeshFromX(const char* fileName, DWORD /*options*/, IDirect3DDevice9* device,
                      std::vector<MeshMaterial>& materials, Mesh** mesh, std::string* error) {
    materials.clear();
    std::string reason;
    std::string& message = error != nullptr ? *error : reason;
    if (fileName == nullptr || device == nullptr || mesh == nullptr) {
        message = "missing argument";
        return D3DERR_INVALIDCALL;
    }
    *mesh = nullptr;
    std::vector<uint8_t> bytes;
    XMeshData data;
    if (!ReadFileBytes(fileName, MAX_X_FILE_BYTES, bytes, message) ||
        !ParseXMesh(bytes.data(), bytes.size(), data, message)) {
        return E_FAIL;
    }
    materials = std::move(data.materials);
    *mesh = new Mesh(device, std::move(data.vertices), std::move(data.indices),
                     std::move(data.triangleMaterials), materials.size());
    return D3D_OK;
}
