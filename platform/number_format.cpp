#include "platform/number_format.h"

#include <array>
#include <charconv>
#include <climits>
#include <cmath>
#include <system_error>

namespace vintrel {
namespace {

bool isCSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
bool isHexDigit(char c) {
    return isDigit(c) || ((c | 0x20) >= 'a' && (c | 0x20) <= 'f');
}

std::string_view skipSpace(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size() && isCSpace(s[i])) {
        ++i;
    }
    return s.substr(i);
}

// Consumes an optional '+' or '-'; returns true for '-'.
bool takeSign(std::string_view& s) {
    if (!s.empty() && (s[0] == '+' || s[0] == '-')) {
        const bool negative = s[0] == '-';
        s.remove_prefix(1);
        return negative;
    }
    return false;
}

// For a number from_chars matched but could not represent: true when its magnitude is too large
// (overflow), false when too small (underflow). `matched` is the text without sign or "0x"; each
// mantissa digit is worth `digitScale` units of the exponent introduced by `exponentChar`. Only
// the sign of the estimate matters, as unrepresentable values are far from 1 either way.
bool isOverflow(std::string_view matched, char exponentChar, long digitScale) {
    long magnitude = 0;
    bool seenPoint = false;
    bool seenNonZero = false;
    std::size_t i = 0;
    for (; i < matched.size() && (matched[i] | 0x20) != exponentChar; ++i) {
        const char c = matched[i];
        if (c == '.') {
            seenPoint = true;
        } else if (!seenPoint && (seenNonZero || c != '0')) {
            seenNonZero = true;
            magnitude += digitScale;
        } else if (seenPoint && !seenNonZero) {
            seenNonZero = c != '0';
            magnitude -= seenNonZero ? 0 : digitScale;
        }
    }
    if (i < matched.size()) {
        std::string_view exponent = matched.substr(i + 1);
        const bool negative = takeSign(exponent);
        long value = 0;
        for (std::size_t k = 0; k < exponent.size() && isDigit(exponent[k]); ++k) {
            value = value > 100000000 ? value : value * 10 + (exponent[k] - '0');
        }
        magnitude += negative ? -value : value;
    }
    return magnitude > 0;
}

// Parses an unsigned number at the start of `s` (no sign, no whitespace) in the given format.
double parseUnsigned(std::string_view s, std::chars_format format, char exponentChar, long digitScale) {
    double value = 0.0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value, format);
    if (ec == std::errc::result_out_of_range) {
        const std::string_view matched = s.substr(0, static_cast<std::size_t>(end - s.data()));
        return isOverflow(matched, exponentChar, digitScale) ? HUGE_VAL : 0.0;
    }
    return ec == std::errc() ? value : 0.0;
}

} // namespace

std::string formatInt(int v) {
    std::array<char, 16> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), v);
    return std::string(buffer.data(), result.ptr);
}

std::string formatFloat(float v) {
    const double d = v;
    if (std::isnan(d)) {
        return std::signbit(d) ? "-nan" : "nan";
    }
    if (std::isinf(d)) {
        return d < 0 ? "-inf" : "inf";
    }
    // The largest float has 39 integer digits; with sign, point and six decimals this fits.
    std::array<char, 64> buffer{};
    const auto result =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), d, std::chars_format::fixed, 6);
    return std::string(buffer.data(), result.ptr);
}

int parseIntLikeAtoi(std::string_view text) {
    text = skipSpace(text);
    const bool negative = takeSign(text);
    // Accumulate towards the sign's side so INT_MIN itself is representable.
    long long value = 0;
    for (std::size_t i = 0; i < text.size() && isDigit(text[i]); ++i) {
        const int digit = text[i] - '0';
        value = negative ? value * 10 - digit : value * 10 + digit;
        if (value > INT_MAX) {
            return INT_MAX;
        }
        if (value < INT_MIN) {
            return INT_MIN;
        }
    }
    return static_cast<int>(value);
}

double parseDoubleLikeAtof(std::string_view text) {
    text = skipSpace(text);
    const bool negative = takeSign(text);
    double value = 0.0;
    const bool hexPrefix = text.size() >= 2 && text[0] == '0' && (text[1] | 0x20) == 'x';
    const std::string_view afterPrefix = hexPrefix ? text.substr(2) : std::string_view();
    const bool hexMantissa =
        !afterPrefix.empty() &&
        (isHexDigit(afterPrefix[0]) ||
         (afterPrefix.size() >= 2 && afterPrefix[0] == '.' && isHexDigit(afterPrefix[1])));
    if (hexPrefix && !hexMantissa) {
        value = 0.0; // strtod reads just the "0" of "0x" when no hex digits follow
    } else if (hexPrefix) {
        value = parseUnsigned(afterPrefix, std::chars_format::hex, 'p', 4);
    } else if (!text.empty() && text[0] != '-') {
        // from_chars would accept a second '-' (as in "+-1"); strtod does not.
        value = parseUnsigned(text, std::chars_format::general, 'e', 1);
    }
    return negative ? -value : value;
}

int truncateToInt(float value) {
    if (std::isnan(value)) {
        return 0;
    }
    // INT_MAX is not a float; 2^31 is, and every float below it truncates into range.
    constexpr float kTwoPow31 = 2147483648.0f;
    if (value >= kTwoPow31) {
        return INT_MAX;
    }
    if (value < -kTwoPow31) {
        return INT_MIN;
    }
    return static_cast<int>(value);
}

} // namespace vintrel
