// The texture of the recording and null devices: texels in memory, calls into the log.
#pragma once

#include "platform/d3d9/texture_front.h"
#include "platform/headless/call_recorder.h"

namespace platform::headless {

class MemoryTexture final : public d3d9::TextureFront {
  public:
    MemoryTexture(const d3d9::DeviceFront* device, CallRecorder recorder, int id, DWORD usage,
                  D3DPOOL pool);

    int Id() const { return id; }

    // Each call is logged, then checked by the front.
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
};

}  // namespace platform::headless
