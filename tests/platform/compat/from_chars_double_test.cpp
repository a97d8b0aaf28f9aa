// The from_chars for double the WebAssembly build adds to its libc++, read against libstdc++'s.
#include "platform/compat/from_chars_double.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

constexpr double UNTOUCHED = 42.25;

struct Reading {
    std::ptrdiff_t consumed;
    std::errc error;
    double value;
};

template <typename Reader>
Reading Read(const std::string& text, Reader reader) {
    double value = UNTOUCHED;
    std::from_chars_result result = reader(text.data(), text.data() + text.size(), value);
    return {result.ptr - text.data(), result.ec, value};
}

bool SameBits(double a, double b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

}  // namespace

// libstdc++'s from_chars is the rule: the same characters read, the same error, and the same
// double to the last bit (a failed read leaves the value as it was).
TEST(FromCharsDouble, ReadsEveryFormAsLibstdcxxDoes) {
    const char* const texts[] = {
        // numbers as the art's X files write them, and the nearest-double cases around them
        "1", "-0.5", "0.100000", "3.14159265358979", "1e10", "2.5E-3", ".5", "5.", "-0",
        "0.1000000000000000055511151231257827", "9007199254740993", "4.9406564584124654e-324",
        "2.2250738585072011e-308", "1.7976931348623157e308",
        // a number followed by what is not part of it ("1.#QNAN" from some exporters)
        "1.#QNAN", "12,5", "7e", "3.0f", "0x1p3", "-0X10",
        // infinities and not-a-numbers
        "inf", "-Infinity", "nan", "-nan",
        // out of the doubles' range
        "1e400", "-1e400", "1e-400",
        // nothing to read: empty, a sign alone, a leading space or plus, letters
        "", "-", " 1", "\t2", "+1", "-+1", "- 1", "abc"};
    for (const char* text : texts) {
        SCOPED_TRACE(std::string("\"") + text + "\"");
        Reading expected = Read(text, [](const char* first, const char* last, double& value) {
            return std::from_chars(first, last, value);
        });
        Reading actual = Read(text, platform::compat::FromCharsDouble);
        EXPECT_EQ(actual.consumed, expected.consumed);
        EXPECT_EQ(actual.error, expected.error);
        EXPECT_TRUE(SameBits(actual.value, expected.value))
            << actual.value << " where libstdc++ reads " << expected.value;
    }
}
