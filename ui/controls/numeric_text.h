#pragma once

#include <string>
#include <string_view>

// How the editor's numeric edit fields turn their text into a value and back. Locale-free.
namespace vintrel {

// A field reads at most this many characters of its text.
constexpr std::size_t kNumericFieldReadChars = 4;

// The value of a field's text (UTF-8): its first `readChars` characters (four for every field
// but the two whose spinners run to 99999) read as atoi reads them (leading blanks skipped, an
// optional sign, decimal digits up to anything else; 0 without digits). "12345" reads 1234,
// "-5" reads -5, "abc" reads 0, "  12" reads 12.
int readNumericText(std::string_view utf8, std::size_t readChars = kNumericFieldReadChars);

// The text a field shows for an int member, as "%d".
std::string numericText(int value);
// A float member is shown as its value truncated towards zero. NaN shows 0; infinities and
// values beyond the int range show the nearest int.
std::string numericText(float value);
// An unsigned member is shown as its value, as "%u".
std::string numericText(unsigned value);

} // namespace vintrel
