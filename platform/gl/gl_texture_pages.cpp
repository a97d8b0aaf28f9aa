// Texture places: 3-D pages shared by textures of one size and format, and 2-D textures.
#include "platform/gl/gl_texture_pages.h"

#include <algorithm>
#include <bit>
#include <cstdint>

namespace platform::gl {

namespace {

// Up to this many textures share a page, and a page holds at most this many texels (1 MB),
// so that a lone large texture does not reserve much more than itself.
constexpr GLsizei MOST_LAYERS = 16;
constexpr int64_t MOST_PAGE_TEXELS = int64_t{1} << 18;
// A page of one layer would be a 2-D texture with extra work.
constexpr GLsizei FEWEST_LAYERS = 2;

// ARGB texels in memory are the bytes B, G, R, A on the machines the game runs on; OpenGL ES has no
// BGRA upload, so the texture reads its channels swapped back instead. WebGL 2 has no such
// swizzles: there the texels are put into OpenGL's order before they are uploaded.
static_assert(std::endian::native == std::endian::little);
#ifdef __EMSCRIPTEN__
constexpr bool HAS_SWIZZLES = false;
#else
constexpr bool HAS_SWIZZLES = true;
#endif
constexpr uint32_t ALPHA_AND_GREEN = 0xFF00FF00;
constexpr uint32_t OPAQUE_ALPHA = 0xFF000000;
constexpr int RED_SHIFT = 16;
constexpr uint32_t CHANNEL = 0xFF;

// ARGB texels as the bytes R, G, B, A; alpha 1 for an opaque texture.
std::vector<uint32_t> InOpenGlOrder(const void* texels, size_t count, bool opaque) {
    const auto* argb = static_cast<const uint32_t*>(texels);
    std::vector<uint32_t> ordered(count);
    for (size_t i = 0; i < count; ++i) {
        const uint32_t texel = argb[i];
        ordered[i] = (texel & ALPHA_AND_GREEN) | ((texel >> RED_SHIFT) & CHANNEL) |
                     ((texel & CHANNEL) << RED_SHIFT) | (opaque ? OPAQUE_ALPHA : 0);
    }
    return ordered;
}

void SetSampling(GLenum target, bool opaque) {
    glTexParameteri(target, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(target, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(target, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(target, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexParameteri(target, GL_TEXTURE_MAX_LEVEL, 0);
    if constexpr (HAS_SWIZZLES) {
        glTexParameteri(target, GL_TEXTURE_SWIZZLE_R, GL_BLUE);
        glTexParameteri(target, GL_TEXTURE_SWIZZLE_B, GL_RED);
        glTexParameteri(target, GL_TEXTURE_SWIZZLE_A, opaque ? GL_ONE : GL_ALPHA);
    }
    if (target == GL_TEXTURE_3D) {
        // Layers never wrap into each other.
        glTexParameteri(target, GL_TEXTURE_WRAP_R, GL_CLAMP_TO_EDGE);
    }
}

void SetUnpacking() {
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
}

}  // namespace

void TextureBindings::Bind(GLenum target, GLuint name) {
    GLuint& bound = target == GL_TEXTURE_3D ? bound3D : bound2D;
    if (bound != name) {
        glBindTexture(target, name);
        bound = name;
    }
}

void TextureBindings::Deleted(GLuint name) {
    if (bound2D == name) {
        bound2D = 0;
    }
    if (bound3D == name) {
        bound3D = 0;
    }
}

void TexturePages::Initialise() {
    glGetIntegerv(GL_MAX_3D_TEXTURE_SIZE, &largest3D);
}

GLsizei TexturePages::LayersPerPage(GLsizei width, GLsizei height) const {
    if (width > largest3D || height > largest3D) {
        return 0;
    }
    const int64_t fitting = MOST_PAGE_TEXELS / (int64_t{width} * height);
    return static_cast<GLsizei>(
        std::min<int64_t>({fitting, MOST_LAYERS, static_cast<int64_t>(largest3D)}));
}

TexturePlace TexturePages::Allocate(GLsizei width, GLsizei height, bool opaque) {
    TexturePlace place;
    place.opaque = opaque;
    const GLsizei layers = LayersPerPage(width, height);
    if (layers < FEWEST_LAYERS) {
        place.target = GL_TEXTURE_2D;
        glGenTextures(1, &place.name);
        bindings.Bind(GL_TEXTURE_2D, place.name);
        SetSampling(GL_TEXTURE_2D, opaque);
        return place;
    }
    Page* page = nullptr;
    for (Page& candidate : pages) {
        if (candidate.width == width && candidate.height == height && candidate.opaque == opaque &&
            std::find(candidate.used.begin(), candidate.used.end(), false) !=
                candidate.used.end()) {
            page = &candidate;
            break;
        }
    }
    if (page == nullptr) {
        Page created;
        glGenTextures(1, &created.name);
        created.width = width;
        created.height = height;
        created.opaque = opaque;
        created.used.assign(static_cast<size_t>(layers), false);
        bindings.Bind(GL_TEXTURE_3D, created.name);
        SetSampling(GL_TEXTURE_3D, opaque);
        glTexImage3D(GL_TEXTURE_3D, 0, GL_RGBA8, width, height, layers, 0, GL_RGBA,
                     GL_UNSIGNED_BYTE, nullptr);
        pages.push_back(std::move(created));
        page = &pages.back();
    }
    const auto layer = std::find(page->used.begin(), page->used.end(), false);
    *layer = true;
    place.target = GL_TEXTURE_3D;
    place.name = page->name;
    place.layer = static_cast<GLint>(layer - page->used.begin());
    place.layerCoordinate =
        (static_cast<float>(place.layer) + 0.5f) / static_cast<float>(page->used.size());
    return place;
}

void TexturePages::Upload(const TexturePlace& place, GLsizei width, GLsizei height,
                          const void* texels) {
    if (place.target == 0) {
        return;
    }
    std::vector<uint32_t> ordered;
    if constexpr (!HAS_SWIZZLES) {
        ordered = InOpenGlOrder(texels, static_cast<size_t>(width) * height, place.opaque);
        texels = ordered.data();
    }
    bindings.Bind(place.target, place.name);
    SetUnpacking();
    if (place.target == GL_TEXTURE_2D) {
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                     texels);
    } else {
        glTexSubImage3D(GL_TEXTURE_3D, 0, 0, 0, place.layer, width, height, 1, GL_RGBA,
                        GL_UNSIGNED_BYTE, texels);
    }
}

TexturePages::Page* TexturePages::PageOf(GLuint name) {
    for (Page& page : pages) {
        if (page.name == name) {
            return &page;
        }
    }
    return nullptr;
}

void TexturePages::Free(const TexturePlace& place) {
    GLuint unused = 0;
    if (place.target == GL_TEXTURE_2D) {
        unused = place.name;
    } else if (Page* page = PageOf(place.name); page != nullptr) {
        page->used[static_cast<size_t>(place.layer)] = false;
        if (std::find(page->used.begin(), page->used.end(), true) == page->used.end()) {
            unused = page->name;
            pages.erase(pages.begin() + (page - pages.data()));
        }
    }
    if (unused != 0) {
        glDeleteTextures(1, &unused);
        bindings.Deleted(unused);
    }
}

void TexturePages::DeleteAll() {
    for (const Page& page : pages) {
        glDeleteTextures(1, &page.name);
        bindings.Deleted(page.name);
    }
    pages.clear();
}

}  // namespace platform::gl
