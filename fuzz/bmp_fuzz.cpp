// Fuzz target: the BMP decoder on arbitrary bytes.
#include <cstddef>
#include <cstdint>

#include "fuzz/image_invariants.h"
#include "gfxutil/bmp.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    DecodedImage image;
    std::string error;
    CheckDecodedImage(DecodeBmp(data, size, image, error), image, error);
    return 0;
}
