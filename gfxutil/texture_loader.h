// Images (BMP, DDS) into Direct3D textures, through CreateTexture and LockRect only.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/d3d9.h"

// The file kinds, numbered as the platform's utility library numbers them.
enum ImageFileFormat : uint32_t { IMAGE_FILE_BMP = 0, IMAGE_FILE_DDS = 4 };

// The source image as the loader found it.
struct ImageInfo {
    UINT Width;
    UINT Height;
    UINT Depth;
    UINT MipLevels;
    D3DFORMAT Format;
    D3DRESOURCETYPE ResourceType;
    uint32_t ImageFileFormat;
};

// Value meaning "take it from the file" or "the library default" for the size, mip and filter
// arguments.
constexpr uint32_t FROM_FILE_OR_DEFAULT = 0xFFFFFFFFu;

// A decoded image: the top level, as 32-bit ARGB texels, rows top first.
struct DecodedImage {
    ImageInfo info;
    uint32_t width = 0;
    uint32_t height = 0;
    std::vector<uint32_t> texels;
};

// Decodes a BMP or DDS file held in memory. Hostile input gives false and a one-line reason.
bool DecodeImage(const uint8_t* data, size_t size, DecodedImage& image, std::string& error);
bool DecodeImageFile(const char* fileName, DecodedImage& image, std::string& error);

// Creates an A8R8G8B8 texture from an image file. Texels equal to colourKey (when not 0) get
// alpha 0. The texture takes the file's size unless width/height are given.
HRESULT CreateTextureFromFile(IDirect3DDevice9* device, const char* fileName, UINT width,
                              UINT height, UINT mipLevels, DWORD usage, D3DFORMAT format,
                              D3DPOOL pool, DWORD filter, DWORD mipFilter, D3DCOLOR colourKey,
                              ImageInfo* sourceInfo, IDirect3DTexture9** texture);
