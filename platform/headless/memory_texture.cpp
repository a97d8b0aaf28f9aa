// Textures of the recording and null devices.
#include "platform/headless/memory_texture.h"

namespace platform::headless {

MemoryTexture::MemoryTexture(const d3d9::DeviceFront* device, CallRecorder recorder, int id,
                             DWORD usage, D3DPOOL pool)
    : TextureFront(device, usage, pool), recorder(recorder), id(id) {}

ULONG MemoryTexture::AddRef() {
    const ULONG count = TextureFront::AddRef();
    recorder.Add("AddRefTexture", {static_cast<double>(id), static_cast<double>(count)});
    return count;
}

ULONG MemoryTexture::Release() {
    // Logged first: the last release ends the texture with its recorder.
    recorder.Add("ReleaseTexture",
                 {static_cast<double>(id), static_cast<double>(References() - 1)});
    return TextureFront::Release();
}

HRESULT MemoryTexture::GetLevelDesc(UINT level, D3DSURFACE_DESC* desc) {
    recorder.Add("GetLevelDesc", {static_cast<double>(id), static_cast<double>(level)});
    return TextureFront::GetLevelDesc(level, desc);
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
    return TextureFront::LockRect(level, lockedRect, rect, flags);
}

HRESULT MemoryTexture::UnlockRect(UINT level) {
    recorder.Add("UnlockRect", {static_cast<double>(id), static_cast<double>(level)});
    return TextureFront::UnlockRect(level);
}

}  // namespace platform::headless
