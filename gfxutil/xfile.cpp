// From the X-file object tree to one mesh: frames, geometry, normals, coordinates, materials.
#include "gfxutil/xfile.h"

#include <cmath>
#include <map>
#include <unordered_map>

#include "gfxutil/xfile_objects.h"

namespace {

constexpr size_t MATRIX_NUMBERS = 16;
constexpr size_t MATERIAL_NUMBERS = 11;  // face colour RGBA, power, specular RGB, emissive RGB
constexpr uint32_t NO_NORMAL = UINT32_MAX;
constexpr uint32_t MIN_POLYGON_CORNERS = 3;

// Reads the numbers of one object front to back; every read checks what is left.
class NumberCursor {
  public:
    explicit NumberCursor(const std::vector<double>& numbers) : numbers(numbers) {}

    size_t Remaining() const { return numbers.size() - position; }

    // A whole number from 0 to `limit`.
    bool Whole(uint64_t limit, uint32_t& value) {
        if (Remaining() == 0) {
            return false;
        }
        const double number = numbers[position];
        // Written so that NaN fails as well.
        if (!(number >= 0 && number <= static_cast<double>(limit)) ||
            number != std::floor(number)) {
            return false;
        }
        value = static_cast<uint32_t>(number);
        ++position;
        return true;
    }

    float Float() { return static_cast<float>(numbers[position++]); }

