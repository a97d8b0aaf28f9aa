// Tests of the X-file mesh parser: geometry, materials, frames, binary form, malformed input.
#include "gfxutil/xfile.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

namespace {

constexpr float TOLERANCE = 1e-5f;
const std::string HEADER = "xof 0303txt 0032\n";

// A cube from -1 to 1; each face has its own normal, faces 0, 2, 4 use material 1 (blue), the
// others material 0 (red).
const std::string CUBE_MESH = R"(
Mesh Cube {
  8;
  -1.0;-1.0;-1.0;, 1.0;-1.0;-1.0;, 1.0;1.0;-1.0;, -1.0;1.0;-1.0;,
  -1.0;-1.0;1.0;, 1.0;-1.0;1.0;, 1.0;1.0;1.0;, -1.0;1.0;1.0;;
  6;
  4;0,3,2,1;,
  4;4,5,6,7;,
  4;0,4,7,3;,
  4;1,2,6,5;,
  4;0,1,5,4;,
  4;3,7,6,2;;
  MeshNormals {
    6;
    0.0;0.0;-1.0;, 0.0;0.0;1.0;, -1.0;0.0;0.0;, 1.0;0.0;0.0;, 0.0;-1.0;0.0;, 0.0;1.0;0.0;;
    6;
    4;0,0,0,0;, 4;1,1,1,1;, 4;2,2,2,2;, 4;3,3,3,3;, 4;4,4,4,4;, 4;5,5,5,5;;
  }
  MeshMaterialList {
    2;
    6;
    1,0,1,0,1,0;;
    Material Red {
      1.0;0.0;0.0;1.0;;
      8.0;
      0.5;0.5;0.5;;
      0.0;0.0;0.25;;
    }
    Material Blue {
      0.0;0.0;1.0;0.5;;
      0.0;
      0.0;0.0;0.0;;
      0.0;0.0;0.0;;
      TextureFilename { "blue.bmp"; }
    }
  }
}
)";

const std::string TRIANGLE_MESH = R"(
Mesh {
  3; 0;0;0;, 1;0;0;, 0;1;0;;
  1; 3;0,1,2;;
}
)";

XMeshData Parse(const std::string& body, const std::string& header = HEADER) {
    const std::string text = header + body;
    XMeshData mesh;
    std::string error;
    EXPECT_TRUE(ParseXMesh(reinterpret_cast<const uint8_t*>(text.data()), text.size(), mesh, error))
        << error;
    return mesh;
}

std::string Failure(const std::string& text) {
    XMeshData mesh;
    std::string error;
    EXPECT_FALSE(
        ParseXMesh(reinterpret_cast<const uint8_t*>(text.data()), text.size(), mesh, error));
    EXPECT_TRUE(mesh.vertices.empty());
    EXPECT_FALSE(error.empty());
    return error;
}

Vector3 Position(const MeshVertex& v) {
    return {v.x, v.y, v.z};
}
Vector3 Normal(const MeshVertex& v) {
    return {v.nx, v.ny, v.nz};
}

void ExpectNear(const Vector3& expected, const Vector3& actual) {
    EXPECT_NEAR(expected.x, actual.x, TOLERANCE);
    EXPECT_NEAR(expected.y, actual.y, TOLERANCE);
    EXPECT_NEAR(expected.z, actual.z, TOLERANCE);
}

