// Direct3D 9's rules for a texture, written once for every device: pools, levels and locks, and
// the copy of UpdateTexture. A backend derives from it to learn when texels change.
#pragma once

#include "platform/d3d9/d3d9_subset.h"
#include "platform/d3d9/texel_levels.h"

namespace platform::d3d9 {

class DeviceFront;

class TextureFront : public IDirect3DTexture9 {
  public:
    TextureFront(const TextureFront&) = delete;
    TextureFront& operator=(const TextureFront&) = delete;

    // Allocated by CreateTexture, which fails with this result when it fails.
    HRESULT Allocate(UINT width, UINT height, UINT levels, D3DFORMAT format);
    bool BelongsTo(const DeviceFront* device) const { return owner == device; }
    D3DPOOL Pool() const { return pool; }
    const TexelLevels& Levels() const { return levels; }
    // UpdateTexture from `source` into this texture.
    HRESULT UpdateFrom(const TextureFront& source);

    // A reference a device keeps while the texture is bound; not one the caller can see.
    void Hold() { ++references; }
    void Drop();

    ULONG AddRef() override;
    ULONG Release() override;
    HRESULT GetLevelDesc(UINT level, D3DSURFACE_DESC* desc) override;
    HRESULT LockRect(UINT level, D3DLOCKED_RECT* lockedRect, const RECT* rect,
                     DWORD flags) override;
    HRESULT UnlockRect(UINT level) override;

  protected:
    TextureFront(const DeviceFront* owner, DWORD usage, D3DPOOL pool);
    ~TextureFront() override = default;

    // The device is gone: the texture belongs to none any more.
    void Disown() { owner = nullptr; }
    // The texels of `level` may have changed: unlocked after a lock that could write, or copied.
    virtual void LevelWritten(UINT /*level*/) {}
    ULONG References() const { return references; }

  private:
    const DeviceFront* owner;  // only compared, never followed
    DWORD usage;
    D3DPOOL pool;
    ULONG references = 1;
    TexelLevels levels;
};

}  // namespace platform::d3d9
