#include "ui/controls/numeric_text.h"

#include "platform/number_format.h"

#include <climits>
#include <cmath>

namespace vintrel {
namespace {

bool isUtf8Continuation(char c) {
    constexpr unsigned char kContinuationMask = 0xC0;
    constexpr unsigned char kContinuationBits = 0x80;
    return (static_cast<unsigned char>(c) & kContinuationMask) == kContinuationBits;
}

// The leading `count` characters of `utf8`: a character is a lead byte with the continuation
// bytes after it, so a multi-byte character is never cut in half.
std::string_view leadingCharacters(std::string_view utf8, std::size_t count) {
    std::size_t end = 0;
    for (std::size_t chars = 0; chars < count && end < utf8.size(); ++chars) {
        ++end;
        while (end < utf8.size() && isUtf8Continuation(utf8[end])) {
            ++end;
        }
    }
    return utf8.substr(0, end);
}

} // namespace

int readNumericText(std::string_view utf8, std::size_t readChars) {
    return parseIntLikeAtoi(leadingCharacters(utf8, readChars));
}

std::string numericText(int value) {
    return formatInt(value);
}

std::string numericText(float value) {
    return formatInt(truncateToInt(value));
}

std::string numericText(unsigned value) {
    return std::to_string(value);
}


} // namespace vintrel
