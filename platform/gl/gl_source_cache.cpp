// The source cache: the game's bytes compared with the last draw's, converted and uploaded once
// when they come back unchanged.
#include "platform/gl/gl_source_cache.h"

#include <cstring>

namespace platform::gl {

namespace {

// A second of the game's frames: what was not drawn from for that long is likely freed memory.
constexpr uint64_t FRAMES_KEPT = 25;

}  // namespace

void BufferBindings::Bind(GLenum target, GLuint name) {
    GLuint& bound = target == GL_ARRAY_BUFFER ? array : element;
    if (bound != name) {
        glBindBuffer(target, name);
        bound = name;
    }
}

SourceCache::~SourceCache() {
    for (auto& [key, entry] : entries) {
        glDeleteBuffers(1, &entry.buffer);
    }
}

const CachedSource* SourceCache::Find(const SourceKey& key, const Convert& convert) {
    CachedSource& entry = entries[key];
    entry.lastFrame = frame;
    const auto* bytes = static_cast<const uint8_t*>(key.data);
    if (entry.source.size() != key.bytes ||
        (key.bytes != 0 && std::memcmp(entry.source.data(), bytes, key.bytes) != 0)) {
        // New or changed: remembered for the next draw, streamed by this one. Deleting a buffer
        // queued draws still read is safe: OpenGL keeps it until they are done.
        entry.source.assign(bytes, bytes + key.bytes);
        glDeleteBuffers(1, &entry.buffer);
        entry.buffer = 0;
        entry.converted.clear();
        return nullptr;
    }
    if (entry.buffer == 0) {
        convert(entry.converted);
        Upload(entry);
    }
    bindings.Bind(target, entry.buffer);
    return &entry;
}

void SourceCache::Upload(CachedSource& entry) {
    if (entry.buffer == 0) {
        glGenBuffers(1, &entry.buffer);
    }
    bindings.Bind(target, entry.buffer);
    glBufferData(target, static_cast<GLsizeiptr>(entry.converted.size()), entry.converted.data(),
                 GL_STATIC_DRAW);
}

void SourceCache::EndFrame() {
    for (auto at = entries.begin(); at != entries.end();) {
        if (at->second.lastFrame + FRAMES_KEPT < frame) {
            glDeleteBuffers(1, &at->second.buffer);
            at = entries.erase(at);
        } else {
            ++at;
        }
    }
    ++frame;
}

}  // namespace platform::gl
