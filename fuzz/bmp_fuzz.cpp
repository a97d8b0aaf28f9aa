// Fuzz target: the game's whole texture load from BMP seeds (the DDS target starts from DDS ones).
#include <cstddef>
#include <cstdint>

#include "fuzz/texture_load.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzTextureLoad(data, size);
    return 0;
}
