#pragma once

#include <string>
#include <string_view>

// Locale-independent number text, matching the C library functions (in the "C" locale) that the
// project file formats are defined with. Nothing here reads the process locale.
namespace vintrel {

// As printf("%d", v).
std::string formatInt(int v);

// As printf("%f", static_cast<double>(v)) in the C locale: six decimals; "inf", "-inf", "nan",
// "-nan" for the special values.
std::string formatFloat(float v);

// As atoi: leading whitespace (space, \t \n \v \f \r), an optional sign, then decimal digits up
// to the first non-digit; 0 when there are none. Values outside the int range saturate to
// INT_MIN / INT_MAX.
int parseIntLikeAtoi(std::string_view text);

// A float truncated towards zero into an int, with a defined result where it does not fit: NaN
// gives 0, values beyond the range saturate.
int truncateToInt(float value);

// As atof (strtod) in the C locale: leading whitespace, an optional sign, then a decimal number
// with optional exponent, a hexadecimal "0x" number with optional binary exponent, or
// "inf" / "infinity" / "nan" in any case. Parsing stops at the first character that cannot
// continue the number; 0.0 when nothing parses. Overflow gives +-HUGE_VAL, underflow +-0.0.
double parseDoubleLikeAtof(std::string_view text);

} // namespace vintrel
