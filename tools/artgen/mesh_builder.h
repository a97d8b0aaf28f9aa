// Triangle meshes assembled face by face, with the winding Direct3D keeps under CCW culling.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace artgen {

struct Vec3 {
    float x, y, z;
};

Vec3 operator+(const Vec3& a, const Vec3& b);
Vec3 operator-(const Vec3& a, const Vec3& b);
Vec3 operator*(const Vec3& a, float scale);
Vec3 Cross(const Vec3& a, const Vec3& b);
float Dot(const Vec3& a, const Vec3& b);
Vec3 Normalised(const Vec3& v);

struct Vertex {
    Vec3 position{0, 0, 0};
    Vec3 normal{0, 0, 0};
    float u = 0, v = 0;
};

// A material as an X file stores it: face colour RGBA, power, specular RGB, emissive RGB.
struct XMaterial {
    float red, green, blue, alpha;
    float power;
    float specularRed, specularGreen, specularBlue;
    float emissiveRed, emissiveGreen, emissiveBlue;
};

struct Triangle {
    uint32_t a, b, c;
    uint32_t material;
};

class MeshBuilder {
  public:
    // A triangle whose front faces `outward`: its corners are put in clockwise order as seen from
    // that side, so counter-clockwise culling keeps it.
    void AddTriangle(Vertex a, Vertex b, Vertex c, const Vec3& outward, uint32_t material = 0);
    // A planar quad with corners in order around its edge (either direction), flat-shaded.
    void AddQuad(Vertex a, Vertex b, Vertex c, Vertex d, const Vec3& outward,
                 uint32_t material = 0);
    // A triangle with the vertices' own normals (smooth shading), wound to face `outward`.
    void AddSmoothTriangle(const Vertex& a, const Vertex& b, const Vertex& c, const Vec3& outward,
                           uint32_t material = 0);
    // Shared vertices: AddVertex returns an index for AddIndexedTriangle.
    uint32_t AddVertex(const Vertex& vertex);
    void AddIndexedTriangle(uint32_t a, uint32_t b, uint32_t c, const Vec3& outward,
                            uint32_t material = 0);
    uint32_t AddMaterial(const XMaterial& material);

    const std::vector<Vertex>& Vertices() const { return vertices; }
    const std::vector<Triangle>& Triangles() const { return triangles; }
    const std::vector<XMaterial>& Materials() const { return materials; }

  private:
    std::vector<Vertex> vertices;
    std::vector<Triangle> triangles;
    std::vector<XMaterial> materials;
};

// Faces of an axis-aligned box; a box may leave some out where another part covers them.
enum BoxFace : uint32_t {
    BOX_TOP = 1,
    BOX_BOTTOM = 2,
    BOX_LEFT = 4,   // -x
    BOX_RIGHT = 8,  // +x
    BOX_NEAR = 16,  // -z
    BOX_FAR = 32,   // +z
    BOX_ALL = 63
};

// An axis-aligned box from `min` to `max`. Texture coordinates run `repeatsPerUnit` textures
// per world unit (0: each face takes the whole texture once); u follows the box's longer
// horizontal side on top and bottom, and the horizontal edge on the sides, with v downwards.
void AddBox(MeshBuilder& mesh, const Vec3& min, const Vec3& max, uint32_t faces,
            float repeatsPerUnit, uint32_t material = 0);

}  // namespace artgen
