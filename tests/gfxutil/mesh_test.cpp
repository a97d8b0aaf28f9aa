// Tests of the mesh: subsets by material, subset drawing, references, loading from an X file.
#include "gfxutil/mesh.h"

#include <gtest/gtest.h>

#include <cstring>

#include "tests/gfxutil/gfxutil_test_support.h"

namespace {

constexpr DWORD XYZ_NORMAL_TEX1 = 0x002 | 0x010 | 0x100;

std::vector<MeshVertex> FourVertices() {
    return {{0, 0, 0, 0, 0, -1, 0, 0},
            {1, 0, 0, 0, 0, -1, 1, 0},
            {1, 1, 0, 0, 0, -1, 1, 1},
            {0, 1, 2, 0, 0, -1, 0, 1}};
}

// Three triangles of materials 1, 0, 1, in that order.
Mesh* ThreeTriangles(IDirect3DDevice9* device, size_t subsetCount = 0) {
    return new Mesh(device, FourVertices(), {0, 1, 2, 0, 2, 3, 1, 2, 3}, {1, 0, 1}, subsetCount);
}

TEST(Mesh, SubsetsGatherTrianglesByMaterialInFileOrder) {
    Mesh* mesh = ThreeTriangles(nullptr);
    EXPECT_EQ(2u, mesh->SubsetCount());
    EXPECT_EQ(3u, mesh->TriangleCount());
    EXPECT_EQ(1u, mesh->SubsetTriangleCount(0));
    EXPECT_EQ(2u, mesh->SubsetTriangleCount(1));
    EXPECT_EQ(0u, mesh->SubsetTriangleCount(2));
    EXPECT_EQ((std::vector<uint32_t>{0, 2, 3, 0, 1, 2, 1, 2, 3}), mesh->Indices());
    mesh->Release();
}

TEST(Mesh, DrawSubsetSetsTheFormatAndDrawsThatSubsetsIndices) {
    RecordingDevice recording;
    recording.device->BeginScene();
    recording.log.Clear();
    Mesh* mesh = ThreeTriangles(recording.device);

    EXPECT_EQ(D3D_OK, mesh->DrawSubset(1));
    ASSERT_EQ((std::vector<std::string>{"SetFVF", "DrawIndexedPrimitiveUP"}),
              CallNames(recording.log));
    EXPECT_EQ("SetFVF " + std::to_string(XYZ_NORMAL_TEX1), recording.log.calls[0].ToString());
    // Triangle list, first vertex 0, all 4 vertices, 2 triangles, 32-bit indices, stride 32.
    const auto& draw = recording.log.calls[1];
    EXPECT_EQ("DrawIndexedPrimitiveUP 4 0 4 2 102 32", draw.ToString());
    ASSERT_GE(draw.data.size(), 6 * sizeof(uint32_t));
    uint32_t indices[6];
    std::memcpy(indices, draw.data.data(), sizeof indices);
    EXPECT_EQ((std::vector<uint32_t>{0, 1, 2, 1, 2, 3}),
              std::vector<uint32_t>(indices, indices + 6));
    mesh->Release();
    recording.device->EndScene();
}

TEST(Mesh, EmptySubsetDrawsNothingAndOutOfRangeIsInvalid) {
    RecordingDevice recording;
    Mesh* mesh = ThreeTriangles(recording.device, 4);
    EXPECT_EQ(4u, mesh->SubsetCount());
    EXPECT_EQ(D3D_OK, mesh->DrawSubset(3));
    EXPECT_EQ(D3DERR_INVALIDCALL, mesh->DrawSubset(4));
    EXPECT_TRUE(recording.log.calls.empty());
    mesh->Release();
}

TEST(Mesh, ReleaseCountsReferencesLikeAnInterface) {
    Mesh* mesh = ThreeTriangles(nullptr);
    EXPECT_EQ(2u, mesh->AddRef());
    EXPECT_EQ(1u, mesh->Release());
    EXPECT_EQ(0u, mesh->Release());
}

const char* const TWO_MATERIAL_QUADS = R"(xof 0303txt 0032
Mesh {
  6; 0;0;0;, 1;0;0;, 1;1;0;, 0;1;0;, 2;0;0;, 2;1;0;;
  2; 4;0,1,2,3;, 4;1,4,5,2;;
  MeshMaterialList { 2; 2; 1, 0;;
    Material { 1;0;0;1;; 5; 1;1;1;; 0;0;0;; }
    Material { 0;0;1;1;; 0; 0;0;0;; 0;0;0;; TextureFilename { "wall.bmp"; } } }
}
)";

TEST(Mesh, LoadMeshFromXGivesOneSubsetPerMaterial) {
    RecordingDevice recording;
    const ScratchFile file("quads.x", std::string(TWO_MATERIAL_QUADS));
    std::vector<MeshMaterial> materials;
    Mesh* mesh = nullptr;
    ASSERT_EQ(D3D_OK, LoadMeshFromX(file.Path().c_str(), MESH_SYSTEM_MEMORY, recording.device,
                                    materials, &mesh));
    ASSERT_NE(nullptr, mesh);
    ASSERT_EQ(2u, materials.size());
    EXPECT_EQ(5.0f, materials[0].material.Power);
    EXPECT_EQ("wall.bmp", materials[1].textureFileName);
    EXPECT_EQ(2u, mesh->SubsetCount());
    EXPECT_EQ(2u, mesh->SubsetTriangleCount(0));  // the second quad
    EXPECT_EQ(2u, mesh->SubsetTriangleCount(1));  // the first quad
    Vector3 min;
    Vector3 max;
    mesh->Bounds(min, max);
    EXPECT_EQ(2.0f, max.x);
    EXPECT_EQ(1.0f, max.y);
    EXPECT_TRUE(recording.log.calls.empty());  // loading draws and creates nothing
    mesh->Release();
}

TEST(Mesh, LoadMeshFromXFailsCleanlyOnMissingOrBrokenFiles) {
    RecordingDevice recording;
    std::vector<MeshMaterial> materials(1);
    Mesh* mesh = reinterpret_cast<Mesh*>(1);
    std::string error;
    EXPECT_TRUE(FAILED(LoadMeshFromX("/nonexistent/gorvanti/ball.x", MESH_SYSTEM_MEMORY,
                                     recording.device, materials, &mesh, &error)));
    EXPECT_EQ(nullptr, mesh);
    EXPECT_TRUE(materials.empty());
    EXPECT_FALSE(error.empty());

    const ScratchFile broken("broken.x", std::string("xof 0303txt 0032\nMesh { 3; 0;0;0; }"));
    EXPECT_TRUE(FAILED(LoadMeshFromX(broken.Path().c_str(), MESH_SYSTEM_MEMORY, recording.device,
                                     materials, &mesh, &error)));
    EXPECT_EQ(nullptr, mesh);
    EXPECT_EQ(D3DERR_INVALIDCALL,
              LoadMeshFromX(broken.Path().c_str(), MESH_SYSTEM_MEMORY, nullptr, materials, &mesh));
}

}  // namespace
