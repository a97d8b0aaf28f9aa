// Tests of the X-file writer and the mesh builder's winding, read back through the game's X-file
// parser.
#include "tools/artgen/x_writer.h"

#include <gtest/gtest.h>

#include "gfxutil/xfile.h"

namespace {

XMeshData Parse(const std::string& text) {
    XMeshData data;
    std::string error;
    EXPECT_TRUE(ParseXMesh(reinterpret_cast<const uint8_t*>(text.data()), text.size(), data, error))
        << error;
    return data;
}

artgen::Vertex At(float x, float y, float z, float u = 0, float v = 0) {
    return {{x, y, z}, {0, 0, 0}, u, v};
}

TEST(XWriter, MaterialsComeBackInTheirFieldsAndFacesWithTheirMaterial) {
    artgen::MeshBuilder mesh;
    mesh.AddMaterial({0.1f, 0.2f, 0.3f, 0.4f, 5.0f, 0.6f, 0.7f, 0.8f, 0.9f, 0.25f, 0.5f});
    mesh.AddMaterial({1.0f, 0.5f, 0.0f, 1.0f, 0.0f, 0, 0, 0, 0, 0, 0});
    mesh.AddTriangle(At(0, 0, 0), At(1, 0, 0), At(0, 0, 1), {0, 1, 0}, 0);
    mesh.AddTriangle(At(0, 0, 0), At(0, 1, 0), At(1, 0, 0), {0, 0, -1}, 1);
    const XMeshData data = Parse(artgen::EncodeXFile(mesh, "sample", false));
    ASSERT_EQ(data.materials.size(), 2u);
    const D3DMATERIAL9& first = data.materials[0].material;
    EXPECT_FLOAT_EQ(first.Diffuse.r, 0.1f);
    EXPECT_FLOAT_EQ(first.Diffuse.a, 0.4f);
    EXPECT_FLOAT_EQ(first.Power, 5.0f);
    EXPECT_FLOAT_EQ(first.Specular.b, 0.8f);
    EXPECT_FLOAT_EQ(first.Emissive.r, 0.9f);
    EXPECT_FLOAT_EQ(first.Emissive.b, 0.5f);
    EXPECT_EQ(data.triangleMaterials, (std::vector<uint32_t>{0, 1}));
}

TEST(XWriter, PositionsNormalsAndTextureCoordinatesRoundTrip) {
    artgen::MeshBuilder mesh;
    mesh.AddMaterial({0.5f, 0.5f, 0.5f, 1.0f, 0, 0, 0, 0, 0, 0, 0});
    mesh.AddQuad(At(-1.5f, 0, -2, 0, 1), At(-1.5f, 0, 2, 0, 0), At(1.5f, 0, 2, 1, 0),
                 At(1.5f, 0, -2, 1, 1), {0, 1, 0});
    const XMeshData data = Parse(artgen::EncodeXFile(mesh, "quad", true));
    ASSERT_EQ(data.indices.size(), 6u);
    for (uint32_t index : data.indices) {
        const MeshVertex& v = data.vertices[index];
        EXPECT_FLOAT_EQ(v.ny, 1.0f);
        EXPECT_FLOAT_EQ(v.u, v.x < 0 ? 0.0f : 1.0f);
        EXPECT_FLOAT_EQ(v.v, v.z < 0 ? 1.0f : 0.0f);
    }
}

// Clockwise seen from the outward side, in a left-handed space: (b - a) x (c - a) points out.
TEST(MeshBuilder, WindsEveryFaceClockwiseFromItsOutsideWhateverTheCornerOrder) {
    artgen::MeshBuilder mesh;
    mesh.AddQuad(At(0, 0, 0), At(0, 0, 1), At(1, 0, 1), At(1, 0, 0), {0, 1, 0});
    mesh.AddQuad(At(0, 0, 0), At(1, 0, 0), At(1, 0, 1), At(0, 0, 1), {0, 1, 0});
    mesh.AddQuad(At(0, 0, 0), At(1, 0, 0), At(1, 0, 1), At(0, 0, 1), {0, -1, 0});
    artgen::AddBox(mesh, {-1, -1, -1}, {1, 1, 1}, artgen::BOX_ALL, 0.0f);
    ASSERT_EQ(mesh.Triangles().size(), 6u + 12u);
    for (const artgen::Triangle& t : mesh.Triangles()) {
        const artgen::Vertex& a = mesh.Vertices()[t.a];
        const artgen::Vertex& b = mesh.Vertices()[t.b];
        const artgen::Vertex& c = mesh.Vertices()[t.c];
        const artgen::Vec3 winding =
            artgen::Cross(b.position - a.position, c.position - a.position);
        EXPECT_GT(artgen::Dot(winding, a.normal), 0.0f);
    }
}

TEST(MeshBuilder, BoxesLeaveOutTheFacesTheyAreAskedTo) {
    artgen::MeshBuilder mesh;
    artgen::AddBox(mesh, {0, 0, 0}, {10, 1, 2}, artgen::BOX_TOP | artgen::BOX_FAR, 0.5f);
    ASSERT_EQ(mesh.Triangles().size(), 4u);
    float largestU = 0;
    for (const artgen::Vertex& v : mesh.Vertices()) {
        EXPECT_TRUE(v.normal.y > 0.99f || v.normal.z > 0.99f);
        largestU = std::max(largestU, v.u);
    }
    // half a texture per unit along the box's 10-unit length
    EXPECT_FLOAT_EQ(largestU, 5.0f);
}

}  // namespace
