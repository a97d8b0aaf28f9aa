// Fuzz target: an X file through the game's mesh load, LoadMeshFromX on the recording device, then
// every subset drawn as the engine draws it.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "fuzz/harness.h"
#include "gfxutil/mesh.h"
#include "gfxutil/xfile.h"

namespace {

using platform::headless::RecordedCall;

// What the parser promises whatever the bytes.
void CheckParsed(bool parsed, const XMeshData& mesh, const std::string& error) {
    if (!parsed) {
        Require(!error.empty() && error.find('\n') == std::string::npos && mesh.vertices.empty());
        return;
    }
    Require(mesh.indices.size() == mesh.triangleMaterials.size() * 3 && !mesh.materials.empty());
    for (uint32_t index : mesh.indices) {
        Require(index < mesh.vertices.size());
    }
    for (uint32_t material : mesh.triangleMaterials) {
        Require(material < mesh.materials.size());
    }
}

// The file's triangles of each material in file order: what drawing that material's subset must
// draw.
std::vector<std::vector<uint32_t>> TrianglesByMaterial(const XMeshData& mesh) {
    std::vector<std::vector<uint32_t>> byMaterial(mesh.materials.size());
    for (size_t triangle = 0; triangle < mesh.triangleMaterials.size(); ++triangle) {
        std::vector<uint32_t>& indices = byMaterial[mesh.triangleMaterials[triangle]];
        indices.insert(indices.end(), mesh.indices.begin() + triangle * 3,
                       mesh.indices.begin() + triangle * 3 + 3);
    }
    return byMaterial;
}

// One subset drawn as RenderEngine::DrawInstances draws it. The recording device copies the
// indices and every vertex the draw may use, so under AddressSanitizer its copy is the read a
// real device makes; the indices it got must stay below the vertex count it was given.
void DrawSubsetChecked(FuzzDevice& device, Mesh& mesh, DWORD subset, const MeshMaterial& material,
                       const std::vector<uint32_t>& expected) {
    device.device->SetMaterial(&material.material);
    device.device->SetTexture(0, nullptr);
    device.log.Clear();
    Require(mesh.DrawSubset(subset) == D3D_OK);
    const size_t triangles = expected.size() / 3;
    Require(mesh.SubsetTriangleCount(subset) == triangles);
    if (triangles == 0) {
        Require(device.log.calls.empty());
        return;
    }
    Require(device.log.calls.size() == 2 && device.log.calls[0].name == "SetFVF");
    const RecordedCall& draw = device.log.calls[1];
    Require(draw.name == "DrawIndexedPrimitiveUP" && draw.args.size() == 6);
    const size_t vertexCount = mesh.Vertices().size();
    Require(draw.args[0] == AsArg(D3DPT_TRIANGLELIST) && draw.args[1] == 0 &&
            draw.args[2] == double(vertexCount) && draw.args[3] == double(triangles) &&
            draw.args[4] == AsArg(D3DFMT_INDEX32) && draw.args[5] == sizeof(MeshVertex));

    const size_t indexBytes = expected.size() * sizeof(uint32_t);
    Require(draw.data.size() == indexBytes + vertexCount * sizeof(MeshVertex));
    std::vector<uint32_t> drawn(expected.size());
    std::memcpy(drawn.data(), draw.data.data(), indexBytes);
    for (uint32_t index : drawn) {
        Require(index < vertexCount);
    }
    Require(drawn == expected);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    XMeshData parsed;
    std::string parseError;
    const bool parsedOk = ParseXMesh(data, size, parsed, parseError);
    CheckParsed(parsedOk, parsed, parseError);

    static MemoryFile file;
    file.Write(data, size);
    FuzzDevice device;
    std::vector<MeshMaterial> materials;
    Mesh* mesh = nullptr;
    std::string error;
    const HRESULT result =
        LoadMeshFromX(file.Path(), MESH_SYSTEM_MEMORY, device.device, materials, &mesh, &error);
    // Read from the file or parsed from memory, the same bytes make the same mesh.
    if (!parsedOk) {
        Require(FAILED(result) && mesh == nullptr && materials.empty() && error == parseError);
        return 0;
    }
    Require(SUCCEEDED(result) && mesh != nullptr && materials.size() == parsed.materials.size());
    Require(mesh->SubsetCount() == materials.size() &&
            mesh->TriangleCount() == parsed.triangleMaterials.size() &&
            mesh->Vertices().size() == parsed.vertices.size());
    Require(parsed.vertices.empty() ||
            std::memcmp(mesh->Vertices().data(), parsed.vertices.data(),
                        parsed.vertices.size() * sizeof(MeshVertex)) == 0);

    const std::vector<std::vector<uint32_t>> expected = TrianglesByMaterial(parsed);
    Require(device.device->BeginScene() == D3D_OK);
    for (DWORD subset = 0; subset < materials.size(); ++subset) {
        DrawSubsetChecked(device, *mesh, subset, materials[subset], expected[subset]);
    }
    // A subset past the last is refused and draws nothing.
    device.log.Clear();
    Require(mesh->DrawSubset(static_cast<DWORD>(materials.size())) == D3DERR_INVALIDCALL);
    Require(device.log.calls.empty());
    Require(device.device->EndScene() == D3D_OK);
    // The mesh borrows the device, so it goes first.
    Require(mesh->Release() == 0);
    return 0;
}
