// Loading a 256x256 32-bit BMP, a 256x256 A8R8G8B8 DDS and a 512-triangle X mesh from files.
#include <benchmark/benchmark.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "gfxutil/file_bytes.h"
#include "gfxutil/mesh.h"
#include "gfxutil/texture_loader.h"
#include "gfxutil/xfile.h"
#include "platform/headless/recording_device.h"
#include "tools/replay/scratch_directory.h"

namespace {

constexpr uint32_t SIDE = 256;
constexpr int GRID = 16;  // 16 x 16 quads: 512 triangles
constexpr size_t BMP_V5_HEADER = 124;
constexpr size_t BMP_FILE_HEADER = 14;
constexpr size_t DDS_HEADER = 128;

void Put32(std::vector<uint8_t>& bytes, size_t at, uint32_t value) {
    std::memcpy(bytes.data() + at, &value, 4);  // the benchmark runs on little-endian machines
}

uint32_t Texel(uint32_t x, uint32_t y) {
    return (x * 0x10203u) ^ (y * 0x30201u) ^ 0x80000000u;
}

std::vector<uint8_t> SheetBmp() {
    const size_t offset = BMP_FILE_HEADER + BMP_V5_HEADER;
    std::vector<uint8_t> bytes(offset + SIDE * SIDE * 4, 0);
    bytes[0] = 'B';
    bytes[1] = 'M';
    Put32(bytes, 2, static_cast<uint32_t>(bytes.size()));
    Put32(bytes, 10, static_cast<uint32_t>(offset));
    Put32(bytes, 14, BMP_V5_HEADER);
    Put32(bytes, 18, SIDE);
    Put32(bytes, 22, SIDE);
    Put32(bytes, 26, 1 | (32 << 16));  // one plane, 32 bits
    Put32(bytes, 30, 3);               // BI_BITFIELDS
    const uint32_t masks[4] = {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000};
    for (int i = 0; i < 4; ++i) {
        Put32(bytes, 54 + 4 * i, masks[i]);
    }
    for (uint32_t y = 0; y < SIDE; ++y) {
        for (uint32_t x = 0; x < SIDE; ++x) {
            Put32(bytes, offset + (size_t(y) * SIDE + x) * 4, Texel(x, y));
        }
    }
    return bytes;
}

std::vector<uint8_t> TitleDds() {
    std::vector<uint8_t> bytes(DDS_HEADER + SIDE * SIDE * 4, 0);
    std::memcpy(bytes.data(), "DDS ", 4);
    Put32(bytes, 4, 124);
    Put32(bytes, 8, 0x1007);
    Put32(bytes, 12, SIDE);
    Put32(bytes, 16, SIDE);
    Put32(bytes, 76, 32);
    Put32(bytes, 80, 0x41);  // RGB with alpha
    Put32(bytes, 88, 32);
    const uint32_t masks[4] = {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000};
    for (int i = 0; i < 4; ++i) {
        Put32(bytes, 92 + 4 * i, masks[i]);
    }
    for (uint32_t i = 0; i < SIDE * SIDE; ++i) {
        Put32(bytes, DDS_HEADER + size_t(i) * 4, Texel(i % SIDE, i / SIDE));
    }
    return bytes;
}

// A rippled plate of GRID x GRID quads with normals, texture coordinates and two materials.
std::string PlateX() {
    const int side = GRID + 1;
    std::string text =
        "xof 0303txt 0032\nFrame Plate {\n FrameTransformMatrix { 1,0,0,0, "
        "0,1,0,0, 0,0,1,0, 0,-1,0,1;; }\n Mesh {\n";
    text += std::to_string(side * side) + ";\n";
    for (int i = 0; i < side * side; ++i) {
        text += std::to_string(i % side) + ";" + std::to_string((i * 7) % 3) + ";" +
                std::to_string(i / side) + ";" + (i + 1 < side * side ? ",\n" : ";\n");
    }
    const auto quad = [&](int q) {
        const int corner = (q / GRID) * side + q % GRID;
        return std::to_string(corner) + "," + std::to_string(corner + side) + "," +
               std::to_string(corner + side + 1) + "," + std::to_string(corner + 1);
    };
    text += std::to_string(GRID * GRID) + ";\n";
    for (int q = 0; q < GRID * GRID; ++q) {
        text += "4;" + quad(q) + (q + 1 < GRID * GRID ? ";,\n" : ";;\n");
    }
    text += "MeshNormals { " + std::to_string(GRID * GRID) + ";\n";
    for (int q = 0; q < GRID * GRID; ++q) {
        text += std::string(q % 2 ? "0;1;0;" : "0.6;0.8;0;") + (q + 1 < GRID * GRID ? "," : ";");
    }
    text += "\n" + std::to_string(GRID * GRID) + ";\n";
    for (int q = 0; q < GRID * GRID; ++q) {
        const std::string n = std::to_string(q);
        text += "4;" + n + "," + n + "," + n + "," + n + (q + 1 < GRID * GRID ? ";," : ";;");
    }
    text += "}\nMeshTextureCoords { " + std::to_string(side * side) + ";\n";
    for (int i = 0; i < side * side; ++i) {
        text += std::to_string(float(i % side) / GRID) + ";" +
                std::to_string(float(i / side) / GRID) + (i + 1 < side * side ? ";," : ";;");
    }
    text += "}\nMeshMaterialList { 2; " + std::to_string(GRID * GRID) + ";\n";
    for (int q = 0; q < GRID * GRID; ++q) {
        text += std::to_string(q % 2) + (q + 1 < GRID * GRID ? "," : ";;\n");
    }
    text +=
        "Material { 1;1;1;1;; 5; 1;1;1;; 0;0;0;; }\n"
        "Material { 0.2;0.4;0.8;1;; 0; 0;0;0;; 0;0;0;; TextureFilename { \"tile.bmp\"; } }\n"
        "}\n }\n}\n";
    return text;
}

// The three files, written once into a scratch directory that lives as long as the program.
struct ArtFiles {
    ArtFiles() {
        const std::vector<uint8_t> sheet = SheetBmp(), title = TitleDds();
        directory.Write("system.bmp", std::string(sheet.begin(), sheet.end()));
        directory.Write("openingtitle.dds", std::string(title.begin(), title.end()));
        directory.Write("tile.x", PlateX());
    }
    std::string PathOf(const char* name) const { return (directory.Path() / name).string(); }

