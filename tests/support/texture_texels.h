// Reading a texture's top level back through LockRect, on any device.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "platform/d3d9.h"

// The top level of a 32-bit texture, rows top first; empty, with a failure, if it cannot be locked.
inline std::vector<uint32_t> ReadTexels(IDirect3DTexture9* texture, uint32_t width,
                                        uint32_t height) {
    std::vector<uint32_t> texels(size_t(width) * height);
    D3DLOCKED_RECT locked{};
    if (FAILED(texture->LockRect(0, &locked, nullptr, D3DLOCK_READONLY))) {
        ADD_FAILURE() << "LockRect failed";
        return {};
    }
    for (uint32_t y = 0; y < height; ++y) {
        std::memcpy(texels.data() + size_t(y) * width,
                    static_cast<const uint8_t*>(locked.pBits) + size_t(y) * locked.Pitch,
                    size_t(width) * sizeof(uint32_t));
    }
    texture->UnlockRect(0);
    return texels;
}
