#include "platform/number_format.h"

#include <array>
#include <climits>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <limits>
#include <string>

namespace vintrel {
namespace {

std::string cFormat(double v) {
    std::array<char, 512> buffer{};
    std::snprintf(buffer.data(), buffer.size(), "%f", v);
    return buffer.data();
}

TEST(NumberFormat, FormatInt) {
    EXPECT_EQ(formatInt(0), "0");
    EXPECT_EQ(formatInt(-42), "-42");
    EXPECT_EQ(formatInt(INT_MAX), "2147483647");
    EXPECT_EQ(formatInt(INT_MIN), "-2147483648");
}

TEST(NumberFormat, FormatFloatExactValues) {
    EXPECT_EQ(formatFloat(90.0f), "90.000000");
    EXPECT_EQ(formatFloat(-1.25f), "-1.250000");
    EXPECT_EQ(formatFloat(0.1f), "0.100000");
    EXPECT_EQ(formatFloat(1e20f), "100000002004087734272.000000");
    EXPECT_EQ(formatFloat(-0.0f), "-0.000000");
    EXPECT_EQ(formatFloat(0.0000005f), "0.000000");
    EXPECT_EQ(formatFloat(std::numeric_limits<float>::infinity()), "inf");
    EXPECT_EQ(formatFloat(-std::numeric_limits<float>::infinity()), "-inf");
    EXPECT_EQ(formatFloat(std::numeric_limits<float>::quiet_NaN()), "nan");
    EXPECT_EQ(formatFloat(-std::numeric_limits<float>::quiet_NaN()), "-nan");
}

TEST(NumberFormat, FormatFloatMatchesPrintf) {
    const std::array<float, 9> values = {
        1.0f / 3.0f,
        2.5e-7f,
        1234567.875f,
        -98765.4321f,
        0.0000015f,
        16777217.0f,
        3.0e-6f,
        std::numeric_limits<float>::max(),
        std::numeric_limits<float>::denorm_min(),
    };
    for (float v : values) {
        EXPECT_EQ(formatFloat(v), cFormat(v)) << v;
    }
}

TEST(NumberFormat, FormattingIgnoresProcessLocale) {
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) {
        GTEST_SKIP() << "de_DE.UTF-8 locale not installed";
    }
    const std::string formatted = formatFloat(-1.25f);
    const double parsed = parseDoubleLikeAtof("3.5");
    std::setlocale(LC_ALL, previous.c_str());
    EXPECT_EQ(formatted, "-1.250000");
    EXPECT_EQ(parsed, 3.5);
}

TEST(NumberFormat, ParseIntLikeAtoi) {
    EXPECT_EQ(parseIntLikeAtoi("  -12abc"), -12);
    EXPECT_EQ(parseIntLikeAtoi("abc"), 0);
    EXPECT_EQ(parseIntLikeAtoi(""), 0);
    EXPECT_EQ(parseIntLikeAtoi("\t\n\v\f\r+7"), 7);
    EXPECT_EQ(parseIntLikeAtoi("- 5"), 0);
    EXPECT_EQ(parseIntLikeAtoi("+-5"), 0);
    EXPECT_EQ(parseIntLikeAtoi("0012"), 12);
    EXPECT_EQ(parseIntLikeAtoi("3.9"), 3);
    EXPECT_EQ(parseIntLikeAtoi("2147483647"), INT_MAX);
    EXPECT_EQ(parseIntLikeAtoi("-2147483648"), INT_MIN);
    EXPECT_EQ(parseIntLikeAtoi("99999999999"), INT_MAX);
    EXPECT_EQ(parseIntLikeAtoi("-99999999999999999999999"), INT_MIN);
    EXPECT_EQ(parseIntLikeAtoi(std::string_view("12\0"
                                                "3",
                                                4)),
              12);
}

TEST(NumberFormat, ParseDoubleLikeAtofExactValues) {
    EXPECT_EQ(parseDoubleLikeAtof("  3.5e2x"), 350.0);
    EXPECT_EQ(parseDoubleLikeAtof("-0.5"), -0.5);
    EXPECT_EQ(parseDoubleLikeAtof("__NO_DATA_"), 0.0);
    EXPECT_EQ(parseDoubleLikeAtof(""), 0.0);
    EXPECT_EQ(parseDoubleLikeAtof("+.25"), 0.25);
    EXPECT_EQ(parseDoubleLikeAtof("1e"), 1.0);
    EXPECT_EQ(parseDoubleLikeAtof("1e+"), 1.0);
    EXPECT_EQ(parseDoubleLikeAtof("+-1"), 0.0);
    EXPECT_EQ(parseDoubleLikeAtof("--1"), 0.0);
    EXPECT_EQ(parseDoubleLikeAtof("1,5"), 1.0);
    EXPECT_EQ(parseDoubleLikeAtof("0x1.8p1"), 3.0);
    EXPECT_EQ(parseDoubleLikeAtof("-0X10"), -16.0);
    EXPECT_EQ(parseDoubleLikeAtof("0x.8"), 0.5);
    EXPECT_EQ(parseDoubleLikeAtof("0xg"), 0.0);
    EXPECT_EQ(parseDoubleLikeAtof("0x-1"), 0.0);
}

TEST(NumberFormat, ParseDoubleSpecialValues) {
    EXPECT_EQ(parseDoubleLikeAtof("inf"), HUGE_VAL);
    EXPECT_EQ(parseDoubleLikeAtof("-INFINITY"), -HUGE_VAL);
    EXPECT_EQ(parseDoubleLikeAtof("+InFx"), HUGE_VAL);
    EXPECT_TRUE(std::isnan(parseDoubleLikeAtof("NaN")));
    EXPECT_TRUE(std::signbit(parseDoubleLikeAtof("-nan")));
    EXPECT_EQ(parseDoubleLikeAtof("in"), 0.0);
    EXPECT_EQ(parseDoubleLikeAtof("1e999"), HUGE_VAL);
    EXPECT_EQ(parseDoubleLikeAtof("-123456789e99999999999999"), -HUGE_VAL);
    EXPECT_EQ(parseDoubleLikeAtof("0x1p5000"), HUGE_VAL);
    EXPECT_EQ(parseDoubleLikeAtof("1e-999"), 0.0);
    EXPECT_TRUE(std::signbit(parseDoubleLikeAtof("-0.00001e-999")));
    EXPECT_EQ(parseDoubleLikeAtof("0x1p-5000"), 0.0);
    EXPECT_EQ(parseDoubleLikeAtof(std::string(400, '9')), HUGE_VAL);
}

TEST(NumberFormat, ParseDoubleMatchesStrtod) {
    const std::array<const char*, 12> inputs = {
        "0.1",
        "1e-310",
        "4.9e-324",
        "1.7976931348623157e308",
        "123.456e-5",
        " \t-7.25e+3",
        "0x1.fffffep127",
        "00000.000001",
        "5e-1junk",
        ".e5",
        "1.",
        "1e+-5",
    };
    for (const char* input : inputs) {
        EXPECT_EQ(parseDoubleLikeAtof(input), std::strtod(input, nullptr)) << input;
    }
}

} // namespace
} // namespace vintrel
