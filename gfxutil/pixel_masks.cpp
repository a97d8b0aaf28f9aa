// Channel masks: locating the bits and scaling them to eight.
#include "gfxutil/pixel_masks.h"

#include <bit>

namespace {
constexpr uint64_t FULL_CHANNEL = 255;
}

ChannelMask ChannelMask::FromMask(uint32_t mask) {
    ChannelMask channel;
    if (mask == 0) {
        return channel;
    }
    channel.mask = mask;
    channel.shift = static_cast<uint32_t>(std::countr_zero(mask));
    // Gaps inside a mask are read as part of it: a malformed file gets odd colours, no fault.
    channel.maximum = mask >> channel.shift;
    return channel;
}

uint8_t ChannelMask::Expand(uint32_t pixel, uint8_t absent) const {
    if (maximum == 0) {
        return absent;
    }
    const uint64_t value = (pixel & mask) >> shift;
    return static_cast<uint8_t>((value * FULL_CHANNEL + maximum / 2) / maximum);
}

MaskedPixelFormat MaskedPixelFormat::FromMasks(uint32_t red, uint32_t green, uint32_t blue,
                                               uint32_t alpha) {
    MaskedPixelFormat format;
    format.red = ChannelMask::FromMask(red);
    format.green = ChannelMask::FromMask(green);
    format.blue = ChannelMask::FromMask(blue);
    format.alpha = ChannelMask::FromMask(alpha);
    return format;
}

uint32_t MaskedPixelFormat::ToArgb(uint32_t pixel) const {
    return (static_cast<uint32_t>(alpha.Expand(pixel, 255)) << 24) |
           (static_cast<uint32_t>(red.Expand(pixel, 0)) << 16) |
           (static_cast<uint32_t>(green.Expand(pixel, 0)) << 8) | blue.Expand(pixel, 0);
}
