// Memory the game draws from again and again (a mesh's vertices and indices, the outline of its
// wireframe), kept converted in a buffer object once the same bytes come back, so that a mesh is
// converted and uploaded once, not at every draw. Memory that changes between draws is streamed.
#pragma once

#include <compare>
#include <cstdint>
#include <functional>
#include <map>
#include <vector>

#include "platform/gl/opengl.h"

namespace platform::gl {

// The buffers bound to the two targets the device draws from, so that only changes are sent.
// The element binding belongs to the device's one vertex array.
class BufferBindings {
  public:
    void Bind(GLenum target, GLuint name);

  private:
    static constexpr GLuint UNKNOWN = ~GLuint{0};
    GLuint array = UNKNOWN;
    GLuint element = UNKNOWN;
};

// Where a draw's data comes from: the game's memory and its length, and how it is converted
// (the vertex format and stride, and the texture layer; or the index size, the primitives and
// what the indices are made into, and the primitive count).
struct SourceKey {
    const void* data;
    size_t bytes;
    uint64_t conversion;
    uint32_t variant;
    auto operator<=>(const SourceKey&) const = default;
};

struct CachedSource {
    std::vector<uint8_t> source;     // the game's bytes at the last draw from them
    std::vector<uint8_t> converted;  // what `buffer` holds, kept to make the buffer again
    GLuint buffer = 0;               // 0 until the same bytes came back
    uint64_t lastFrame = 0;
};

class SourceCache {
  public:
    // The entry is converted into with `Convert`, which fills `converted` from the game's bytes.
    using Convert = std::function<void(std::vector<uint8_t>& converted)>;

    SourceCache(GLenum target, BufferBindings& bindings) : target(target), bindings(bindings) {}
    // With the context current: deletes the buffers.
    ~SourceCache();
    SourceCache(const SourceCache&) = delete;
    SourceCache& operator=(const SourceCache&) = delete;

    // The entry for a draw from `key`, its buffer made and bound, when the game's bytes are those
    // of the last draw from it; null when they are new or changed (that draw streams them).
    const CachedSource* Find(const SourceKey& key, const Convert& convert);
    // At every present: forgets what the last second's frames did not draw from.
    void EndFrame();
    // Makes the entry's buffer from its converted bytes (again, when the context lost it).
    void Upload(CachedSource& entry);

  private:
    GLenum target;
    BufferBindings& bindings;
    std::map<SourceKey, CachedSource> entries;
    uint64_t frame = 1;
};

}  // namespace platform::gl
