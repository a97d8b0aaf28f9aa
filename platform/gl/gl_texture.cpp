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
    device->MakeCurrent();
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    // Direct3D's defaults: point sampling, no mipmaps, wrapping addresses.
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
    Upload();
    return D3D_OK;
}

void GlTexture::Orphan() {
    device = nullptr;
    name = 0;
}

void GlTexture::Upload() {
    if (device == nullptr || name == 0) {
        return;
    }
    device->MakeCurrent();
    glBindTexture(GL_TEXTURE_2D, name);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    // X8R8G8B8 has no alpha: an RGB texture reads as opaque, whatever the unused byte holds.
    const GLint internalFormat = levels.Format() == D3DFMT_X8R8G8B8 ? GL_RGB8 : GL_RGBA8;
    // 8_8_8_8_REV with BGRA reads a 32-bit ARGB value whatever the byte order of the machine.
    glTexImage2D(GL_TEXTURE_2D, 0, internalFormat, static_cast<GLsizei>(levels.Width(0)),
                 static_cast<GLsizei>(levels.Height(0)), 0, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV,
                 levels.Texels(0));
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
    return levels.Lock(level, lockedRect, rect, flags);
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
