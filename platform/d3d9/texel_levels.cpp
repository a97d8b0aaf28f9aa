// Texture levels in memory: allocation, description, locking.
#include "platform/d3d9/texel_levels.h"

#include <cstddef>

namespace platform {

namespace {

constexpr UINT BYTES_PER_TEXEL = 4;

UINT ChainLength(UINT width, UINT height) {
    UINT count = 1;
    while (width > 1 || height > 1) {
        width = width > 1 ? width / 2 : 1;
        height = height > 1 ? height / 2 : 1;
        ++count;
    }
    return count;
}

}  // namespace

bool TexelLevels::IsSupported(D3DFORMAT format) {
    return format == D3DFMT_A8R8G8B8 || format == D3DFMT_X8R8G8B8;
}

bool TexelLevels::IsLockable(D3DPOOL pool, DWORD usage) {
    return pool != D3DPOOL_DEFAULT || (usage & D3DUSAGE_DYNAMIC) != 0;
}

HRESULT TexelLevels::Update(const TexelLevels& source, D3DPOOL sourcePool, TexelLevels& destination,
                            D3DPOOL destinationPool) {
    if (sourcePool != D3DPOOL_SYSTEMMEM || destinationPool != D3DPOOL_DEFAULT ||
        source.levels.empty() || destination.levels.empty() ||
        source.format != destination.format || source.Width(0) != destination.Width(0) ||
        source.Height(0) != destination.Height(0) ||
        source.LevelCount() < destination.LevelCount()) {
        return D3DERR_INVALIDCALL;
    }
    for (size_t level = 0; level < destination.levels.size(); ++level) {
        destination.levels[level].texels = source.levels[level].texels;
    }
    return D3D_OK;
}

HRESULT TexelLevels::Allocate(UINT width, UINT height, UINT levelCount, D3DFORMAT textureFormat) {
    if (width == 0 || height == 0 || width > MAX_SIDE || height > MAX_SIDE ||
        !IsSupported(textureFormat)) {
        return D3DERR_INVALIDCALL;
    }
    const UINT chain = ChainLength(width, height);
    if (levelCount == 0) {
        levelCount = chain;
    }
    if (levelCount > chain) {
        return D3DERR_INVALIDCALL;
    }
    format = textureFormat;
    levels.resize(levelCount);
    for (Level& level : levels) {
        level.width = width;
        level.height = height;
        level.texels.assign(static_cast<size_t>(width) * height, 0);
        width = width > 1 ? width / 2 : 1;
        height = height > 1 ? height / 2 : 1;
    }
    return D3D_OK;
}

HRESULT TexelLevels::Describe(UINT level, DWORD usage, D3DPOOL pool, D3DSURFACE_DESC* desc) const {
    if (desc == nullptr || level >= levels.size()) {
        return D3DERR_INVALIDCALL;
    }
    *desc = D3DSURFACE_DESC{};
    desc->Format = format;
    desc->Type = D3DRTYPE_SURFACE;
    desc->Usage = usage;
    desc->Pool = pool;
    desc->MultiSampleType = D3DMULTISAMPLE_NONE;
    desc->Width = levels[level].width;
    desc->Height = levels[level].height;
    return D3D_OK;
}

HRESULT TexelLevels::Lock(UINT levelIndex, D3DLOCKED_RECT* lockedRect, const RECT* rect,
                          DWORD flags) {
    if (lockedRect == nullptr || levelIndex >= levels.size() || levels[levelIndex].locked) {
        return D3DERR_INVALIDCALL;
    }
    Level& level = levels[levelIndex];
    size_t first = 0;
    if (rect != nullptr) {
        const bool inside = rect->left >= 0 && rect->top >= 0 && rect->left < rect->right &&
                            rect->top < rect->bottom &&
                            static_cast<UINT>(rect->right) <= level.width &&
                            static_cast<UINT>(rect->bottom) <= level.height;
        if (!inside) {
            return D3DERR_INVALIDCALL;
        }
        first = static_cast<size_t>(rect->top) * level.width + static_cast<size_t>(rect->left);
    }
    level.locked = true;
    level.readOnly = (flags & D3DLOCK_READONLY) != 0;
    lockedRect->Pitch = static_cast<INT>(level.width * BYTES_PER_TEXEL);
    lockedRect->pBits = level.texels.data() + first;
    return D3D_OK;
}

HRESULT TexelLevels::Unlock(UINT levelIndex, bool& written) {
    written = false;
    if (levelIndex >= levels.size() || !levels[levelIndex].locked) {
        return D3DERR_INVALIDCALL;
    }
    Level& level = levels[levelIndex];
    level.locked = false;
    written = !level.readOnly;
    return D3D_OK;
}

}  // namespace platform