float Dot(const Vector3& a, const Vector3& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

TEST(XFile, CubeSplitsEachCornerOncePerFaceNormal) {
    const XMeshData cube = Parse(CUBE_MESH);
    // Every corner meets three faces with three normals: 8 x 3 vertices; 6 quads, 12 triangles.
    EXPECT_EQ(24u, cube.vertices.size());
    EXPECT_EQ(36u, cube.indices.size());
    ASSERT_EQ(12u, cube.triangleMaterials.size());
    for (size_t triangle = 0; triangle < 12; ++triangle) {
        // The three corners of a triangle share its face's outward normal, and lie on that face.
        const MeshVertex& first = cube.vertices[cube.indices[3 * triangle]];
        for (size_t corner = 0; corner < 3; ++corner) {
            const MeshVertex& v = cube.vertices[cube.indices[3 * triangle + corner]];
            ExpectNear(Normal(first), Normal(v));
            EXPECT_FLOAT_EQ(1.0f, Dot(Position(v), Normal(v)));
        }
    }
}

TEST(XFile, CubeMaterialsFollowTheListPerFace) {
    const XMeshData cube = Parse(CUBE_MESH);
    // Face k gives triangles 2k and 2k + 1; the list reads 1, 0, 1, 0, 1, 0.
    const std::vector<uint32_t> expected = {1, 1, 0, 0, 1, 1, 0, 0, 1, 1, 0, 0};
    EXPECT_EQ(expected, cube.triangleMaterials);
    ASSERT_EQ(2u, cube.materials.size());
    const D3DMATERIAL9& red = cube.materials[0].material;
    EXPECT_EQ(1.0f, red.Diffuse.r);
    EXPECT_EQ(0.0f, red.Diffuse.b);
    EXPECT_EQ(1.0f, red.Diffuse.a);
    EXPECT_EQ(8.0f, red.Power);
    EXPECT_EQ(0.5f, red.Specular.g);
    EXPECT_EQ(0.25f, red.Emissive.b);
    EXPECT_EQ(0.0f, red.Ambient.r);
    EXPECT_EQ("", cube.materials[0].textureFileName);
    const D3DMATERIAL9& blue = cube.materials[1].material;
    EXPECT_EQ(1.0f, blue.Diffuse.b);
    EXPECT_EQ(0.5f, blue.Diffuse.a);
    EXPECT_EQ("blue.bmp", cube.materials[1].textureFileName);
}

TEST(XFile, PolygonsBecomeTriangleFansAroundTheirFirstCorner) {
    const XMeshData pentagon = Parse(R"(
Mesh {
  5; 0;0;0;, 1;0;0;, 2;1;0;, 1;2;0;, 0;1;0;;
  1; 5;0,1,2,3,4;;
})");
    EXPECT_EQ((std::vector<uint32_t>{0, 1, 2, 0, 2, 3, 0, 3, 4}), pentagon.indices);
}

TEST(XFile, PointsAndLinesGiveNoTrianglesButKeepTheirMaterialSlot) {
    const XMeshData mesh = Parse(R"(
Mesh {
  3; 0;0;0;, 1;0;0;, 0;1;0;;
  2; 2;0,1;, 3;0,1,2;;
  MeshMaterialList { 2; 2; 0, 1;; Material { 1;1;1;1;; 0; 0;0;0;; 0;0;0;; }
                                  Material { 0;1;0;1;; 0; 0;0;0;; 0;0;0;; } }
})");
    EXPECT_EQ(3u, mesh.indices.size());
    EXPECT_EQ((std::vector<uint32_t>{1}), mesh.triangleMaterials);
}

TEST(XFile, MeshWithoutMaterialListGetsOneWhiteMaterial) {
    const XMeshData mesh = Parse(TRIANGLE_MESH);
    ASSERT_EQ(1u, mesh.materials.size());
    const D3DMATERIAL9& material = mesh.materials[0].material;
    EXPECT_EQ(1.0f, material.Diffuse.r);
    EXPECT_EQ(1.0f, material.Diffuse.g);
    EXPECT_EQ(1.0f, material.Diffuse.b);
    EXPECT_EQ(1.0f, material.Diffuse.a);
    EXPECT_EQ(0.0f, material.Power);
    EXPECT_EQ((std::vector<uint32_t>{0}), mesh.triangleMaterials);
    // Without MeshNormals the normals are zero, and without coordinates u and v are 0.
    for (const MeshVertex& v : mesh.vertices) {
        ExpectNear({0, 0, 0}, Normal(v));
        EXPECT_EQ(0.0f, v.u);
        EXPECT_EQ(0.0f, v.v);
    }
}

TEST(XFile, ShortFaceIndexListRepeatsItsLastMaterial) {
    const XMeshData mesh = Parse(R"(
Mesh {
  4; 0;0;0;, 1;0;0;, 1;1;0;, 0;1;0;;
  3; 3;0,1,2;, 3;0,2,3;, 3;0,1,3;;
  MeshMaterialList { 2; 2; 0, 1;;
    Material { 1;0;0;1;; 0; 0;0;0;; 0;0;0;; }
    Material { 0;1;0;1;; 0; 0;0;0;; 0;0;0;; } }
})");
    EXPECT_EQ((std::vector<uint32_t>{0, 1, 1}), mesh.triangleMaterials);
}

TEST(XFile, MaterialsReferencedByNameAreFound) {
    const XMeshData mesh = Parse(R"(
Material Green { 0;1;0;1;; 2; 0;0;0;; 0;0;0;; }
Mesh {
  3; 0;0;0;, 1;0;0;, 0;1;0;;
  1; 3;0,1,2;;
  MeshMaterialList { 1; 1; 0;; { Green } }
})");
    ASSERT_EQ(1u, mesh.materials.size());
    EXPECT_EQ(1.0f, mesh.materials[0].material.Diffuse.g);
    EXPECT_EQ(2.0f, mesh.materials[0].material.Power);
}

TEST(XFile, TextureCoordinatesFollowTheirPositions) {
    const XMeshData mesh = Parse(R"(
Mesh {
  3; 0;0;0;, 1;0;0;, 0;1;0;;
  1; 3;0,1,2;;
  MeshTextureCoords { 3; 0.0;1.0;, 1.0;1.0;, 0.0;0.0;; }
})");
    ASSERT_EQ(3u, mesh.vertices.size());
    EXPECT_EQ(1.0f, mesh.vertices[1].u);
    EXPECT_EQ(1.0f, mesh.vertices[1].v);
    EXPECT_EQ(0.0f, mesh.vertices[2].v);
}

TEST(XFile, ChildFrameTransformAppliesBeforeItsParents) {
    // Inner: a quarter turn about Z, (1, 0, 0) -> (0, 1, 0); outer: a move by (10, 0, 0).
    // Child first gives (10, 1, 0); parent first would give (0, 11, 0).
    const XMeshData mesh = Parse(R"(
Frame Outer {
  FrameTransformMatrix { 1,0,0,0, 0,1,0,0, 0,0,1,0, 10,0,0,1;; }
  Frame Inner {
    FrameTransformMatrix { 0,1,0,0, -1,0,0,0, 0,0,1,0, 0,0,0,1;; }
    Mesh {
      3; 1;0;0;, 0;0;0;, 0;0;1;;
      1; 3;0,1,2;;
      MeshNormals { 1; 1;0;0;; 1; 3;0,0,0;; }
    }
  }
})");
    ASSERT_EQ(3u, mesh.vertices.size());
    ExpectNear({10, 1, 0}, Position(mesh.vertices[0]));
    ExpectNear({10, 0, 0}, Position(mesh.vertices[1]));
    // Normals turn with the frame but do not move.
    ExpectNear({0, 1, 0}, Normal(mesh.vertices[0]));
}

TEST(XFile, StretchedFrameKeepsNormalsPerpendicularToTheirFaces) {
    // Stretching x by 2 turns the face through (1,0,0) and (0,1,0) with normal (1,1,0)/sqrt 2
    // into one through (2,0,0) and (0,1,0), whose normal is (1,2,0)/sqrt 5.
    const XMeshData mesh = Parse(R"(
Frame {
  FrameTransformMatrix { 2,0,0,0, 0,1,0,0, 0,0,1,0, 0,0,0,1;; }
  Mesh {
    3; 1;0;0;, 0;1;0;, 0;1;1;;
    1; 3;0,1,2;;
    MeshNormals { 1; 0.70710678;0.70710678;0;; 1; 3;0,0,0;; }
  }
})");
    const float root5 = std::sqrt(5.0f);
    ExpectNear({1 / root5, 2 / root5, 0}, Normal(mesh.vertices[0]));
}

TEST(XFile, SeveralMeshesMergeWithTheirMaterialsAppended) {
    const XMeshData mesh = Parse(CUBE_MESH + TRIANGLE_MESH);
    EXPECT_EQ(24u + 3u, mesh.vertices.size());
    ASSERT_EQ(13u, mesh.triangleMaterials.size());
    ASSERT_EQ(3u, mesh.materials.size());
    // The triangle's default material comes after the cube's two, and its indices after the
    // cube's vertices.
    EXPECT_EQ(2u, mesh.triangleMaterials[12]);
    EXPECT_EQ((std::vector<uint32_t>{24, 25, 26}),
              std::vector<uint32_t>(mesh.indices.end() - 3, mesh.indices.end()));
}

TEST(XFile, TemplatesUnknownObjectsAndCommentsAreSkipped) {
    const XMeshData mesh = Parse(R"(
// a comment
# another comment
template Mesh {
  <3D82AB44-62DA-11cf-AB39-0020AF71E433>
  DWORD nVertices;
  array Vector vertices[nVertices];
  [...]
}
Header { 1; 0; 1; }
AnimationSet Walk { Animation { { Bone } AnimationKey { 0; 1; 0; 3; 1.0, 2.0, 3.0;;; } } }
Mesh {
  <3D82AB44-62DA-11cf-AB39-0020AF71E433>
  3; 0;0;0;, 1;0;0;, 0;1;0;;
  1; 3;0,1,2;;
  VertexDuplicationIndices { 3; 3; 0, 1, 2; }
  Unknown { Nested { "text"; 1.5; } }
}
)");
    EXPECT_EQ(3u, mesh.vertices.size());
    EXPECT_EQ(3u, mesh.indices.size());
}

TEST(XFile, SeparatorsAreOptional) {
    const XMeshData strict = Parse(TRIANGLE_MESH);
    const XMeshData loose = Parse("Mesh { 3 0 0 0 1 0 0 0 1 0 1 3 0 1 2 }");
    const XMeshData extra = Parse("Mesh { 3;; 0,0,0;; 1,0,0;; 0,1,0;;; 1;; 3;0;1;2;;; }");
    EXPECT_EQ(strict.indices, loose.indices);
    EXPECT_EQ(strict.indices, extra.indices);
    ASSERT_EQ(3u, loose.vertices.size());
    ASSERT_EQ(3u, extra.vertices.size());
    ExpectNear(Position(strict.vertices[2]), Position(loose.vertices[2]));
    ExpectNear(Position(strict.vertices[2]), Position(extra.vertices[2]));
}

TEST(XFile, OlderVersionAndDoubleFloatHeadersAreRead) {
    EXPECT_EQ(3u, Parse(TRIANGLE_MESH, "xof 0302txt 0064\n").vertices.size());
}

// The binary form: 16-bit token numbers, little-endian counts and lists.
class BinaryX {
  public:
    explicit BinaryX(bool doubles = false) : doubles(doubles) {
        const char* header = doubles ? "xof 0303bin 0064" : "xof 0303bin 0032";
        bytes.assign(header, header + 16);
    }
    BinaryX& Name(const std::string& name) {
        Word(1);
        Dword(static_cast<uint32_t>(name.size()));
        bytes.insert(bytes.end(), name.begin(), name.end());
        return *this;
    }
    BinaryX& Open() { return Word(10); }
    BinaryX& Close() { return Word(11); }
    BinaryX& Integers(const std::vector<uint32_t>& values) {
        Word(6);
        Dword(static_cast<uint32_t>(values.size()));
        for (uint32_t value : values) {
            Dword(value);
        }
        return *this;
    }
    BinaryX& Floats(const std::vector<double>& values) {
        Word(7);
        Dword(static_cast<uint32_t>(values.size()));
        for (double value : values) {
            uint8_t raw[8];
            if (doubles) {
                std::memcpy(raw, &value, 8);
            } else {
                const float single = static_cast<float>(value);
                std::memcpy(raw, &single, 4);
            }
            bytes.insert(bytes.end(), raw, raw + (doubles ? 8 : 4));
        }
        return *this;
    }
    BinaryX& Word(uint16_t value) {
        bytes.push_back(value & 0xFF);
        bytes.push_back(value >> 8);
        return *this;
    }
    BinaryX& Dword(uint32_t value) {
        for (int i = 0; i < 4; ++i) {
            bytes.push_back((value >> (8 * i)) & 0xFF);
        }
        return *this;
    }

    std::vector<uint8_t> bytes;

  private:
    bool doubles;
};

BinaryX BinaryTriangle(bool doubles) {
    BinaryX file(doubles);
    file.Name("Mesh").Open();
    file.Integers({3}).Floats({0, 0, 0, 1, 0, 0, 0, 1, 0.5}).Integers({1, 3, 0, 1, 2});
    file.Close();
    return file;
}

TEST(XFile, BinaryFormReadsLikeText) {
    for (bool doubles : {false, true}) {
        const BinaryX file = BinaryTriangle(doubles);
        XMeshData mesh;
        std::string error;
        ASSERT_TRUE(ParseXMesh(file.bytes.data(), file.bytes.size(), mesh, error)) << error;
        EXPECT_EQ((std::vector<uint32_t>{0, 1, 2}), mesh.indices);
        ASSERT_EQ(3u, mesh.vertices.size());
        ExpectNear({0, 1, 0.5f}, Position(mesh.vertices[2]));
    }
}

TEST(XFile, TruncatedBinaryListsFail) {
    const BinaryX file = BinaryTriangle(false);
    for (size_t cut = 17; cut < file.bytes.size(); cut += 3) {
        XMeshData mesh;
        std::string error;
        EXPECT_FALSE(ParseXMesh(file.bytes.data(), cut, mesh, error)) << cut;
    }
    BinaryX hugeList;
    hugeList.Name("Mesh").Open().Word(6).Dword(0xFFFFFFFF).Dword(3);
    XMeshData mesh;
    std::string error;
    EXPECT_FALSE(ParseXMesh(hugeList.bytes.data(), hugeList.bytes.size(), mesh, error));
}

TEST(XFile, MalformedTextFailsWithAReason) {
    Failure("");
    Failure("xof 0303txt");
    Failure("xof 0303tzip0032" + TRIANGLE_MESH);
    Failure("xof 0303abc 0032" + TRIANGLE_MESH);
    Failure("xof 0303txt 0016" + TRIANGLE_MESH);
    Failure(HEADER);  // no mesh at all
    Failure(HEADER + "Header { 1; 0; 1; }");
    Failure(HEADER + "Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,3;; }");  // index 3 of 3
    Failure(HEADER + "Mesh { 100; 0;0;0;, 1;0;0;; 0; }");                  // 100 announced
    Failure(HEADER + "Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,2;;");    // no closing brace
    Failure(HEADER + "Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 9999999;0,1,2;; }");
    Failure(HEADER + "Mesh { -3; 0;0;0; }");
    Failure(HEADER + "Mesh { 1.5; 0;0;0; }");
    Failure(HEADER + "Mesh { nan; }");
    Failure(HEADER + "Mesh { 1; 0;0;0;; 0; TextureFilename { \"open string; } }");
    Failure(HEADER + "template Broken { <AAAA> DWORD x;");
    Failure(HEADER + "Mesh { 1; 0;0;0;; 0; MeshMaterialList { 1; 1; 5;; } }");
    Failure(HEADER +
            "Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,2;; "
            "MeshMaterialList { 1; 1; 0;; { Missing } } }");
    Failure(HEADER +
            "Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,2;; "
            "MeshMaterialList { 1; 1; 0;; Material { 1; 1; } } }");
    Failure(HEADER +
            "Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,2;; "
            "MeshNormals { 1; 0;0;1;; 1; 3;0,0,1;; } }");  // normal 1 of 1
    Failure(HEADER + "}");
}

// A list's material count needs no data behind it, so its own ceiling keeps a few bytes from
// asking for gigabytes of white materials, in one list or in many meshes together.
TEST(XFile, MaterialCountsAboveTheCeilingFail) {
    const auto triangleWithMaterials = [](uint64_t count) {
        return "Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,2;; MeshMaterialList { " +
               std::to_string(count) + "; 1; 0;; } }\n";
    };
    const XMeshData atCeiling = Parse(triangleWithMaterials(MAX_X_MATERIALS));
    ASSERT_EQ(MAX_X_MATERIALS, atCeiling.materials.size());
    EXPECT_EQ(1.0f, atCeiling.materials.back().material.Diffuse.g);

    EXPECT_NE(std::string::npos,
              Failure(HEADER + triangleWithMaterials(MAX_X_MATERIALS + 1)).find("materials"));
    const std::string overHalf = triangleWithMaterials(MAX_X_MATERIALS / 2 + 1);
    EXPECT_NE(std::string::npos, Failure(HEADER + overHalf + overHalf).find("materials"));
    // Six meshes at the element ceiling: 533 bytes that used to ask for over 2 GB.
    std::string sixMeshes = HEADER;
    for (int mesh = 0; mesh < 6; ++mesh) {
        sixMeshes += triangleWithMaterials(MAX_X_MESH_ELEMENTS);
    }
    Failure(sixMeshes);
}

TEST(XFile, DeepNestingFailsInsteadOfExhaustingTheStack) {
    std::string deep = HEADER;
    for (int i = 0; i < 100000; ++i) {
        deep += "Frame {";
    }
    EXPECT_NE(std::string::npos, Failure(deep).find("deep"));
}

}  // namespace
