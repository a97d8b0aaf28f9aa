// Image files into textures: decode, colour key, resize, then CreateTexture and LockRect.
#include "gfxutil/texture_loader.h"

#include <cstring>

#include "gfxutil/bmp.h"
#include "gfxutil/dds.h"
#include "gfxutil/file_bytes.h"
#include "gfxutil/image_limits.h"

namespace {

// Large enough for the biggest image the decoders accept, uncompressed, with its headers.
constexpr size_t MAX_IMAGE_FILE_BYTES = MAX_IMAGE_TEXELS * 4 + (size_t(1) << 20);
constexpr uint32_t TEXEL_BYTES = 4;
constexpr uint32_t TRANSPARENT_BLACK = 0x00000000;

void ApplyColourKey(std::vector<uint32_t>& texels, D3DCOLOR colourKey) {
    if (colourKey == 0) {
        return;
    }
    // The key's alpha takes part in the comparison: an opaque key matches opaque texels only.
    for (uint32_t& texel : texels) {
        if (texel == colourKey) {
            texel = TRANSPARENT_BLACK;
        }
    }
}

uint32_t RequestedSize(UINT requested, uint32_t fromFile) {
    return requested == 0 || requested == FROM_FILE_OR_DEFAULT ? fromFile : requested;
}

// Nearest-texel scaling; the image is left alone when the size already matches.
void Resize(DecodedImage& image, uint32_t width, uint32_t height) {
    if (width == image.width && height == image.height) {
        return;
    }
    std::vector<uint32_t> scaled(size_t(width) * height);
    for (uint32_t y = 0; y < height; ++y) {
        const uint64_t sourceY = uint64_t(y) * image.height / height;
        for (uint32_t x = 0; x < width; ++x) {
            const uint64_t sourceX = uint64_t(x) * image.width / width;
            scaled[size_t(y) * width + x] = image.texels[sourceY * image.width + sourceX];
        }
    }
    image.texels.swap(scaled);
    image.width = width;
    image.height = height;
}

HRESULT Upload(IDirect3DTexture9* texture, const DecodedImage& image) {
    D3DLOCKED_RECT locked{};
    HRESULT result = texture->LockRect(0, &locked, nullptr, 0);
    if (FAILED(result)) {
        return result;
    }
    if (locked.pBits == nullptr || locked.Pitch < 0 ||
        static_cast<uint64_t>(locked.Pitch) < uint64_t(image.width) * TEXEL_BYTES) {
        texture->UnlockRect(0);
        return D3DERR_INVALIDCALL;
    }
    auto* rows = static_cast<uint8_t*>(locked.pBits);
    for (uint32_t y = 0; y < image.height; ++y) {
        std::memcpy(rows + size_t(y) * locked.Pitch, image.texels.data() + size_t(y) * image.width,
                    size_t(image.width) * TEXEL_BYTES);
    }
    return texture->UnlockRect(0);
}

// A texture of the image's size in `pool`, holding the image.
HRESULT CreateFilledTexture(IDirect3DDevice9* device, const DecodedImage& image, DWORD usage,
                            D3DPOOL pool, IDirect3DTexture9** texture) {
    IDirect3DTexture9* created = nullptr;
    HRESULT result = device->CreateTexture(image.width, image.height, 1, usage, D3DFMT_A8R8G8B8,
                                           pool, &created, nullptr);
    if (FAILED(result) || created == nullptr) {
        return FAILED(result) ? result : E_FAIL;
    }
    result = Upload(created, image);
    if (FAILED(result)) {
        created->Release();
        return result;
    }
    *texture = created;
    return D3D_OK;
}

}  // namespace

bool DecodeImage(const uint8_t* data, size_t size, DecodedImage& image, std::string& error) {
    image = DecodedImage{};
    if (data == nullptr) {
        error = "no image data";
        return false;
    }
    bool decoded = false;
    if (LooksLikeBmp(data, size)) {
        decoded = DecodeBmp(data, size, image, error);
    } else if (LooksLikeDds(data, size)) {
        decoded = DecodeDds(data, size, image, error);
    } else {
        error = "not a BMP or DDS file";
    }
    if (!decoded) {
        image = DecodedImage{};
    }
    return decoded;
}

bool DecodeImageFile(const char* fileName, DecodedImage& image, std::string& error) {
    std::vector<uint8_t> bytes;
    if (!ReadFileBytes(fileName, MAX_IMAGE_FILE_BYTES, bytes, error)) {
        image = DecodedImage{};
        return false;
    }
    return DecodeImage(bytes.data(), bytes.size(), image, error);
}

HRESULT CreateTextureFromFile(IDirect3DDevice9* device, const char* fileName, UINT width,
                              UINT height, UINT /*mipLevels*/, DWORD usage, D3DFORMAT /*format*/,
                              D3DPOOL pool, DWORD /*filter*/, DWORD /*mipFilter*/,
                              D3DCOLOR colourKey, ImageInfo* sourceInfo,
                              IDirect3DTexture9** texture) {
    if (device == nullptr || fileName == nullptr || texture == nullptr) {
        return D3DERR_INVALIDCALL;
    }
    *texture = nullptr;
    DecodedImage image;
    std::string error;
    if (!DecodeImageFile(fileName, image, error)) {
        return E_FAIL;
    }
    const uint32_t targetWidth = RequestedSize(width, image.width);
    const uint32_t targetHeight = RequestedSize(height, image.height);
    if (!CheckImageSize(targetWidth, targetHeight, error)) {
        return D3DERR_INVALIDCALL;
    }
    ApplyColourKey(image.texels, colourKey);
    Resize(image, targetWidth, targetHeight);

    // One level in A8R8G8B8 whatever was asked: the game samples only the top level. A texture
    // of the default pool cannot be locked: it is filled from one in system memory.
    const bool lockable = pool != D3DPOOL_DEFAULT || (usage & D3DUSAGE_DYNAMIC) != 0;
    IDirect3DTexture9* filled = nullptr;
    HRESULT result =
        CreateFilledTexture(device, image, usage, lockable ? pool : D3DPOOL_SYSTEMMEM, &filled);
    if (FAILED(result)) {
        return result;
    }
    IDirect3DTexture9* created = filled;
    if (!lockable) {
        created = nullptr;
        result = device->CreateTexture(targetWidth, targetHeight, 1, usage, D3DFMT_A8R8G8B8, pool,
                                       &created, nullptr);
        if (SUCCEEDED(result) && created != nullptr) {
            result = device->UpdateTexture(filled, created);
        }
        filled->Release();
        if (FAILED(result) || created == nullptr) {
            if (created != nullptr) {
                created->Release();
            }
            return FAILED(result) ? result : E_FAIL;
        }
    }
    if (sourceInfo != nullptr) {
        *sourceInfo = image.info;
    }
    *texture = created;
    return D3D_OK;
}
