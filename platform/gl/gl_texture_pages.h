// Where the OpenGL device keeps texels: textures of one size and format share the layers of a
// 3-D texture, so that a software OpenGL sees no texture change between their draws.
#pragma once

#include <vector>

#include "platform/gl/opengl.h"

namespace platform::gl {

// A texture's place: a layer of a shared 3-D texture, or a 2-D texture of its own when no 3-D
// texture can hold it.
struct TexturePlace {
    GLenum target = 0;  // GL_TEXTURE_3D or GL_TEXTURE_2D; 0: nowhere
    GLuint name = 0;
    GLint layer = 0;
    // The third texture coordinate that samples the layer: its middle, far from the neighbours.
    float layerCoordinate = 0.0f;
    bool opaque = false;  // reads alpha 1 whatever its texels hold there
};

// What texture unit 0 has bound, so that binding the bound texture again costs nothing.
class TextureBindings {
  public:
    void Bind(GLenum target, GLuint name);
    // OpenGL falls back to texture 0 for a deleted bound texture and may reuse its name.
    void Deleted(GLuint name);

  private:
    GLuint bound2D = 0;
    GLuint bound3D = 0;
};

class TexturePages {
  public:
    explicit TexturePages(TextureBindings& bindings) : bindings(bindings) {}
    TexturePages(const TexturePages&) = delete;
    TexturePages& operator=(const TexturePages&) = delete;

    // With the device's context current: how large a 3-D texture may be.
    void Initialise();
    // A place for a level-0 image of this size; the texels are undefined until uploaded. Point
    // sampling, wrapping addresses, one level, as Direct3D's defaults. An opaque texture reads
    // alpha 1 whatever its texels hold there.
    TexturePlace Allocate(GLsizei width, GLsizei height, bool opaque);
    // ARGB texels, rows top first, each 4-byte aligned.
    void Upload(const TexturePlace& place, GLsizei width, GLsizei height, const void* texels);
    void Free(const TexturePlace& place);
    // The context is going away.
    void DeleteAll();

  private:
    struct Page {
        GLuint name = 0;
        GLsizei width = 0;
        GLsizei height = 0;
        bool opaque = false;
        std::vector<bool> used;
    };

    GLsizei LayersPerPage(GLsizei width, GLsizei height) const;
    Page* PageOf(GLuint name);

    TextureBindings& bindings;
    GLint largest3D = 0;
    std::vector<Page> pages;
};

}  // namespace platform::gl
