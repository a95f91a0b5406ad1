// Numeric field text: the four-character read and the "%d" write.

#include "ui/controls/numeric_text.h"

#include <climits>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace vintrel {
namespace {

TEST(NumericTextTest, ReadsAtMostFourCharactersAsAtoi) {
    struct Case {
        const char* text;
        int value;
    };
    // clang-format off
    const Case cases[] = {
        {"12345", 1234}, {"-5", -5}, {"abc", 0}, {"  12", 12}, {"3x9", 3}, {"", 0}, {"+7", 7},
        {"-", 0}, {" -12", -12}, {"  -12", -1}, {"\t\n9", 9}, {"-9999", -999}, {"0042", 42},
        {"１２", 0}, {"12３4", 12}, {"日本12", 0}, {"\xff" "12", 0}, {"1\xff" "2", 1},
    };
    // clang-format on
    for (const Case& c : cases) {
        EXPECT_EQ(readNumericText(c.text), c.value) << '"' << c.text << '"';
    }
}

TEST(NumericTextTest, WritesIntegersAsPercentD) {
    EXPECT_EQ(numericText(-5), "-5");
    EXPECT_EQ(numericText(INT_MAX), "2147483647");
    EXPECT_EQ(numericText(INT_MIN), "-2147483648");
    EXPECT_EQ(numericText(4294967295u), "4294967295");
}

TEST(NumericTextTest, WritesFloatsTruncatedTowardsZeroAndSafeForAnyValue) {
    constexpr float kInf = std::numeric_limits<float>::infinity();
    struct Case {
        float value;
        const char* text;
    };
    // clang-format off
    const Case cases[] = {
        {3.9f, "3"}, {-3.9f, "-3"}, {-0.5f, "0"}, {std::nanf(""), "0"},
        {kInf, "2147483647"}, {-kInf, "-2147483648"}, {3e9f, "2147483647"}, {-3e9f, "-2147483648"},
        {2147483520.0f, "2147483520"}, // the largest float below 2^31
        {-2147483648.0f, "-2147483648"},
    };
    // clang-format on
    for (const Case& c : cases) {
        EXPECT_EQ(numericText(c.value), c.text) << c.value;
    }
}

} // namespace
} // namespace vintrel
