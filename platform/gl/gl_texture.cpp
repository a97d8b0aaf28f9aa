// OpenGL device textures: allocation, locking and upload.
#include "platform/gl/gl_texture.h"

#include "platform/gl/gl_device.h"

namespace platform::gl {

GlTexture::GlTexture(GlDevice* device, DWORD usage, D3DPOOL pool)
    : device(device), usage(usage), pool(pool) {}

GlTexture::~GlTexture() {
    if (device != nullptr) {
        device->ForgetTexture(this);
    }
}

HRESULT GlTexture::Allocate(UINT width, UINT height, UINT levelCount, D3DFORMAT format) {
    const HRESULT result = levels.Allocate(width, height, levelCount, format);
    if (FAILED(result)) {
        return result;
    }
    PlaceAgain();
    return D3D_OK;
}

void GlTexture::PlaceAgain() {
    device->MakeCurrent();
    place = device->Pages().Allocate(static_cast<GLsizei>(levels.Width(0)),
                                     static_cast<GLsizei>(levels.Height(0)), Opaque());
    Upload();
}

void GlTexture::Orphan() {
    device = nullptr;
    place = TexturePlace{};
}

bool GlTexture::Opaque() const {
    // X8R8G8B8 has no alpha: such a texture reads as opaque, whatever the unused byte holds.
    return levels.Format() == D3DFMT_X8R8G8B8;
}

void GlTexture::Upload() {
    if (device == nullptr || place.target == 0) {
        return;
    }
    device->MakeCurrent();
    device->Pages().Upload(place, static_cast<GLsizei>(levels.Width(0)),
                           static_cast<GLsizei>(levels.Height(0)), levels.Texels(0));
}

ULONG GlTexture::AddRef() {
    return ++references;
}

ULONG GlTexture::Release() {
    const ULONG remaining = --references;
    if (remaining == 0) {
        delete this;
    }
    return remaining;
}

HRESULT GlTexture::GetLevelDesc(UINT level, D3DSURFACE_DESC* desc) {
    return levels.Describe(level, usage, pool, desc);
}

HRESULT GlTexture::LockRect(UINT level, D3DLOCKED_RECT* lockedRect, const RECT* rect, DWORD flags) {
    if (!TexelLevels::IsLockable(pool, usage)) {
        return D3DERR_INVALIDCALL;
    }
    return levels.Lock(level, lockedRect, rect, flags);
}

HRESULT GlTexture::UpdateFrom(const GlTexture& source) {
    const HRESULT result = TexelLevels::Update(source.levels, source.pool, levels, pool);
    if (SUCCEEDED(result)) {
        Upload();
    }
    return result;
}

HRESULT GlTexture::UnlockRect(UINT level) {
    bool written = false;
    const HRESULT result = levels.Unlock(level, written);
    // Only level 0 is drawn; the others are kept for whoever locks them again.
    if (SUCCEEDED(result) && written && level == 0) {
        Upload();
    }
    return result;
}

}  // namespace platform::gl
