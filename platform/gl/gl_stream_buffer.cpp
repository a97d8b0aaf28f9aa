// Streaming into a buffer object through unsynchronised maps of ranges no draw reads yet.
#include "platform/gl/gl_stream_buffer.h"

#include <algorithm>
#include <cstring>

namespace platform::gl {

namespace {

constexpr GLsizeiptr FIRST_CAPACITY = GLsizeiptr{1} << 20;  // a frame of the game, several times

}  // namespace

StreamBuffer::StreamBuffer(GLenum target, BufferBindings& bindings)
    : target(target), bindings(bindings) {
    glGenBuffers(1, &name);
}

StreamBuffer::~StreamBuffer() {
    glDeleteBuffers(1, &name);
}

GLintptr StreamBuffer::Append(const void* data, GLsizeiptr size, GLsizeiptr alignment) {
    bindings.Bind(target, name);
    GLintptr offset = (used + alignment - 1) / alignment * alignment;
    if (offset + size > capacity) {
        capacity = std::max({capacity, FIRST_CAPACITY, 2 * size});
        glBufferData(target, capacity, nullptr, GL_STREAM_DRAW);
        offset = 0;
    }
#ifdef __EMSCRIPTEN__
    // WebGL maps no buffers: the browser copies the range in.
    glBufferSubData(target, offset, size, data);
#else
    // Unsynchronised: the range was never written since the storage was made, so no queued
    // draw reads it, and the driver need not wait for them.
    void* mapped = glMapBufferRange(
        target, offset, size,
        GL_MAP_WRITE_BIT | GL_MAP_UNSYNCHRONIZED_BIT | GL_MAP_INVALIDATE_RANGE_BIT);
    std::memcpy(mapped, data, static_cast<size_t>(size));
    glUnmapBuffer(target);
#endif
    used = offset + size;
    return offset;
}

}  // namespace platform::gl
