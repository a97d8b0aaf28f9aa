// Face winding and box assembly for the generated meshes.
#include "tools/artgen/mesh_builder.h"

#include <cmath>

namespace artgen {

Vec3 operator+(const Vec3& a, const Vec3& b) {
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}
Vec3 operator-(const Vec3& a, const Vec3& b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
Vec3 operator*(const Vec3& a, float scale) {
    return {a.x * scale, a.y * scale, a.z * scale};
}

Vec3 Cross(const Vec3& a, const Vec3& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

float Dot(const Vec3& a, const Vec3& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

Vec3 Normalised(const Vec3& v) {
    const float length = std::sqrt(Dot(v, v));
    return length > 0 ? v * (1.0f / length) : v;
}

uint32_t MeshBuilder::AddVertex(const Vertex& vertex) {
    vertices.push_back(vertex);
    return static_cast<uint32_t>(vertices.size() - 1);
}

void MeshBuilder::AddIndexedTriangle(uint32_t a, uint32_t b, uint32_t c, const Vec3& outward,
                                     uint32_t material) {
    // In a left-handed system, corners that run clockwise seen from outside have
    // (b - a) x (c - a) pointing outward.
    const Vec3& pa = vertices[a].position;
    const bool clockwise =
        Dot(Cross(vertices[b].position - pa, vertices[c].position - pa), outward) > 0;
    triangles.push_back({a, clockwise ? b : c, clockwise ? c : b, material});
}

void MeshBuilder::AddSmoothTriangle(const Vertex& a, const Vertex& b, const Vertex& c,
                                    const Vec3& outward, uint32_t material) {
    const uint32_t first = AddVertex(a);
    const uint32_t second = AddVertex(b);
    const uint32_t third = AddVertex(c);
    AddIndexedTriangle(first, second, third, outward, material);
}

void MeshBuilder::AddTriangle(Vertex a, Vertex b, Vertex c, const Vec3& outward,
                              uint32_t material) {
    const Vec3 normal = Normalised(outward);
    a.normal = b.normal = c.normal = normal;
    AddSmoothTriangle(a, b, c, normal, material);
}

void MeshBuilder::AddQuad(Vertex a, Vertex b, Vertex c, Vertex d, const Vec3& outward,
                          uint32_t material) {
    const Vec3 normal = Normalised(outward);
    a.normal = b.normal = c.normal = d.normal = normal;
    const uint32_t first = AddVertex(a);
    const uint32_t second = AddVertex(b);
    const uint32_t third = AddVertex(c);
    const uint32_t fourth = AddVertex(d);
    AddIndexedTriangle(first, second, third, normal, material);
    AddIndexedTriangle(first, third, fourth, normal, material);
}

uint32_t MeshBuilder::AddMaterial(const XMaterial& material) {
    materials.push_back(material);
    return static_cast<uint32_t>(materials.size() - 1);
}

void AddBox(MeshBuilder& mesh, const Vec3& min, const Vec3& max, uint32_t faces,
            float repeatsPerUnit, uint32_t material) {
    const float sizeX = max.x - min.x;
    const float sizeY = max.y - min.y;
    const float sizeZ = max.z - min.z;
    // texture coordinate along a face edge of the given length, from 0 at its start
    auto along = [repeatsPerUnit](float distance, float length) {
        return repeatsPerUnit > 0 ? distance * repeatsPerUnit : distance / length;
    };
    auto corner = [](float x, float y, float z, float u, float v) {
        return Vertex{{x, y, z}, {0, 0, 0}, u, v};
    };

    for (const bool top : {true, false}) {
        if ((faces & (top ? BOX_TOP : BOX_BOTTOM)) == 0) {
            continue;
        }
        const float y = top ? max.y : min.y;
        const bool uAlongX = sizeX >= sizeZ;
        // seen from above: u to the right (+x) or along +z, v down the screen (towards -z)
        auto at = [&](float x, float z) {
            if (uAlongX) {
                return corner(x, y, z, along(x - min.x, sizeX), along(max.z - z, sizeZ));
            }
            return corner(x, y, z, along(z - min.z, sizeZ), along(x - min.x, sizeX));
        };
        mesh.AddQuad(at(min.x, min.z), at(min.x, max.z), at(max.x, max.z), at(max.x, min.z),
                     {0, top ? 1.0f : -1.0f, 0}, material);
    }
    for (const bool right : {false, true}) {
        if ((faces & (right ? BOX_RIGHT : BOX_LEFT)) == 0) {
            continue;
        }
        const float x = right ? max.x : min.x;
        auto at = [&](float y, float z) {
            return corner(x, y, z, along(z - min.z, sizeZ), along(max.y - y, sizeY));
        };
        mesh.AddQuad(at(min.y, min.z), at(max.y, min.z), at(max.y, max.z), at(min.y, max.z),
                     {right ? 1.0f : -1.0f, 0, 0}, material);
    }
    for (const bool far : {false, true}) {
        if ((faces & (far ? BOX_FAR : BOX_NEAR)) == 0) {
            continue;
        }
        const float z = far ? max.z : min.z;
        auto at = [&](float x, float y) {
            return corner(x, y, z, along(x - min.x, sizeX), along(max.y - y, sizeY));
        };
        mesh.AddQuad(at(min.x, min.y), at(max.x, min.y), at(max.x, max.y), at(min.x, max.y),
                     {0, 0, far ? 1.0f : -1.0f}, material);
    }
}

}  // namespace artgen
