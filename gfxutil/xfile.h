// Static meshes out of X files: the geometry of every Mesh object, placed by its frames, merged.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "gfxutil/mesh.h"

struct XMeshData {
    std::vector<MeshVertex> vertices;
    std::vector<uint32_t> indices;            // three per triangle, in file order
    std::vector<uint32_t> triangleMaterials;  // one per triangle, an index into materials
    std::vector<MeshMaterial> materials;
};

// Ceilings that keep a hostile file from asking for unbounded memory.
constexpr size_t MAX_X_FILE_BYTES = size_t(16) << 20;
constexpr uint32_t MAX_X_MESH_ELEMENTS = uint32_t(1) << 22;  // vertices, faces or triangles
// Materials of all meshes together. A list's count needs no data behind it (the materials it does
// not give are white), and each material is a subset drawn every frame: without a ceiling of its
// own, a few bytes could ask for gigabytes.
constexpr uint32_t MAX_X_MATERIALS = uint32_t(1) << 16;

// Parses a text or binary X file held in memory. Each Mesh is transformed by its frames (a child
// frame's matrix first, then its parents'); faces are split into triangle fans; vertices are
// duplicated where faces give one position different normals; a Mesh without a material list
// gets a white default material. False with a one-line reason on malformed input.
bool ParseXMesh(const uint8_t* data, size_t size, XMeshData& mesh, std::string& error);
