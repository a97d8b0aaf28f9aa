// Textures of the recording and null devices.
#include "platform/headless/memory_texture.h"

namespace platform::headless {

MemoryTexture::MemoryTexture(CallRecorder recorder, int id, DWORD usage, D3DPOOL pool)
    : recorder(recorder), id(id), usage(usage), pool(pool) {}

HRESULT MemoryTexture::Allocate(UINT width, UINT height, UINT levelCount, D3DFORMAT format) {
    return levels.Allocate(width, height, levelCount, format);
}

void MemoryTexture::Drop() {
    if (--references == 0) {
        delete this;
    }
}

ULONG MemoryTexture::AddRef() {
    ++references;
    recorder.Add("AddRefTexture", {static_cast<double>(id), static_cast<double>(references)});
    return references;
}

ULONG MemoryTexture::Release() {
    const ULONG remaining = --references;
    recorder.Add("ReleaseTexture", {static_cast<double>(id), static_cast<double>(remaining)});
    if (remaining == 0) {
        delete this;
    }
    return remaining;
}

HRESULT MemoryTexture::GetLevelDesc(UINT level, D3DSURFACE_DESC* desc) {
    recorder.Add("GetLevelDesc", {static_cast<double>(id), static_cast<double>(level)});
    return levels.Describe(level, usage, pool, desc);
}

HRESULT MemoryTexture::LockRect(UINT level, D3DLOCKED_RECT* lockedRect, const RECT* rect,
                                DWORD flags) {
    RecordedCall* call = recorder.Add(
        "LockRect",
        {static_cast<double>(id), static_cast<double>(level), static_cast<double>(flags)});
    if (call != nullptr && rect != nullptr) {
        call->args.insert(call->args.end(),
                          {static_cast<double>(rect->left), static_cast<double>(rect->top),
                           static_cast<double>(rect->right), static_cast<double>(rect->bottom)});
    }
    if (!TexelLevels::IsLockable(pool, usage)) {
        return D3DERR_INVALIDCALL;
    }
    return levels.Lock(level, lockedRect, rect, flags);
}

HRESULT MemoryTexture::UpdateFrom(const MemoryTexture& source) {
    return TexelLevels::Update(source.levels, source.pool, levels, pool);
}

HRESULT MemoryTexture::UnlockRect(UINT level) {
    recorder.Add("UnlockRect", {static_cast<double>(id), static_cast<double>(level)});
    bool written = false;
    return levels.Unlock(level, written);
}

}  // namespace platform::headless
