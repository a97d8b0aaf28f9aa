// The size check every image decoder makes before it allocates.
#include "gfxutil/image_limits.h"

bool CheckImageSize(uint64_t width, uint64_t height, std::string& error) {
    if (width == 0 || height == 0) {
        error = "image has no pixels";
        return false;
    }
    if (width > MAX_IMAGE_DIMENSION || height > MAX_IMAGE_DIMENSION ||
        width * height > MAX_IMAGE_TEXELS) {
        error = "image is too large (" + std::to_string(width) + "x" + std::to_string(height) + ")";
        return false;
    }
    return true;
}