    ScratchDirectory directory{ScratchDirectory::Enter::No};
    const std::string bmp = PathOf("system.bmp"), dds = PathOf("openingtitle.dds"),
                      x = PathOf("tile.x");
};

const ArtFiles& Files() {
    static const ArtFiles files;
    return files;
}

// A device on the null Direct3D, which keeps textures in memory and records nothing.
struct NullDevice {
    NullDevice() {
        direct3D = platform::headless::CreateNullDirect3D();
        D3DPRESENT_PARAMETERS parameters{};
        parameters.Windowed = TRUE;
        direct3D->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, nullptr,
                               D3DCREATE_SOFTWARE_VERTEXPROCESSING, &parameters, &device);
    }
    ~NullDevice() {
        device->Release();
        direct3D->Release();
    }
    IDirect3D9* direct3D = nullptr;
    IDirect3DDevice9* device = nullptr;
};

void DecodeFile(benchmark::State& state, const std::string& path) {
    DecodedImage image;
    std::string error;
    for (auto _ : state) {
        if (!DecodeImageFile(path.c_str(), image, error)) {
            state.SkipWithError(error.c_str());
            return;
        }
        benchmark::DoNotOptimize(image.texels.data());
    }
    state.SetItemsProcessed(state.iterations() * int64_t(SIDE) * SIDE);
}

void BM_DecodeBmp32(benchmark::State& state) {
    DecodeFile(state, Files().bmp);
}
// The shipped board textures: 64 x 64, 24 bits.
void BM_DecodeShippedBmp24(benchmark::State& state) {
    DecodeFile(state, GORVANTI_RUN_DIR "/graphics/tile.bmp");
    state.SetItemsProcessed(state.iterations() * 64 * 64);
}
void BM_DecodeDdsA8R8G8B8(benchmark::State& state) {
    DecodeFile(state, Files().dds);
}

void CreateTexture(benchmark::State& state, const std::string& path) {
    NullDevice null;
    for (auto _ : state) {
        IDirect3DTexture9* texture = nullptr;
        const HRESULT result = CreateTextureFromFile(
            null.device, path.c_str(), FROM_FILE_OR_DEFAULT, FROM_FILE_OR_DEFAULT,
            FROM_FILE_OR_DEFAULT, 0, D3DFMT_UNKNOWN, D3DPOOL_MANAGED, FROM_FILE_OR_DEFAULT,
            FROM_FILE_OR_DEFAULT, 0xFF000000, nullptr, &texture);
        if (FAILED(result)) {
            state.SkipWithError("CreateTextureFromFile failed");
            return;
        }
        texture->Release();
    }
}

void BM_CreateTextureFromBmp(benchmark::State& state) {
    CreateTexture(state, Files().bmp);
}
void BM_CreateTextureFromDds(benchmark::State& state) {
    CreateTexture(state, Files().dds);
}

void BM_ParseXMesh(benchmark::State& state) {
    std::vector<uint8_t> bytes;
    std::string error;
    ReadFileBytes(Files().x.c_str(), MAX_X_FILE_BYTES, bytes, error);
    XMeshData mesh;
    for (auto _ : state) {
        if (!ParseXMesh(bytes.data(), bytes.size(), mesh, error)) {
            state.SkipWithError(error.c_str());
            return;
        }
        benchmark::DoNotOptimize(mesh.indices.data());
    }
    state.counters["triangles"] = static_cast<double>(mesh.triangleMaterials.size());
}

void BM_LoadMeshFromX(benchmark::State& state) {
    NullDevice null;
    std::vector<MeshMaterial> materials;
    for (auto _ : state) {
        Mesh* mesh = nullptr;
        if (FAILED(LoadMeshFromX(Files().x.c_str(), MESH_SYSTEM_MEMORY, null.device, materials,
                                 &mesh))) {
            state.SkipWithError("LoadMeshFromX failed");
            return;
        }
        mesh->Release();
    }
}

}  // namespace

BENCHMARK(BM_DecodeBmp32);
BENCHMARK(BM_DecodeShippedBmp24);
BENCHMARK(BM_DecodeDdsA8R8G8B8);
BENCHMARK(BM_CreateTextureFromBmp);
BENCHMARK(BM_CreateTextureFromDds);
BENCHMARK(BM_ParseXMesh);
BENCHMARK(BM_LoadMeshFromX);