  private:
    const std::vector<double>& numbers;
    size_t position = 0;
};

struct Polygons {
    std::vector<uint32_t> firstCorner;  // per face, plus one past the last corner
    std::vector<uint32_t> corners;
};

struct MeshSource {
    std::vector<Vector3> positions;
    Polygons faces;
    std::vector<Vector3> normals;
    std::vector<uint32_t> cornerNormals;    // per corner of `faces`, NO_NORMAL when none
    std::vector<float> textureCoordinates;  // u, v per position; may be shorter
    std::vector<uint32_t> faceMaterials;    // per face
    std::vector<MeshMaterial> materials;
};

using MaterialsByName = std::map<std::string, const XObject*>;

bool Fail(std::string& error, const std::string& reason) {
    error = reason;
    return false;
}

bool ReadVectors(NumberCursor& cursor, std::vector<Vector3>& vectors, const char* what,
                 std::string& error) {
    uint32_t count = 0;
    if (!cursor.Whole(MAX_X_MESH_ELEMENTS, count) || cursor.Remaining() / 3 < count) {
        return Fail(error, std::string(what) + ": bad or truncated count");
    }
    vectors.resize(count);
    for (Vector3& v : vectors) {
        v.x = cursor.Float();
        v.y = cursor.Float();
        v.z = cursor.Float();
    }
    return true;
}

// A face list: a count, then per face its corner count and corner indices, each below `limit`.
bool ReadPolygons(NumberCursor& cursor, uint32_t limit, Polygons& polygons, const char* what,
                  std::string& error) {
    uint32_t faceCount = 0;
    if (!cursor.Whole(MAX_X_MESH_ELEMENTS, faceCount) || cursor.Remaining() < faceCount) {
        return Fail(error, std::string(what) + ": bad or truncated face count");
    }
    polygons.firstCorner.assign(1, 0);
    polygons.firstCorner.reserve(size_t(faceCount) + 1);
    for (uint32_t face = 0; face < faceCount; ++face) {
        uint32_t cornerCount = 0;
        if (!cursor.Whole(cursor.Remaining(), cornerCount) ||
            polygons.corners.size() + cornerCount > MAX_X_MESH_ELEMENTS) {
            return Fail(error, std::string(what) + ": bad or truncated face");
        }
        for (uint32_t corner = 0; corner < cornerCount; ++corner) {
            uint32_t index = 0;
            if (limit == 0 || !cursor.Whole(limit - 1, index)) {
                return Fail(error, std::string(what) + ": index out of range");
            }
            polygons.corners.push_back(index);
        }
        polygons.firstCorner.push_back(static_cast<uint32_t>(polygons.corners.size()));
    }
    return true;
}

MeshMaterial DefaultMaterial() {
    MeshMaterial material{};
    material.material.Diffuse = {1.0f, 1.0f, 1.0f, 1.0f};
    return material;
}

bool ReadMaterial(const XObject& object, MeshMaterial& material, std::string& error) {
    if (object.numbers.size() < MATERIAL_NUMBERS) {
        return Fail(error, "Material is incomplete");
    }
    const auto& n = object.numbers;
    const auto f = [&](size_t i) { return static_cast<float>(n[i]); };
    material = MeshMaterial{};
    material.material.Diffuse = {f(0), f(1), f(2), f(3)};
    material.material.Power = f(4);
    material.material.Specular = {f(5), f(6), f(7), 1.0f};
    material.material.Emissive = {f(8), f(9), f(10), 1.0f};
    for (const XObject& child : object.children) {
        if (child.type == "TextureFilename" && !child.strings.empty()) {
            material.textureFileName = child.strings.front();
        }
    }
    return true;
}

bool ReadMaterialList(const XObject& list, const MaterialsByName& named, uint32_t faceCount,
                      MeshSource& source, std::string& error) {
    NumberCursor cursor(list.numbers);
    uint32_t materialCount = 0;
    uint32_t indexCount = 0;
    if (!cursor.Whole(MAX_X_MESH_ELEMENTS, materialCount) ||
        !cursor.Whole(cursor.Remaining(), indexCount)) {
        return Fail(error, "MeshMaterialList: bad counts");
    }
    if (materialCount > MAX_X_MATERIALS) {
        return Fail(error, "mesh has too many materials");
    }
    if (materialCount == 0) {
        return true;  // no materials: the mesh gets the default one
    }
    // Fewer indices than faces: the last index holds for the remaining faces.
    source.faceMaterials.assign(faceCount, 0);
    uint32_t last = 0;
    for (uint32_t face = 0; face < indexCount; ++face) {
        if (!cursor.Whole(materialCount - 1, last)) {
            return Fail(error, "MeshMaterialList: material index out of range");
        }
        if (face < faceCount) {
            source.faceMaterials[face] = last;
        }
    }
    for (uint32_t face = indexCount; face < faceCount; ++face) {
        source.faceMaterials[face] = last;
    }

    source.materials.clear();
    for (const XObject& child : list.children) {
        if (source.materials.size() == materialCount) {
            break;
        }
        const XObject* material = &child;
        if (child.isReference) {
            const auto found = named.find(child.name);
            if (found == named.end()) {
                return Fail(error, "unknown material {" + child.name + "}");
            }
            material = found->second;
        } else if (child.type != "Material") {
            continue;
        }
        source.materials.emplace_back();
        if (!ReadMaterial(*material, source.materials.back(), error)) {
            return false;
        }
    }
    source.materials.resize(materialCount, DefaultMaterial());
    return true;
}

// Per-face normal indices; faces whose corner count differs from the mesh's get none.
bool ReadNormals(const XObject& object, MeshSource& source, std::string& error) {
    NumberCursor cursor(object.numbers);
    Polygons normalFaces;
    if (!ReadVectors(cursor, source.normals, "MeshNormals", error) ||
        !ReadPolygons(cursor, static_cast<uint32_t>(source.normals.size()), normalFaces,
                      "MeshNormals", error)) {
        return false;
    }
    const Polygons& faces = source.faces;
    const size_t faceCount = faces.firstCorner.size() - 1;
    const size_t normalFaceCount = normalFaces.firstCorner.size() - 1;
    for (size_t face = 0; face < faceCount && face < normalFaceCount; ++face) {
        const uint32_t corners = faces.firstCorner[face + 1] - faces.firstCorner[face];
        const uint32_t first = normalFaces.firstCorner[face];
        if (normalFaces.firstCorner[face + 1] - first != corners) {
            continue;
        }
        for (uint32_t corner = 0; corner < corners; ++corner) {
            source.cornerNormals[faces.firstCorner[face] + corner] =
                normalFaces.corners[first + corner];
        }
    }
    return true;
}

bool ReadTextureCoordinates(const XObject& object, MeshSource& source, std::string& error) {
    NumberCursor cursor(object.numbers);
    uint32_t count = 0;
    if (!cursor.Whole(MAX_X_MESH_ELEMENTS, count) || cursor.Remaining() / 2 < count) {
        return Fail(error, "MeshTextureCoords: bad or truncated count");
    }
    source.textureCoordinates.resize(size_t(count) * 2);
    for (float& value : source.textureCoordinates) {
        value = cursor.Float();
    }
    return true;
}

bool ReadMesh(const XObject& mesh, const MaterialsByName& named, MeshSource& source,
              std::string& error) {
    NumberCursor cursor(mesh.numbers);
    if (!ReadVectors(cursor, source.positions, "Mesh", error) ||
        !ReadPolygons(cursor, static_cast<uint32_t>(source.positions.size()), source.faces, "Mesh",
                      error)) {
        return false;
    }
    const uint32_t faceCount = static_cast<uint32_t>(source.faces.firstCorner.size() - 1);
    source.cornerNormals.assign(source.faces.corners.size(), NO_NORMAL);
    for (const XObject& child : mesh.children) {
        bool read = true;
        if (child.type == "MeshNormals") {
            read = ReadNormals(child, source, error);
        } else if (child.type == "MeshTextureCoords") {
            read = ReadTextureCoordinates(child, source, error);
        } else if (child.type == "MeshMaterialList") {
            read = ReadMaterialList(child, named, faceCount, source, error);
        }
        if (!read) {
            return false;
        }
    }
    if (source.materials.empty()) {
        source.materials.push_back(DefaultMaterial());
        source.faceMaterials.assign(faceCount, 0);
    }
    return true;
}

Vector3 TransformPoint(const Vector3& p, const Matrix& m) {
    return {p.x * m.m[0][0] + p.y * m.m[1][0] + p.z * m.m[2][0] + m.m[3][0],
            p.x * m.m[0][1] + p.y * m.m[1][1] + p.z * m.m[2][1] + m.m[3][1],
            p.x * m.m[0][2] + p.y * m.m[1][2] + p.z * m.m[2][2] + m.m[3][2]};
}

// Normals go through the inverse transpose of the upper 3x3, which is the matrix of cofactors
// divided by the determinant; only the sign of the determinant matters before normalising.
Matrix NormalMatrix(const Matrix& m) {
    const auto& a = m.m;
    Matrix c = Identity();
    c.m[0][0] = a[1][1] * a[2][2] - a[1][2] * a[2][1];
    c.m[0][1] = a[1][2] * a[2][0] - a[1][0] * a[2][2];
    c.m[0][2] = a[1][0] * a[2][1] - a[1][1] * a[2][0];
    c.m[1][0] = a[0][2] * a[2][1] - a[0][1] * a[2][2];
    c.m[1][1] = a[0][0] * a[2][2] - a[0][2] * a[2][0];
    c.m[1][2] = a[0][1] * a[2][0] - a[0][0] * a[2][1];
    c.m[2][0] = a[0][1] * a[1][2] - a[0][2] * a[1][1];
    c.m[2][1] = a[0][2] * a[1][0] - a[0][0] * a[1][2];
    c.m[2][2] = a[0][0] * a[1][1] - a[0][1] * a[1][0];
    const float determinant = a[0][0] * c.m[0][0] + a[0][1] * c.m[0][1] + a[0][2] * c.m[0][2];
    if (determinant < 0) {
        for (int row = 0; row < 3; ++row) {
            for (int column = 0; column < 3; ++column) {
                c.m[row][column] = -c.m[row][column];
            }
        }
    }
    return c;
}

bool IsIdentity(const Matrix& m) {
    const Matrix identity = Identity();
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 4; ++column) {
            if (m.m[row][column] != identity.m[row][column]) {
                return false;
            }
        }
    }
    return true;
}

