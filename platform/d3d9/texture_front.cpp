// A texture's pools, levels and locks, checked as Direct3D 9 checks them.
#include "platform/d3d9/texture_front.h"

namespace platform::d3d9 {

TextureFront::TextureFront(const DeviceFront* owner, DWORD usage, D3DPOOL pool)
    : owner(owner), usage(usage), pool(pool) {}

HRESULT TextureFront::Allocate(UINT width, UINT height, UINT levelCount, D3DFORMAT format) {
    return levels.Allocate(width, height, levelCount, format);
}

void TextureFront::Drop() {
    if (--references == 0) {
        delete this;
    }
}

ULONG TextureFront::AddRef() {
    return ++references;
}

ULONG TextureFront::Release() {
    const ULONG remaining = --references;
    if (remaining == 0) {
        delete this;
    }
    return remaining;
}

HRESULT TextureFront::GetLevelDesc(UINT level, D3DSURFACE_DESC* desc) {
    return levels.Describe(level, usage, pool, desc);
}

HRESULT TextureFront::LockRect(UINT level, D3DLOCKED_RECT* lockedRect, const RECT* rect,
                               DWORD flags) {
    if (!TexelLevels::IsLockable(pool, usage)) {
        return D3DERR_INVALIDCALL;
    }
    return levels.Lock(level, lockedRect, rect, flags);
}

HRESULT TextureFront::UnlockRect(UINT level) {
    bool written = false;
    const HRESULT result = levels.Unlock(level, written);
    if (SUCCEEDED(result) && written) {
        LevelWritten(level);
    }
    return result;
}

HRESULT TextureFront::UpdateFrom(const TextureFront& source) {
    const HRESULT result = TexelLevels::Update(source.levels, source.pool, levels, pool);
    if (SUCCEEDED(result)) {
        for (UINT level = 0; level < levels.LevelCount(); ++level) {
            LevelWritten(level);
        }
    }
    return result;
}

}  // namespace platform::d3d9
