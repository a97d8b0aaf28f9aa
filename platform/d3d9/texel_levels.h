// The texels of a Direct3D texture kept in memory, level by level, with the rules of LockRect.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/d3d9/d3d9_subset.h"

namespace platform {

class TexelLevels {
  public:
    // The largest side accepted, as on common Direct3D 9 hardware; it also keeps a hostile image
    // header from asking for gigabytes.
    static constexpr UINT MAX_SIDE = 8192;

    // A8R8G8B8 and X8R8G8B8, the formats the loaders produce.
    static bool IsSupported(D3DFORMAT format);
    // As on real hardware, a default-pool texture lives in video memory and locks only when
    // dynamic; it is filled with UpdateTexture instead.
    static bool IsLockable(D3DPOOL pool, DWORD usage);
    // UpdateTexture's rules: from the system-memory pool into the default pool, the same format
    // and top-level size, at least as many levels in the source; every level of the destination
    // is copied.
    static HRESULT Update(const TexelLevels& source, D3DPOOL sourcePool, TexelLevels& destination,
                          D3DPOOL destinationPool);

    // `levels` 0 means the whole chain down to 1x1. Fails (D3DERR_INVALIDCALL) on a zero or too
    // large size, an unsupported format or more levels than the chain has.
    HRESULT Allocate(UINT width, UINT height, UINT levels, D3DFORMAT format);

    UINT LevelCount() const { return static_cast<UINT>(levels.size()); }
    D3DFORMAT Format() const { return format; }
    UINT Width(UINT level) const { return levels[level].width; }
    UINT Height(UINT level) const { return levels[level].height; }
    // Rows top first, one 32-bit ARGB texel each, no padding.
    const uint32_t* Texels(UINT level) const { return levels[level].texels.data(); }

    HRESULT Describe(UINT level, DWORD usage, D3DPOOL pool, D3DSURFACE_DESC* desc) const;
    HRESULT Lock(UINT level, D3DLOCKED_RECT* lockedRect, const RECT* rect, DWORD flags);
    // `written` tells whether the lock allowed writing, so the caller knows to upload.
    HRESULT Unlock(UINT level, bool& written);

  private:
    struct Level {
        UINT width = 0;
        UINT height = 0;
        std::vector<uint32_t> texels;
        bool locked = false;
        bool readOnly = false;
    };

    std::vector<Level> levels;
    D3DFORMAT format = D3DFMT_UNKNOWN;
};

}  // namespace platform
