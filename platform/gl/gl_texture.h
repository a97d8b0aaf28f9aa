// A texture of the OpenGL device: texels in memory, uploaded to OpenGL when level 0 changes.
#pragma once

#include "platform/d3d9/texture_front.h"
#include "platform/gl/gl_texture_pages.h"
#include "platform/gl/opengl.h"

namespace platform::gl {

class GlDevice;

class GlTexture final : public d3d9::TextureFront {
  public:
    GlTexture(GlDevice* device, DWORD usage, D3DPOOL pool);

    const TexturePlace& Place() const { return place; }
    // The device is going away and has freed the place; the texels stay lockable.
    void Orphan();
    // A place in OpenGL (nearest sampling, wrapping, one level) with the texels uploaded: once
    // allocated, and again when the device has freed all of OpenGL's objects (a lost context came
    // back empty).
    void PlaceAgain();

  private:
    ~GlTexture() override;
    // Only level 0 is drawn; the others are kept for whoever locks them again.
    void LevelWritten(UINT level) override;
    void Upload();
    bool Opaque() const;

    GlDevice* device;  // not counted: the device tells its textures when it goes
    TexturePlace place;
};

}  // namespace platform::gl
