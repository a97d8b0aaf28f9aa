// PNG files from ARGB texels, through stb_image_write.
#include <cstdint>
#include <vector>

#include "platform/compat/stb_image_write_here.h"
#include "platform/gl/gl_readback.h"

namespace platform::gl {

bool WritePng(const char* fileName, const std::vector<uint32_t>& texels, int width, int height) {
    if (fileName == nullptr || width <= 0 || height <= 0 ||
        texels.size() != static_cast<size_t>(width) * static_cast<size_t>(height)) {
        return false;
    }
    constexpr int CHANNELS = 4;
    std::vector<uint8_t> rgba(texels.size() * CHANNELS);
    for (size_t i = 0; i < texels.size(); ++i) {
        const uint32_t texel = texels[i];
        rgba[CHANNELS * i + 0] = static_cast<uint8_t>(texel >> 16);
        rgba[CHANNELS * i + 1] = static_cast<uint8_t>(texel >> 8);
        rgba[CHANNELS * i + 2] = static_cast<uint8_t>(texel);
        rgba[CHANNELS * i + 3] = static_cast<uint8_t>(texel >> 24);
    }
    return stbi_write_png(fileName, width, height, CHANNELS, rgba.data(), width * CHANNELS) != 0;
}

}  // namespace platform::gl
