// Fuzz target: the game's whole texture load from DDS seeds (the BMP target starts from BMP ones).
#include <cstddef>
#include <cstdint>

#include "fuzz/texture_load.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzTextureLoad(data, size);
    return 0;
}
