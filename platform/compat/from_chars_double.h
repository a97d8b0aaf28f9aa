// std::from_chars for double, which the libc++ of Debian's Emscripten (3.1.6) does not have yet.
// The WebAssembly build includes this header before every source (-include), so the game's loaders
// compile unchanged. It reads as libstdc++ reads: no leading space or '+', no hexadecimal, the
// nearest double (musl's strtod rounds correctly, as glibc's does), out of range beyond it.
#pragma once

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>

namespace std {

inline from_chars_result from_chars(const char* first, const char* last, double& value,
                                    chars_format = chars_format::general) {
    const char* digits = first != last && *first == '-' ? first + 1 : first;
    if (digits == last || *digits == '+' || *digits == ' ' ||
        (*digits >= '\t' && *digits <= '\r')) {
        return {first, errc::invalid_argument};
    }
    // strtod would read "0x1p3" as hexadecimal; from_chars stops after the 0.
    if (last - digits >= 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) {
        value = digits == first ? 0.0 : -0.0;
        return {digits + 1, errc()};
    }
    const string text(first, last);
    char* end = nullptr;
    errno = 0;
    const double parsed = strtod(text.c_str(), &end);
    if (end == text.c_str()) {
        return {first, errc::invalid_argument};
    }
    const char* stop = first + (end - text.c_str());
    if (errno == ERANGE && (parsed == 0.0 || isinf(parsed))) {
        return {stop, errc::result_out_of_range};
    }
    value = parsed;
    return {stop, errc()};
}

}  // namespace std
