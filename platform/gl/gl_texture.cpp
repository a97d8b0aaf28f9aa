// OpenGL device textures: their place in OpenGL and the upload of their texels.
#include "platform/gl/gl_texture.h"

#include "platform/gl/gl_device.h"

namespace platform::gl {

GlTexture::GlTexture(GlDevice* device, DWORD usage, D3DPOOL pool)
    : TextureFront(device, usage, pool), device(device) {}

GlTexture::~GlTexture() {
    if (device != nullptr) {
        device->ForgetTexture(this);
    }
}

void GlTexture::PlaceAgain() {
    device->MakeCurrent();
    place = device->Pages().Allocate(static_cast<GLsizei>(Levels().Width(0)),
                                     static_cast<GLsizei>(Levels().Height(0)), Opaque());
    Upload();
}

void GlTexture::Orphan() {
    device = nullptr;
    place = TexturePlace{};
    Disown();
}

bool GlTexture::Opaque() const {
    // X8R8G8B8 has no alpha: such a texture reads as opaque, whatever the unused byte holds.
    return Levels().Format() == D3DFMT_X8R8G8B8;
}

void GlTexture::LevelWritten(UINT level) {
    if (level == 0) {
        Upload();
    }
}

void GlTexture::Upload() {
    if (device == nullptr || place.target == 0) {
        return;
    }
    device->MakeCurrent();
    device->Pages().Upload(place, static_cast<GLsizei>(Levels().Width(0)),
                           static_cast<GLsizei>(Levels().Height(0)), Levels().Texels(0));
}

}  // namespace platform::gl
