// A texture of the OpenGL device: texels in memory, uploaded to OpenGL when level 0 is unlocked.
#pragma once

#include "platform/d3d9/d3d9_subset.h"
#include "platform/d3d9/texel_levels.h"
#include "platform/gl/gl_texture_pages.h"
#include "platform/gl/opengl.h"

namespace platform::gl {

class GlDevice;

class GlTexture final : public IDirect3DTexture9 {
  public:
    GlTexture(GlDevice* device, DWORD usage, D3DPOOL pool);
    GlTexture(const GlTexture&) = delete;
    GlTexture& operator=(const GlTexture&) = delete;

    // Allocates the levels and their place in OpenGL (nearest sampling, wrapping, one level).
    HRESULT Allocate(UINT width, UINT height, UINT levels, D3DFORMAT format);

    bool BelongsTo(const GlDevice* owner) const { return device == owner; }
    const TexturePlace& Place() const { return place; }
    // UpdateTexture from `source` into this texture.
    HRESULT UpdateFrom(const GlTexture& source);
    // The device is going away and has freed the place; the texels stay lockable.
    void Orphan();
    // The device has freed the place with all of OpenGL's objects (a lost context came back
    // empty): a new place, with the texels uploaded again.
    void PlaceAgain();

    ULONG AddRef() override;
    ULONG Release() override;
    HRESULT GetLevelDesc(UINT level, D3DSURFACE_DESC* desc) override;
    HRESULT LockRect(UINT level, D3DLOCKED_RECT* lockedRect, const RECT* rect,
                     DWORD flags) override;
    HRESULT UnlockRect(UINT level) override;

  private:
    ~GlTexture() override;
    void Upload();
    bool Opaque() const;

    GlDevice* device;  // not counted: the device tells its textures when it goes
    DWORD usage;
    D3DPOOL pool;
    ULONG references = 1;
    TexturePlace place;
    TexelLevels levels;
};

}  // namespace platform::gl
