// The offscreen picture the 3-D scene is drawn into at a lower factor than the window's, with a
// depth buffer of its own, and its enlargement onto the window's picture.
#pragma once

#include "platform/gl/gl_letterbox.h"
#include "platform/gl/opengl.h"

namespace platform::gl {

class SceneLayer {
  public:
    SceneLayer() = default;
    // With the context current.
    ~SceneLayer();
    SceneLayer(const SceneLayer&) = delete;
    SceneLayer& operator=(const SceneLayer&) = delete;

    // Makes the layer `width` x `height` pixels, unless it is already, with a depth buffer as
    // precise as the window's (`depthBits`), so that the scene is the same picture; false when
    // OpenGL cannot.
    bool Resize(int width, int height, int depthBits);
    // Binds it for drawing, its whole area the viewport.
    void Bind();
    // Copies it enlarged onto `picture` of the window's drawable (bound afterwards), with the
    // scissor test off: pixel for pixel repeated at a whole ratio, smoothed otherwise.
    void Enlarge(const PixelRect& picture, int drawableHeight);
    int Width() const { return width; }
    int Height() const { return height; }

  private:
    void Delete();

    GLuint framebuffer = 0;
    GLuint colour = 0;
    GLuint depth = 0;
    int width = 0;
    int height = 0;
};

}  // namespace platform::gl