class MeshBuilder {
  public:
    MeshBuilder(XMeshData& output, std::string& error) : output(output), error(error) {}

    bool AddObjects(const std::vector<XObject>& objects) {
        CollectMaterials(objects);
        for (const XObject& object : objects) {
            if (!AddObject(object, Identity(), 1)) {
                return false;
            }
        }
        if (!foundMesh) {
            return Fail(error, "no Mesh in the file");
        }
        return true;
    }

  private:
    void CollectMaterials(const std::vector<XObject>& objects) {
        for (const XObject& object : objects) {
            if (object.type == "Material" && !object.name.empty()) {
                named.emplace(object.name, &object);  // the first definition wins
            }
            CollectMaterials(object.children);
        }
    }

    bool AddObject(const XObject& object, const Matrix& parent, int depth) {
        if (object.type == "Mesh") {
            return AddMesh(object, parent);
        }
        if (object.type != "Frame" || depth > MAX_X_NESTING) {
            return true;
        }
        Matrix world = parent;
        for (const XObject& child : object.children) {
            if (child.type == "FrameTransformMatrix" && child.numbers.size() >= MATRIX_NUMBERS) {
                Matrix local;
                for (size_t i = 0; i < MATRIX_NUMBERS; ++i) {
                    local.m[i / 4][i % 4] = static_cast<float>(child.numbers[i]);
                }
                Multiply(world, local, parent);
            }
        }
        for (const XObject& child : object.children) {
            if (!AddObject(child, world, depth + 1)) {
                return false;
            }
        }
        return true;
    }

