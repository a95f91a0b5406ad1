#include "platform/text_codec.h"

#include <gtest/gtest.h>
#include <string>

namespace vintrel::text {
namespace {

const std::string kNodeUtf8 = "ノード1";
const std::string kNodeCp932 = "\x83\x6D\x81\x5B\x83\x68"
                               "1";

TEST(TextCodec, KatakanaRoundTrip) {
    EXPECT_EQ(utf8ToCp932(kNodeUtf8), kNodeCp932);
    EXPECT_EQ(cp932ToUtf8(kNodeCp932), kNodeUtf8);
    EXPECT_EQ(utf8ToCp932Lenient(kNodeUtf8), kNodeCp932);
    EXPECT_EQ(cp932ToUtf8Lenient(kNodeCp932), kNodeUtf8);
}

TEST(TextCodec, TrailByteEqualToBackslashRoundTrips) {
    const std::string so = "\x83\x5C";
    EXPECT_EQ(utf8ToCp932("ソ"), so);
    EXPECT_EQ(cp932ToUtf8(so), "ソ");
    EXPECT_EQ(cp932ToUtf8("a\\" + so + "\\"), "a\\ソ\\");
}

TEST(TextCodec, HalfWidthKatakanaAreSingleBytes) {
    const std::string copy = "\xBA\xCB\xDF\xB0";
    EXPECT_EQ(utf8ToCp932("ｺﾋﾟｰ"), copy);
    EXPECT_EQ(cp932ToUtf8(copy), "ｺﾋﾟｰ");
}

TEST(TextCodec, EmptyAndEmbeddedNul) {
    EXPECT_EQ(cp932ToUtf8(""), "");
    EXPECT_EQ(utf8ToCp932(""), "");
    const std::string withNul("a\0b", 3);
    EXPECT_EQ(utf8ToCp932(withNul), withNul);
    EXPECT_EQ(cp932ToUtf8(withNul), withNul);
}

TEST(TextCodec, InvalidCp932IsRejectedStrictlyAndReplacedLeniently) {
    // 0x80 and 0xFF are never valid; 0x81 0x20 is a lead byte with an impossible trail.
    EXPECT_EQ(cp932ToUtf8("a\x80"
                          "b"),
              std::nullopt);
    EXPECT_EQ(cp932ToUtf8Lenient("a\x80"
                                 "b"),
              "a?b");
    EXPECT_EQ(cp932ToUtf8Lenient("\xFF\xFF"), "??");
    EXPECT_EQ(cp932ToUtf8("\x81 x"), std::nullopt);
    EXPECT_EQ(cp932ToUtf8Lenient("\x81 x"), "? x");
    // A lead byte cut off at the end is incomplete.
    EXPECT_EQ(cp932ToUtf8("\x83\x6D\x83"), std::nullopt);
    EXPECT_EQ(cp932ToUtf8Lenient("\x83\x6D\x83"), "ノ?");
}

TEST(TextCodec, InvalidUtf8IsRejectedStrictlyAndReplacedLeniently) {
    EXPECT_EQ(utf8ToCp932("a\xFF"
                          "b"),
              std::nullopt);
    EXPECT_EQ(utf8ToCp932Lenient("a\xFF"
                                 "b"),
              "a?b");
    // Overlong NUL, a UTF-16 surrogate and a truncated three-byte sequence.
    EXPECT_EQ(utf8ToCp932("\xC0\x80"), std::nullopt);
    EXPECT_EQ(utf8ToCp932Lenient("\xC0\x80"), "??");
    EXPECT_EQ(utf8ToCp932("\xED\xA0\x80"), std::nullopt);
    EXPECT_EQ(utf8ToCp932Lenient("\xE3\x83"), "??");
}

TEST(TextCodec, EmojiHasNoCp932Form) {
    EXPECT_EQ(utf8ToCp932("x😀y"), std::nullopt);
    EXPECT_EQ(utf8ToCp932Lenient("x😀y"), "x?y");
    EXPECT_EQ(utf8ToCp932Lenient("😀ノ"), "?\x83\x6D");
}

TEST(TextCodec, Cp932CutLength) {
    std::string hiragana;
    for (int i = 0; i < 40; ++i) {
        hiragana += "\x82\xA0"; // あ
    }
    ASSERT_EQ(hiragana.size(), 80u);
    EXPECT_EQ(cp932CutLength(hiragana, 63), 62u);
    EXPECT_EQ(cp932CutLength(hiragana, 64), 64u);
    EXPECT_EQ(cp932CutLength(std::string(80, 'a'), 63), 63u);
    EXPECT_EQ(cp932CutLength("ab", 63), 2u);
    EXPECT_EQ(cp932CutLength("ab", 0), 0u);
    // The 0x5C trail of ソ must not be taken for a single byte; a dangling lead byte is dropped.
    EXPECT_EQ(cp932CutLength("a\x83\x5C", 2), 1u);
    EXPECT_EQ(cp932CutLength("a\x83", 10), 1u);
    // Half-width katakana are single bytes.
    EXPECT_EQ(cp932CutLength("\xBA\xCB\xDF\xB0", 3), 3u);
}

TEST(TextCodec, CutUtf8ToCp932Bytes) {
    std::string hiragana;
    for (int i = 0; i < 40; ++i) {
        hiragana += "あ";
    }
    const std::string cut = cutUtf8ToCp932Bytes(hiragana, 63);
    EXPECT_EQ(cut.size(), 31u * 3u);
    EXPECT_EQ(utf8ToCp932(cut)->size(), 62u);

    const std::string ascii(80, 'a');
    EXPECT_EQ(cutUtf8ToCp932Bytes(ascii, 63), std::string(63, 'a'));
    EXPECT_EQ(cutUtf8ToCp932Bytes("ｺﾋﾟｰ", 3), "ｺﾋﾟ");
    EXPECT_EQ(cutUtf8ToCp932Bytes("aノ", 2), "a");
    EXPECT_EQ(cutUtf8ToCp932Bytes("aノ", 3), "aノ");
    // An unencodable character counts as its one-byte replacement; a stray byte as one byte.
    EXPECT_EQ(cutUtf8ToCp932Bytes("😀ab", 2), "😀a");
    EXPECT_EQ(cutUtf8ToCp932Bytes("\xFF"
                                  "ab",
                                  1),
              "\xFF");
    EXPECT_EQ(cutUtf8ToCp932Bytes("", 5), "");
}

} // namespace
} // namespace vintrel::text
