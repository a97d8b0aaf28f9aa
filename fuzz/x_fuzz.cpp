// Fuzz target: the X-file parser on arbitrary bytes, then the mesh built from what it returns.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "gfxutil/xfile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    XMeshData parsed;
    std::string error;
    if (!ParseXMesh(data, size, parsed, error)) {
        if (error.empty() || !parsed.vertices.empty()) {
            std::abort();
        }
        return 0;
    }
    if (parsed.indices.size() != parsed.triangleMaterials.size() * 3 || parsed.materials.empty()) {
        std::abort();
    }
    for (uint32_t index : parsed.indices) {
        if (index >= parsed.vertices.size()) {
            std::abort();
        }
    }
    for (uint32_t material : parsed.triangleMaterials) {
        if (material >= parsed.materials.size()) {
            std::abort();
        }
    }
    const size_t triangles = parsed.triangleMaterials.size();
    const size_t materials = parsed.materials.size();
    Mesh* mesh = new Mesh(nullptr, std::move(parsed.vertices), std::move(parsed.indices),
                          std::move(parsed.triangleMaterials), materials);
    if (mesh->SubsetCount() != materials || mesh->TriangleCount() != triangles) {
        std::abort();
    }
    mesh->Release();
    return 0;
}
