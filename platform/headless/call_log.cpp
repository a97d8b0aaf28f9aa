// The text form of recorded device calls.
#include <charconv>
#include <cmath>
#include <cstdint>

#include "platform/headless/recording_device.h"

namespace platform::headless {

namespace {

// Integers as integers; other values in the shortest form that reads back the same, as a float
// when they were one, so that 1.0471976 stays 1.0471976.
void AppendNumber(std::string& out, double value) {
    char buffer[64];
    std::to_chars_result result;
    constexpr double LARGEST_EXACT_INTEGER = 9007199254740992.0;  // 2^53
    if (std::isfinite(value) && std::floor(value) == value &&
        std::fabs(value) <= LARGEST_EXACT_INTEGER) {
        result = std::to_chars(buffer, buffer + sizeof(buffer), static_cast<int64_t>(value));
    } else if (static_cast<double>(static_cast<float>(value)) == value) {
        result = std::to_chars(buffer, buffer + sizeof(buffer), static_cast<float>(value));
    } else {
        result = std::to_chars(buffer, buffer + sizeof(buffer), value);
    }
    out.append(buffer, result.ptr);
}

}  // namespace

std::string RecordedCall::ToString() const {
    std::string text = name;
    for (double value : args) {
        text += ' ';
        AppendNumber(text, value);
    }
    return text;
}

std::vector<std::string> CallLog::Lines() const {
    std::vector<std::string> lines;
    lines.reserve(calls.size());
    for (const RecordedCall& call : calls) {
        lines.push_back(call.ToString());
    }
    return lines;
}

size_t CallLog::Count(const std::string& name) const {
    size_t count = 0;
    for (const RecordedCall& call : calls) {
        count += call.name == name ? 1 : 0;
    }
    return count;
}

}  // namespace platform::headless
