// Fuzz target: the DDS decoder on arbitrary bytes, through the dispatching entry point.
#include <cstddef>
#include <cstdint>

#include "fuzz/image_invariants.h"
#include "gfxutil/texture_loader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    DecodedImage image;
    std::string error;
    CheckDecodedImage(DecodeImage(data, size, image, error), image, error);
    return 0;
}
