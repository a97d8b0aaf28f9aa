// The inspector's report on one art file: images through the texture decoder, X files through the
// mesh loader on a device that draws nothing.
#include "tools/inspect/asset_report.h"

#include <cstdio>
#include <fstream>
#include <vector>

#include "gfxutil/mesh.h"
#include "platform/headless/recording_device.h"

namespace {

enum class Kind { Image, Mesh, Unknown };

AssetReport Failure(const std::string& reason) {
    AssetReport report;
    report.text = "error: " + reason + "\n";
    return report;
}

Kind KindOf(const std::string& fileName) {
    char magic[4] = {};
    std::ifstream file(fileName, std::ios::binary);
    file.read(magic, sizeof magic);
    std::string start(magic, static_cast<size_t>(file.gcount()));
    if (start.rfind("BM", 0) == 0 || start == "DDS ") {
        return Kind::Image;
    }
    if (start == "xof ") {
        return Kind::Mesh;
    }
    return Kind::Unknown;
}

std::string Format(const char* pattern, auto... values) {
    char line[256];
    std::snprintf(line, sizeof line, pattern, values...);
    return line;
}

std::string Colour(const D3DCOLORVALUE& colour) {
    return Format("%g,%g,%g,%g", colour.r, colour.g, colour.b, colour.a);
}

AssetReport InspectImage(const std::string& fileName) {
    AssetReport report;
    report.isImage = true;
    std::string error;
    if (!DecodeImageFile(fileName.c_str(), report.image, error)) {
        report.text = "error: " + error + "\n";
        return report;
    }
    const ImageInfo& info = report.image.info;
    report.loaded = true;
    report.text = Format("image: %ux%u format=%s mips=%u\n", info.Width, info.Height,
                         FormatName(info.Format).c_str(), info.MipLevels);
    report.text += Format("file: %s\n", info.ImageFileFormat == IMAGE_FILE_DDS ? "DDS" : "BMP");
    return report;
}

AssetReport InspectMesh(const std::string& fileName) {
    AssetReport report;
    IDirect3D9* direct3d = platform::headless::CreateNullDirect3D();
    D3DPRESENT_PARAMETERS parameters = {};
    parameters.Windowed = TRUE;
    IDirect3DDevice9* device = nullptr;
    if (direct3d == nullptr ||
        FAILED(direct3d->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, NULL,
                                      D3DCREATE_SOFTWARE_VERTEXPROCESSING, &parameters, &device))) {
        report.text = "error: no device to load the mesh on\n";
        if (direct3d != nullptr) {
            direct3d->Release();
        }
        return report;
    }
    std::vector<MeshMaterial> materials;
    Mesh* mesh = nullptr;
    std::string error;
    if (FAILED(LoadMeshFromX(fileName.c_str(), MESH_SYSTEM_MEMORY, device, materials, &mesh,
                             &error))) {
        report.text =
            "error: " + (error.empty() ? std::string("not a loadable X file") : error) + "\n";
    } else {
        Vector3 min{}, max{};
        mesh->Bounds(min, max);
        report.loaded = true;
        report.text =
            Format("mesh: subsets=%zu triangles=%zu vertices=%zu bbox=%g,%g,%g,%g,%g,%g\n",
                   mesh->SubsetCount(), mesh->TriangleCount(), mesh->Vertices().size(), min.x,
                   min.y, min.z, max.x, max.y, max.z);
        for (size_t k = 0; k < materials.size(); ++k) {
            const D3DMATERIAL9& material = materials[k].material;
            report.text += Format(
                "material %zu: diffuse=%s ambient=%s specular=%s emissive=%s "
                "power=%g\n",
                k, Colour(material.Diffuse).c_str(), Colour(material.Ambient).c_str(),
                Colour(material.Specular).c_str(), Colour(material.Emissive).c_str(),
                material.Power);
        }
        for (size_t k = 0; k < materials.size(); ++k) {
            report.text += Format("subset %zu: triangles=%zu", k, mesh->SubsetTriangleCount(k));
            if (!materials[k].textureFileName.empty()) {
                report.text += " texture=" + materials[k].textureFileName;
            }
            report.text += "\n";
        }
        mesh->Release();
    }
    device->Release();
    direct3d->Release();
    return report;
}

}  // namespace

std::string FormatName(D3DFORMAT format) {
    switch (format) {
        case D3DFMT_R8G8B8:
            return "R8G8B8";
        case D3DFMT_A8R8G8B8:
            return "A8R8G8B8";
        case D3DFMT_X8R8G8B8:
            return "X8R8G8B8";
        case D3DFMT_R5G6B5:
            return "R5G6B5";
        case D3DFMT_X1R5G5B5:
            return "X1R5G5B5";
        case D3DFMT_A1R5G5B5:
            return "A1R5G5B5";
        case D3DFMT_A4R4G4B4:
            return "A4R4G4B4";
        case D3DFMT_P8:
            return "P8";
        case D3DFMT_DXT1:
            return "DXT1";
        case D3DFMT_DXT3:
            return "DXT3";
        case D3DFMT_DXT5:
            return "DXT5";
        default:
            return "UNKNOWN(" + std::to_string(static_cast<uint32_t>(format)) + ")";
    }
}

AssetReport InspectAsset(const std::string& fileName) {
    if (!std::ifstream(fileName, std::ios::binary)) {
        return Failure("cannot open the file");
    }
    switch (KindOf(fileName)) {
        case Kind::Image:
            return InspectImage(fileName);
        case Kind::Mesh:
            return InspectMesh(fileName);
        case Kind::Unknown:
            break;
    }
    return Failure("neither a BMP, a DDS nor an X file");
}
