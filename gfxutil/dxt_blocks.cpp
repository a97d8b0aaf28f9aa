// DXT blocks: two 5:6:5 end colours with 2-bit indices, and explicit or interpolated alpha.
#include "gfxutil/dxt_blocks.h"

#include "gfxutil/byte_reader.h"

namespace {

constexpr size_t ALPHA_PART_BYTES = 8;  // the alpha half of a DXT3 or DXT5 block
constexpr uint32_t OPAQUE_ALPHA = 255;
constexpr uint32_t FOUR_BITS_TO_EIGHT = 17;  // 15 * 17 = 255

struct Rgb {
    uint32_t red, green, blue;
};

Rgb Expand565(uint16_t colour) {
    const uint32_t red = (colour >> 11) & 0x1F;
    const uint32_t green = (colour >> 5) & 0x3F;
    const uint32_t blue = colour & 0x1F;
    // Bit replication: the top bits repeat in the new low bits, so 31 becomes 255.
    return {(red << 3) | (red >> 2), (green << 2) | (green >> 4), (blue << 3) | (blue >> 2)};
}

Rgb Mix(const Rgb& a, uint32_t weightA, const Rgb& b, uint32_t weightB) {
    const uint32_t total = weightA + weightB;
    return {(a.red * weightA + b.red * weightB) / total,
            (a.green * weightA + b.green * weightB) / total,
            (a.blue * weightA + b.blue * weightB) / total};
}

uint32_t Argb(uint32_t alpha, const Rgb& colour) {
    return (alpha << 24) | (colour.red << 16) | (colour.green << 8) | colour.blue;
}

// The colour half of a block. In DXT1 an end-colour order of c0 <= c1 selects three colours and
// transparent black; DXT3 and DXT5 always use four colours.
void DecodeColours(const uint8_t* block, bool allowTransparent, uint32_t texels[]) {
    const uint16_t first = LoadU16(block);
    const uint16_t second = LoadU16(block + 2);
    const Rgb c0 = Expand565(first);
    const Rgb c1 = Expand565(second);
    uint32_t palette[4];
    palette[0] = Argb(OPAQUE_ALPHA, c0);
    palette[1] = Argb(OPAQUE_ALPHA, c1);
    if (first > second || !allowTransparent) {
        palette[2] = Argb(OPAQUE_ALPHA, Mix(c0, 2, c1, 1));
        palette[3] = Argb(OPAQUE_ALPHA, Mix(c0, 1, c1, 2));
    } else {
        palette[2] = Argb(OPAQUE_ALPHA, Mix(c0, 1, c1, 1));
        palette[3] = 0;
    }
    const uint32_t indices = LoadU32(block + 4);
    for (uint32_t i = 0; i < DXT_BLOCK_TEXELS; ++i) {
        texels[i] = palette[(indices >> (2 * i)) & 3];
    }
}

void SetAlpha(uint32_t& texel, uint32_t alpha) {
    texel = (texel & 0x00FFFFFFu) | (alpha << 24);
}

uint64_t LoadU48(const uint8_t* bytes) {
    uint64_t value = 0;
    for (int i = 5; i >= 0; --i) {
        value = (value << 8) | bytes[i];
    }
    return value;
}

}  // namespace

void DecodeDxt1Block(const uint8_t* block, uint32_t texels[DXT_BLOCK_TEXELS]) {
    DecodeColours(block, true, texels);
}

void DecodeDxt3Block(const uint8_t* block, uint32_t texels[DXT_BLOCK_TEXELS]) {
    DecodeColours(block + ALPHA_PART_BYTES, false, texels);
    const uint64_t alphas = uint64_t(LoadU32(block)) | (uint64_t(LoadU32(block + 4)) << 32);
    for (uint32_t i = 0; i < DXT_BLOCK_TEXELS; ++i) {
        const uint32_t alpha = static_cast<uint32_t>((alphas >> (4 * i)) & 0xF);
        SetAlpha(texels[i], alpha * FOUR_BITS_TO_EIGHT);
    }
}

void DecodeDxt5Block(const uint8_t* block, uint32_t texels[DXT_BLOCK_TEXELS]) {
    DecodeColours(block + ALPHA_PART_BYTES, false, texels);
    const uint32_t a0 = block[0];
    const uint32_t a1 = block[1];
    uint32_t alphas[8] = {a0, a1};
    if (a0 > a1) {
        for (uint32_t i = 1; i < 7; ++i) {
            alphas[i + 1] = ((7 - i) * a0 + i * a1) / 7;
        }
    } else {
        for (uint32_t i = 1; i < 5; ++i) {
            alphas[i + 1] = ((5 - i) * a0 + i * a1) / 5;
        }
        alphas[6] = 0;
        alphas[7] = OPAQUE_ALPHA;
    }
    const uint64_t indices = LoadU48(block + 2);
    for (uint32_t i = 0; i < DXT_BLOCK_TEXELS; ++i) {
        SetAlpha(texels[i], alphas[(indices >> (3 * i)) & 7]);
    }
}
