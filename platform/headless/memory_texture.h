// The texture of the recording and null devices: texels in memory, calls into the log.
#pragma once

#include "platform/d3d9/texel_levels.h"
#include "platform/headless/call_recorder.h"

namespace platform::headless {

class MemoryTexture final : public IDirect3DTexture9 {
  public:
    MemoryTexture(CallRecorder recorder, int id, DWORD usage, D3DPOOL pool);
    MemoryTexture(const MemoryTexture&) = delete;
    MemoryTexture& operator=(const MemoryTexture&) = delete;

    HRESULT Allocate(UINT width, UINT height, UINT levels, D3DFORMAT format);
    int Id() const { return id; }
    const TexelLevels& Levels() const { return levels; }
    // UpdateTexture from `source` into this texture.
    HRESULT UpdateFrom(const MemoryTexture& source);

    // A reference the device keeps while the texture is bound; not a call, so not recorded.
    void Hold() { ++references; }
    void Drop();

    ULONG AddRef() override;
    ULONG Release() override;
    HRESULT GetLevelDesc(UINT level, D3DSURFACE_DESC* desc) override;
    HRESULT LockRect(UINT level, D3DLOCKED_RECT* lockedRect, const RECT* rect,
                     DWORD flags) override;
    HRESULT UnlockRect(UINT level) override;

  private:
    ~MemoryTexture() override = default;

    CallRecorder recorder;
    int id;
    DWORD usage;
    D3DPOOL pool;
    ULONG references = 1;
    TexelLevels levels;
};

}  // namespace platform::headless
