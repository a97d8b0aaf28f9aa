// The largest images the loaders accept, so that a hostile header cannot ask for unbounded memory.
#pragma once

#include <cstdint>
#include <string>

constexpr uint32_t MAX_IMAGE_DIMENSION = 16384;
// 256 MiB of 32-bit texels: far above any texture the game uses.
constexpr uint64_t MAX_IMAGE_TEXELS = uint64_t(1) << 26;

// False, with the reason, when width or height is 0 or the image is larger than the limits.
bool CheckImageSize(uint64_t width, uint64_t height, std::string& error);
