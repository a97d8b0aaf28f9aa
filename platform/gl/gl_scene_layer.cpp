// The scene layer: a framebuffer with colour and depth renderbuffers, blitted onto the picture.
#include "platform/gl/gl_scene_layer.h"

namespace platform::gl {

SceneLayer::~SceneLayer() {
    Delete();
}

void SceneLayer::Delete() {
    glDeleteFramebuffers(1, &framebuffer);
    glDeleteRenderbuffers(1, &colour);
    glDeleteRenderbuffers(1, &depth);
    framebuffer = colour = depth = 0;
    width = height = 0;
}

bool SceneLayer::Resize(int newWidth, int newHeight, int depthBits) {
    if (framebuffer != 0 && newWidth == width && newHeight == height) {
        return true;
    }
    Delete();
    glGenFramebuffers(1, &framebuffer);
    glGenRenderbuffers(1, &colour);
    glGenRenderbuffers(1, &depth);
    glBindRenderbuffer(GL_RENDERBUFFER, colour);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, newWidth, newHeight);
    glBindRenderbuffer(GL_RENDERBUFFER, depth);
    constexpr int SHORT_DEPTH_BITS = 16;
    const GLenum depthFormat =
        depthBits <= SHORT_DEPTH_BITS ? GL_DEPTH_COMPONENT16 : GL_DEPTH_COMPONENT24;
    glRenderbufferStorage(GL_RENDERBUFFER, depthFormat, newWidth, newHeight);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, colour);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, depth);
    const bool complete = glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    if (!complete) {
        Delete();
        return false;
    }
    width = newWidth;
    height = newHeight;
    return true;
}

void SceneLayer::Bind() {
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    glViewport(0, 0, width, height);
}

void SceneLayer::Enlarge(const PixelRect& picture, int drawableHeight) {
    glBindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
    const bool wholeRatio = picture.width % width == 0 && picture.height % height == 0;
    const int bottom = RowsBelow(picture, drawableHeight);
    glBlitFramebuffer(0, 0, width, height, picture.x, bottom, picture.x + picture.width,
                      bottom + picture.height, GL_COLOR_BUFFER_BIT,
                      wholeRatio ? GL_NEAREST : GL_LINEAR);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
}

}  // namespace platform::gl
