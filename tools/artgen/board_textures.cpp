// Floor, block, goal and frame textures, painted procedurally with a fixed noise so that every
// run gives the same bytes.
#include "tools/artgen/board_textures.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace artgen {

namespace {

constexpr int SIZE = BOARD_TEXTURE_SIZE;
constexpr float PI = 3.14159265f;  // for the wood grain's waves

// A repeatable hash of a pixel position and a seed, in 0..1.
float Noise(int x, int y, uint32_t seed) {
    uint32_t h = static_cast<uint32_t>(x) * 374761393u + static_cast<uint32_t>(y) * 668265263u +
                 seed * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return static_cast<float>(h & 0xFFFF) / 65535.0f;
}

Colour Shade(const Colour& colour, float by) {
    return by >= 0 ? Mix(colour, {1, 1, 1, 1}, by) : Mix(colour, {0, 0, 0, 1}, -by);
}

Colour Opaque(Colour colour) {
    colour.a = 1.0f;
    return colour;
}

// A square slab: grained field, a light rim on the upper-left edges, a dark one on the lower-right
// edges and a dark joint line at the outermost pixel.
Image Slab(const Colour& base, int bevel, float bevelStrength, float grain, uint32_t seed,
           const Colour& joint) {
    Image image(SIZE, SIZE);
    for (int y = 0; y < SIZE; ++y) {
        for (int x = 0; x < SIZE; ++x) {
            Colour colour = Shade(base, (Noise(x, y, seed) - 0.5f) * grain);
            const int fromLeftTop = std::min(x, y);
            const int fromRightBottom = std::min(SIZE - 1 - x, SIZE - 1 - y);
            if (x == 0 || y == 0 || x == SIZE - 1 || y == SIZE - 1) {
                colour = joint;
            } else if (fromRightBottom < bevel && fromRightBottom <= fromLeftTop) {
                colour = Shade(colour, -bevelStrength);
            } else if (fromLeftTop < bevel) {
                colour = Shade(colour, bevelStrength);
            }
            image.Set(x, y, ToArgb(Opaque(colour)));
        }
    }
    return image;
}

}  // namespace

Image BuildTileTexture() {
    // light sandstone with a grout line wide enough to survive shrinking to a few screen pixels,
    // so the floor reads as a grid of cells
    Image image = Slab({0.86f, 0.81f, 0.70f, 1}, 4, 0.16f, 0.10f, 1, {0.50f, 0.45f, 0.38f, 1});
    const uint32_t grout = ToArgb({0.62f, 0.57f, 0.48f, 1});
    for (int i = 0; i < SIZE; ++i) {
        image.Set(i, 1, grout);
        image.Set(1, i, grout);
        image.Set(i, SIZE - 2, grout);
        image.Set(SIZE - 2, i, grout);
    }
    return image;
}

Image BuildBlockTexture() {
    // dark red-brown, deeply bevelled: clearly raised above the light floor
    Image image = Slab({0.52f, 0.24f, 0.16f, 1}, 6, 0.30f, 0.14f, 2, {0.18f, 0.07f, 0.04f, 1});
    const uint32_t mortar = ToArgb({0.34f, 0.14f, 0.09f, 1});
    // a cross of mortar lines: the block looks built of four bricks
    for (int i = 10; i < SIZE - 10; ++i) {
        image.Set(i, SIZE / 2, mortar);
        image.Set(SIZE / 2, i, mortar);
    }
    return image;
}

Image BuildGoalTexture() {
    // green with a chequered finish flag in the middle: unlike anything else on the board
    Image image = Slab({0.20f, 0.66f, 0.30f, 1}, 4, 0.18f, 0.06f, 3, {0.06f, 0.26f, 0.10f, 1});
    constexpr int FLAG_MARGIN = 12;
    constexpr int FLAG_SQUARE = 10;
    const uint32_t rim = ToArgb({0.08f, 0.30f, 0.12f, 1});
    const uint32_t light = ToArgb({0.98f, 0.98f, 0.92f, 1});
    const uint32_t dark = ToArgb({0.08f, 0.08f, 0.10f, 1});
    image.FillRect(FLAG_MARGIN - 2, FLAG_MARGIN - 2, SIZE - 2 * FLAG_MARGIN + 4,
                   SIZE - 2 * FLAG_MARGIN + 4, rim);
    for (int y = FLAG_MARGIN; y < SIZE - FLAG_MARGIN; ++y) {
        for (int x = FLAG_MARGIN; x < SIZE - FLAG_MARGIN; ++x) {
            const int square = (x - FLAG_MARGIN) / FLAG_SQUARE + (y - FLAG_MARGIN) / FLAG_SQUARE;
            image.Set(x, y, square % 2 == 0 ? light : dark);
        }
    }
    return image;
}

Image BuildWallTexture() {
    // wood: grain running along u, which the frame mesh lays along each bar
    Image image(SIZE, SIZE);
    const Colour light = {0.66f, 0.44f, 0.24f, 1};
    const Colour dark = {0.44f, 0.27f, 0.13f, 1};
    for (int y = 0; y < SIZE; ++y) {
        for (int x = 0; x < SIZE; ++x) {
            const float wave = std::sin(
                (static_cast<float>(y) + 3.0f * std::sin(x * 2 * PI / SIZE)) * 2 * PI * 5 / SIZE);
            const float streak = (Noise(x / 8, y, 4) - 0.5f) * 0.25f;
            Colour colour = Mix(dark, light, std::clamp(0.5f + 0.45f * wave + streak, 0.0f, 1.0f));
            colour = Shade(colour, (Noise(x, y, 5) - 0.5f) * 0.08f);
            image.Set(x, y, ToArgb(Opaque(colour)));
        }
    }
    return image;
}

}  // namespace artgen
