// Reading the run folder's art through the texture decoder and the X-file loader.
#include "tests/tools/artgen/art_test_support.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "platform/headless/recording_device.h"

std::string RunFolderPath(const std::string& name) {
    return std::string(GORVANTI_RUN_DIR) + "/" + name;
}

std::vector<uint8_t> ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

DecodedImage LoadGraphic(const std::string& name) {
    DecodedImage image;
    std::string error;
    EXPECT_TRUE(DecodeImageFile(RunFolderPath("graphics/" + name).c_str(), image, error))
        << name << ": " << error;
    return image;
}

void LoadSquareGraphic(const std::string& name, uint32_t side, DecodedImage& image) {
    image = LoadGraphic(name);
    ASSERT_EQ(image.width, side) << name;
    ASSERT_EQ(image.height, side) << name;
}

LoadedMesh LoadGraphicMesh(const std::string& name) {
    LoadedMesh result;
    IDirect3D9* direct3d = platform::headless::CreateNullDirect3D();
    D3DPRESENT_PARAMETERS parameters{};
    parameters.Windowed = TRUE;
    parameters.SwapEffect = D3DSWAPEFFECT_DISCARD;
    IDirect3DDevice9* device = nullptr;
    EXPECT_EQ(D3D_OK,
              direct3d->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, nullptr,
                                     D3DCREATE_SOFTWARE_VERTEXPROCESSING, &parameters, &device));
    Mesh* mesh = nullptr;
    std::string error;
    const HRESULT loaded =
        LoadMeshFromX(RunFolderPath("graphics/" + name).c_str(), MESH_SYSTEM_MEMORY, device,
                      result.materials, &mesh, &error);
    EXPECT_EQ(D3D_OK, loaded) << name << ": " << error;
    if (mesh != nullptr) {
        result.loaded = true;
        result.vertices = mesh->Vertices();
        result.indices = mesh->Indices();
        for (size_t subset = 0; subset < mesh->SubsetCount(); ++subset) {
            result.triangleMaterials.insert(result.triangleMaterials.end(),
                                            mesh->SubsetTriangleCount(static_cast<DWORD>(subset)),
                                            static_cast<uint32_t>(subset));
        }
        mesh->Bounds(result.min, result.max);
        mesh->Release();
    }
    if (device != nullptr) {
        device->Release();
    }
    direct3d->Release();
    return result;
}

float Dot(const Vector3& a, const Vector3& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

Vector3 WindingNormal(const LoadedMesh& mesh, size_t triangle) {
    const MeshVertex& a = mesh.Corner(triangle, 0);
    const MeshVertex& b = mesh.Corner(triangle, 1);
    const MeshVertex& c = mesh.Corner(triangle, 2);
    const Vector3 ab{b.x - a.x, b.y - a.y, b.z - a.z};
    const Vector3 ac{c.x - a.x, c.y - a.y, c.z - a.z};
    return {ab.y * ac.z - ab.z * ac.y, ab.z * ac.x - ab.x * ac.z, ab.x * ac.y - ab.y * ac.x};
}
