// The render engine fixture and the art files its tests write.
#include "tests/render/engine_fixture.h"

#include <cstdint>
#include <sstream>

namespace {

void PutLittleEndian(std::string& bytes, uint32_t value, int size) {
    for (int i = 0; i < size; ++i) {
        bytes.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
    }
}

}  // namespace

EngineTest::EngineTest() {
    platform::SetDirect3DFactory(
        [this] { return platform::headless::CreateRecordingDirect3D(log); });
    engine = std::make_unique<TestEngine>();
    EXPECT_EQ(engine->CreateDevice(), 1);
    log.Clear();
}

EngineTest::~EngineTest() {
    engine.reset();
    platform::SetDirect3DFactory({});
    platform::headless::ResetWindowState();
}

std::vector<std::string> EngineTest::SubsetLines(Mesh* mesh, DWORD subset) {
    const size_t before = log.calls.size();
    mesh->DrawSubset(subset);
    std::vector<std::string> lines;
    for (size_t i = before; i < log.calls.size(); ++i) {
        lines.push_back(log.calls[i].ToString());
    }
    log.calls.resize(before);
    return lines;
}

int EngineTest::AddCubeMeshEntry(const D3DMATERIAL9& first, const D3DMATERIAL9& second) {
    std::vector<MeshVertex> vertices;
    for (int corner = 0; corner < 8; ++corner) {
        vertices.push_back({(corner & 1) ? 1.0f : -1.0f, (corner & 2) ? 1.0f : -1.0f,
                            (corner & 4) ? 1.0f : -1.0f, 0, 0, 0, 0, 0});
    }
    const std::vector<uint32_t> faces = {0, 2, 1, 1, 2, 3, 4, 5, 6, 5, 7, 6, 0, 1, 4, 1, 5, 4,
                                         2, 6, 3, 3, 6, 7, 0, 4, 2, 2, 4, 6, 1, 3, 5, 3, 7, 5};
    const std::vector<uint32_t> faceMaterials = {0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 1, 1};
    MeshEntry entry;
    entry.mesh = new Mesh(engine->device, vertices, faces, faceMaterials);
    entry.materials = {first, second};
    entry.materialTextures = {nullptr, nullptr};
    entry.materialCount = 2;
    engine->meshes.push_back(entry);
    return static_cast<int>(engine->meshes.size()) - 1;
}

std::string EngineTest::LoadBmpTexture(int width, int height) {
    const std::string name = "texture" + std::to_string(bmpFiles++) + ".bmp";
    directory.Write(name, BmpFile(width, height));
    TextureLoadParams params;
    params.fileName = name.c_str();
    params.pool = D3DPOOL_MANAGED;
    EXPECT_EQ(engine->LoadTexture(params), 1);
    return name;
}

std::string BmpFile(int width, int height) {
    constexpr uint32_t HEADERS_SIZE = 14 + 40;
    constexpr uint8_t GREY = 0x80;
    const uint32_t rowSize = (static_cast<uint32_t>(width) * 3 + 3) / 4 * 4;
    const uint32_t pixelsSize = rowSize * static_cast<uint32_t>(height);
    std::string bytes = "BM";
    PutLittleEndian(bytes, HEADERS_SIZE + pixelsSize, 4);
    PutLittleEndian(bytes, 0, 4);
    PutLittleEndian(bytes, HEADERS_SIZE, 4);
    PutLittleEndian(bytes, 40, 4);
    PutLittleEndian(bytes, static_cast<uint32_t>(width), 4);
    PutLittleEndian(bytes, static_cast<uint32_t>(height), 4);
    PutLittleEndian(bytes, 1, 2);   // planes
    PutLittleEndian(bytes, 24, 2);  // bits per pixel
    PutLittleEndian(bytes, 0, 4);   // no compression
    PutLittleEndian(bytes, pixelsSize, 4);
    PutLittleEndian(bytes, 2835, 4);
    PutLittleEndian(bytes, 2835, 4);
    PutLittleEndian(bytes, 0, 4);
    PutLittleEndian(bytes, 0, 4);
    bytes.append(pixelsSize, static_cast<char>(GREY));
    return bytes;
}

std::string XFile(const std::vector<FileMaterial>& materials) {
    std::ostringstream text;
    text << "xof 0303txt 0032\n"
         << "Mesh Quad {\n"
         << "  4;\n"
         << "  0.0;0.0;0.0;, 1.0;0.0;0.0;, 0.0;1.0;0.0;, 1.0;1.0;0.0;;\n"
         << "  2;\n"
         << "  3;0,2,1;, 3;1,2,3;;\n"
         << "  MeshMaterialList {\n"
         << "    " << materials.size() << ";\n"
         << "    2;\n"
         << "    0, " << (materials.size() > 1 ? 1 : 0) << ";\n";
    for (const FileMaterial& material : materials) {
        text << "    Material {\n"
             << "      " << material.faceColour.r << ";" << material.faceColour.g << ";"
             << material.faceColour.b << ";" << material.faceColour.a << ";;\n"
             << "      " << material.power << ";\n"
             << "      " << material.specular[0] << ";" << material.specular[1] << ";"
             << material.specular[2] << ";;\n"
             << "      " << material.emissive[0] << ";" << material.emissive[1] << ";"
             << material.emissive[2] << ";;\n"
             << "      TextureFilename { \"ignored.bmp\"; }\n"
             << "    }\n";
    }
    text << "  }\n"
         << "}\n";
    return text.str();
}

D3DMATERIAL9 SolidMaterial(float red, float green, float blue) {
    D3DMATERIAL9 material{};
    material.Diffuse = {red, green, blue, 1.0f};
    material.Ambient = {red / 2, green / 2, blue / 2, 1.0f};
    material.Power = 1.0f;
    return material;
}

std::vector<std::string> BeginSpritePassLines() {
    return {
        "SetRenderState 27 1",        "SetTextureStageState 0 4 4", "SetTextureStageState 0 5 2",
        "SetTextureStageState 0 6 0", "SetRenderState 15 1",        "SetRenderState 24 0",
        "SetRenderState 25 6",        "SetRenderState 7 0",         "SetRenderState 14 0",
    };
}

std::vector<std::string> EndSpritePassLines() {
    return {
        "SetRenderState 27 0",        "SetTextureStageState 0 4 2", "SetTextureStageState 0 5 2",
        "SetTextureStageState 0 6 1", "SetRenderState 15 0",        "SetRenderState 24 0",
        "SetRenderState 25 8",        "SetRenderState 7 1",         "SetRenderState 14 1",
    };
}

std::string Line(const std::string& name, const std::vector<double>& args) {
    platform::headless::RecordedCall call;
    call.name = name;
    call.args = args;
    return call.ToString();
}

std::string TransformLine(D3DTRANSFORMSTATETYPE state, const Matrix& matrix) {
    std::vector<double> args = {static_cast<double>(state)};
    for (const auto& row : matrix.m) {
        args.insert(args.end(), std::begin(row), std::end(row));
    }
    return Line("SetTransform", args);
}

std::string MaterialLine(const D3DMATERIAL9& material) {
    std::vector<double> args;
    for (const D3DCOLORVALUE& colour :
         {material.Diffuse, material.Ambient, material.Specular, material.Emissive}) {
        args.insert(args.end(), {colour.r, colour.g, colour.b, colour.a});
    }
    args.push_back(material.Power);
    return Line("SetMaterial", args);
}

void Append(std::vector<std::string>& lines, const std::vector<std::string>& tail) {
    lines.insert(lines.end(), tail.begin(), tail.end());
}
