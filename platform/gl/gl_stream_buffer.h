// A buffer object that draws stream their vertices or indices into, one after the other, so that
// a draw costs a copy and no new buffer storage.
#pragma once

#include "platform/gl/gl_source_cache.h"
#include "platform/gl/opengl.h"

namespace platform::gl {

class StreamBuffer {
  public:
    // With the context current; `target` is GL_ARRAY_BUFFER or GL_ELEMENT_ARRAY_BUFFER.
    StreamBuffer(GLenum target, BufferBindings& bindings);
    ~StreamBuffer();
    StreamBuffer(const StreamBuffer&) = delete;
    StreamBuffer& operator=(const StreamBuffer&) = delete;

    GLuint Name() const { return name; }
    // Copies `size` bytes behind the earlier ones, at a multiple of `alignment`; returns where,
    // the buffer left bound. A full buffer gets fresh storage: the draws queued on the old one
    // keep theirs.
    GLintptr Append(const void* data, GLsizeiptr size, GLsizeiptr alignment);

  private:
    GLenum target;
    BufferBindings& bindings;
    GLuint name = 0;
    GLsizeiptr capacity = 0;
    GLintptr used = 0;
};

}  // namespace platform::gl
