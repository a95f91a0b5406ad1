#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// Conversion between the editor's in-memory UTF-8 text and the cp932 (Shift_JIS with the
// Microsoft extensions) bytes that project files store. Backed by glibc iconv ("CP932").
namespace vintrel::text {

// True for the bytes that start a cp932 double-byte character. The byte after a lead byte is its
// trail byte whatever its value, including ASCII values such as '\\' (0x5C) or ']' (0x5D).
constexpr bool isCp932LeadByte(unsigned char b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

// Strict: nullopt on any invalid or incomplete cp932 sequence.
std::optional<std::string> cp932ToUtf8(std::string_view cp932);

// Strict: nullopt when the input is not valid UTF-8 or a character has no cp932 form.
std::optional<std::string> utf8ToCp932(std::string_view utf8);

// Each byte that cannot be decoded becomes '?' and decoding goes on with the next byte.
std::string cp932ToUtf8Lenient(std::string_view cp932);

// Each character without a cp932 form, and each byte that is not part of a valid UTF-8
// character, becomes '?'.
std::string utf8ToCp932Lenient(std::string_view utf8);

// Length of the longest prefix of at most maxBytes bytes that does not end inside a double-byte
// character. A lead byte at the very end of the input (its trail missing) is never included.
std::size_t cp932CutLength(std::string_view cp932, std::size_t maxBytes);

// Longest prefix of whole UTF-8 characters whose lenient cp932 encoding fits in maxBytes bytes.
// A byte that is not part of a valid UTF-8 character counts as one character of one byte ('?').
std::string cutUtf8ToCp932Bytes(std::string_view utf8, std::size_t maxBytes);

} // namespace vintrel::text