    bool AddMesh(const XObject& object, const Matrix& world) {
        foundMesh = true;
        MeshSource source;
        if (!ReadMesh(object, named, source, error)) {
            return false;
        }
        const size_t materialBase = output.materials.size();
        if (materialBase + source.materials.size() > MAX_X_MATERIALS) {
            return Fail(error, "mesh has too many materials");
        }
        const size_t vertexBase = output.vertices.size();
        const bool transformed = !IsIdentity(world);
        const Matrix normalMatrix = NormalMatrix(world);

        std::unordered_map<uint64_t, uint32_t> vertexOf;  // (position, normal) -> vertex
        std::vector<uint32_t> faceVertices;
        const Polygons& faces = source.faces;
        for (size_t face = 0; face + 1 < faces.firstCorner.size(); ++face) {
            faceVertices.clear();
            for (uint32_t corner = faces.firstCorner[face]; corner < faces.firstCorner[face + 1];
                 ++corner) {
                const uint32_t position = faces.corners[corner];
                const uint32_t normal = source.cornerNormals[corner];
                const uint64_t key = (uint64_t(position) << 32) | normal;
                auto [found, added] = vertexOf.emplace(
                    key, static_cast<uint32_t>(output.vertices.size() - vertexBase));
                if (added) {
                    if (output.vertices.size() >= MAX_X_MESH_ELEMENTS) {
                        return Fail(error, "mesh has too many vertices");
                    }
                    output.vertices.push_back(
                        MakeVertex(source, position, normal, world, normalMatrix, transformed));
                }
                faceVertices.push_back(static_cast<uint32_t>(vertexBase + found->second));
            }
            if (faceVertices.size() < MIN_POLYGON_CORNERS) {
                continue;  // a point or a line has no triangle to draw
            }
            for (size_t i = 1; i + 1 < faceVertices.size(); ++i) {
                if (output.triangleMaterials.size() >= MAX_X_MESH_ELEMENTS) {
                    return Fail(error, "mesh has too many triangles");
                }
                output.indices.insert(output.indices.end(),
                                      {faceVertices[0], faceVertices[i], faceVertices[i + 1]});
                output.triangleMaterials.push_back(
                    static_cast<uint32_t>(materialBase + source.faceMaterials[face]));
            }
        }
        output.materials.insert(output.materials.end(), source.materials.begin(),
                                source.materials.end());
        return true;
    }

    static MeshVertex MakeVertex(const MeshSource& source, uint32_t position, uint32_t normal,
                                 const Matrix& world, const Matrix& normalMatrix,
                                 bool transformed) {
        MeshVertex vertex{};
        Vector3 p = source.positions[position];
        Vector3 n{0, 0, 0};
        if (normal != NO_NORMAL) {
            n = source.normals[normal];
        }
        if (transformed) {
            p = TransformPoint(p, world);
            n = TransformPoint(n, normalMatrix);  // no translation in the normal matrix
            if (n.x != 0 || n.y != 0 || n.z != 0) {
                Normalize(n, n);
            }
        }
        vertex.x = p.x;
        vertex.y = p.y;
        vertex.z = p.z;
        vertex.nx = n.x;
        vertex.ny = n.y;
        vertex.nz = n.z;
        if (size_t(position) * 2 + 1 < source.textureCoordinates.size()) {
            vertex.u = source.textureCoordinates[size_t(position) * 2];
            vertex.v = source.textureCoordinates[size_t(position) * 2 + 1];
        }
        return vertex;
    }

    XMeshData& output;
    std::string& error;
    MaterialsByName named;
    bool foundMesh = false;
};

}  // namespace

bool ParseXMesh(const uint8_t* data, size_t size, XMeshData& mesh, std::string& error) {
    mesh = XMeshData{};
    std::vector<XObject> objects;
    if (!ParseXObjects(data, size, objects, error)) {
        return false;
    }
    MeshBuilder builder(mesh, error);
    if (!builder.AddObjects(objects)) {
        mesh = XMeshData{};
        return false;
    }
    return true;
}
