// The generated art as the game reads it: files of the build's run folder through the project's
// own loaders.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "gfxutil/matrix.h"
#include "gfxutil/mesh.h"
#include "gfxutil/texture_loader.h"

std::string RunFolderPath(const std::string& name);
std::vector<uint8_t> ReadBytes(const std::string& path);

// A picture of graphics/ through the texture loader's decoder; empty when it cannot be read.
DecodedImage LoadGraphic(const std::string& name);
// The same for a picture that must be `side` x `side` texels: a fatal failure when it is not.
void LoadSquareGraphic(const std::string& name, uint32_t side, DecodedImage& image);

inline uint32_t Alpha(uint32_t argb) {
    return argb >> 24;
}

// A mesh of graphics/ as LoadMeshFromX delivers it, with the material of every triangle.
struct LoadedMesh {
    bool loaded = false;
    std::vector<MeshVertex> vertices;
    std::vector<uint32_t> indices;  // three per triangle
    std::vector<uint32_t> triangleMaterials;
    std::vector<MeshMaterial> materials;
    Vector3 min{0, 0, 0};
    Vector3 max{0, 0, 0};

    size_t TriangleCount() const { return indices.size() / 3; }
    const MeshVertex& Corner(size_t triangle, int corner) const {
        return vertices[indices[triangle * 3 + corner]];
    }
};

LoadedMesh LoadGraphicMesh(const std::string& name);

// (b - a) x (c - a) of a triangle's corners: in Direct3D's left-handed space it points to the
// side from which the corners run clockwise, the side counter-clockwise culling keeps.
Vector3 WindingNormal(const LoadedMesh& mesh, size_t triangle);
float Dot(const Vector3& a, const Vector3& b);
