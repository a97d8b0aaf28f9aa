// Gives Emscripten's libc++ the floating-point std::from_chars it lacks, so that the game's X-file
// loader compiles unchanged. The WebAssembly build includes it before every source (-include).
#pragma once

#include "platform/compat/from_chars_double.h"

namespace std {

inline from_chars_result from_chars(const char* first, const char* last, double& value,
                                    chars_format = chars_format::general) {
    return platform::compat::FromCharsDouble(first, last, value);
}

}  // namespace std
