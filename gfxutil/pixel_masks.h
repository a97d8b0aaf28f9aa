// Pixels described by channel bit masks (BMP bit fields, DDS RGB formats) turned into ARGB.
#pragma once

#include <cstdint>

// One channel: where its bits lie and how many values it can hold.
struct ChannelMask {
    uint32_t mask = 0;
    uint32_t shift = 0;
    uint32_t maximum = 0;  // the mask shifted down; 0 for an absent channel

    static ChannelMask FromMask(uint32_t mask);
    // The channel of `pixel` scaled to 0..255, rounded; `absent` when the mask is empty.
    uint8_t Expand(uint32_t pixel, uint8_t absent) const;
};

struct MaskedPixelFormat {
    ChannelMask red, green, blue, alpha;

    static MaskedPixelFormat FromMasks(uint32_t red, uint32_t green, uint32_t blue, uint32_t alpha);
    bool HasAlpha() const { return alpha.maximum != 0; }
    // A missing alpha channel reads as opaque, missing colour channels as 0.
    uint32_t ToArgb(uint32_t pixel) const;
};
