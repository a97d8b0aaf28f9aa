// What every image decode must hold, success or failure; a broken promise stops the fuzzer.
#pragma once

#include <cstdlib>
#include <string>

#include "gfxutil/image_limits.h"
#include "gfxutil/texture_loader.h"

inline void CheckDecodedImage(bool decoded, const DecodedImage& image, const std::string& error) {
    if (!decoded) {
        if (error.empty() || error.find('\n') != std::string::npos || !image.texels.empty()) {
            std::abort();
        }
        return;
    }
    const bool sizesAgree = image.width == image.info.Width && image.height == image.info.Height &&
                            image.texels.size() == size_t(image.width) * image.height;
    if (!sizesAgree || image.width == 0 || image.height == 0 || image.width > MAX_IMAGE_DIMENSION ||
        image.height > MAX_IMAGE_DIMENSION || image.info.Depth != 1 || image.info.MipLevels == 0) {
        std::abort();
    }
}
