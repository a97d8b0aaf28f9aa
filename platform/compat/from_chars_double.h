// std::from_chars for double as libstdc++ reads it, for a standard library that lacks it (the
// libc++ of Debian's Emscripten, 3.1.6): no leading space or '+', no hexadecimal, the nearest
// double (musl's strtod rounds correctly, as glibc's does), out of range beyond the doubles.
#pragma once

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>

namespace platform::compat {

inline std::from_chars_result FromCharsDouble(const char* first, const char* last, double& value) {
    const char* digits = first != last && *first == '-' ? first + 1 : first;
    if (digits == last || *digits == '+' || *digits == ' ' ||
        (*digits >= '\t' && *digits <= '\r')) {
        return {first, std::errc::invalid_argument};
    }
    // strtod would read "0x1p3" as hexadecimal; from_chars stops after the 0.
    if (last - digits >= 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) {
        value = digits == first ? 0.0 : -0.0;
        return {digits + 1, std::errc()};
    }
    const std::string text(first, last);
    char* end = nullptr;
    errno = 0;
    const double parsed = std::strtod(text.c_str(), &end);
    if (end == text.c_str()) {
        return {first, std::errc::invalid_argument};
    }
    const char* stop = first + (end - text.c_str());
    if (errno == ERANGE && (parsed == 0.0 || std::isinf(parsed))) {
        return {stop, std::errc::result_out_of_range};
    }
    value = parsed;
    return {stop, std::errc()};
}

}  // namespace platform::compat
