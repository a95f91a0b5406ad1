#include "platform/ini_document.h"

#include <gtest/gtest.h>
#include <string>

namespace vintrel {
namespace {

TEST(IniDocument, LookupIgnoresAsciiCaseOfSectionAndKey) {
    const IniDocument doc = IniDocument::parse("[Effect]\r\nBlendMode=2\r\n");
    EXPECT_TRUE(doc.hasSection("effect"));
    EXPECT_TRUE(doc.hasSection("EFFECT"));
    EXPECT_EQ(doc.find("eFFect", "blendmode"), "2");
    EXPECT_EQ(doc.read("EFFECT", "BLENDMODE", "x"), "2");
    EXPECT_EQ(doc.find("effect", "blend"), std::nullopt);
    EXPECT_EQ(doc.find("other", "blendmode"), std::nullopt);
    EXPECT_EQ(doc.read("effect", "missing", "dflt"), "dflt");
}

TEST(IniDocument, Cp932NamesAreNotFoldedInsideDoubleByteCharacters) {
    // ア is 0x83 0x41 and ヂ is 0x83 0x61: folding the trail byte would make them equal.
    const IniDocument doc = IniDocument::parse("[s]\n\x83\x41=a\n");
    EXPECT_EQ(doc.find("s", "\x83\x41"), "a");
    EXPECT_EQ(doc.find("s", "\x83\x61"), std::nullopt);
}

TEST(IniDocument, FirstMatchWinsForDuplicateKeysAndSections) {
    const IniDocument doc = IniDocument::parse("[a]\nk=1\nK=2\n[b]\nk=3\n[A]\nk=4\nj=5\n");
    EXPECT_EQ(doc.find("a", "k"), "1");
    EXPECT_EQ(doc.find("a", "j"), "5");
    EXPECT_EQ(doc.sectionNames(), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(doc.serialize(), "[a]\r\nk=1\r\nK=2\r\nk=4\r\nj=5\r\n[b]\r\nk=3\r\n");
}

TEST(IniDocument, SerializeExactBytes) {
    const IniDocument doc = IniDocument::parse("[0]\na=1\nb=2\n\n[1]\nc=3\n");
    EXPECT_EQ(doc.serialize(), "[0]\r\na=1\r\nb=2\r\n[1]\r\nc=3\r\n");
    EXPECT_EQ(IniDocument::parse(doc.serialize()).serialize(), doc.serialize());
}

TEST(IniDocument, WriteReplacesInPlaceAndAppendsAtSectionEnd) {
    IniDocument doc = IniDocument::parse("[0]\r\na=1\r\nb=2\r\n[1]\r\nc=3\r\n");
    doc.write("0", "A", "9");
    EXPECT_EQ(doc.serialize(), "[0]\r\na=9\r\nb=2\r\n[1]\r\nc=3\r\n");
    doc.write("0", "d", "4");
    EXPECT_EQ(doc.serialize(), "[0]\r\na=9\r\nb=2\r\nd=4\r\n[1]\r\nc=3\r\n");
    doc.write("2", "e", "5");
    EXPECT_EQ(doc.serialize(), "[0]\r\na=9\r\nb=2\r\nd=4\r\n[1]\r\nc=3\r\n[2]\r\ne=5\r\n");
    EXPECT_EQ(doc.find("0", "d"), "4");
}

TEST(IniDocument, WriteOnEmptyDocumentAndRemoveSection) {
    IniDocument doc;
    EXPECT_TRUE(doc.empty());
    doc.write("x", "k", "v");
    doc.write("y", "k", "w");
    doc.write("z", "k", "u");
    EXPECT_FALSE(doc.empty());
    doc.removeSection("Y");
    doc.removeSection("absent");
    EXPECT_FALSE(doc.hasSection("y"));
    EXPECT_EQ(doc.find("z", "k"), "u");
    EXPECT_EQ(doc.serialize(), "[x]\r\nk=v\r\n[z]\r\nk=u\r\n");
    doc.write("y", "k", "again");
    EXPECT_EQ(doc.sectionNames(), (std::vector<std::string>{"x", "z", "y"}));
}

TEST(IniDocument, ParsesCrlfLfAndCrLineEnds) {
    for (const char* eol : {"\r\n", "\n", "\r"}) {
        const std::string text = std::string("[s]") + eol + "a=1" + eol + eol + "b=2";
        const IniDocument doc = IniDocument::parse(text);
        EXPECT_EQ(doc.find("s", "a"), "1") << text;
        EXPECT_EQ(doc.find("s", "b"), "2") << text;
        EXPECT_EQ(doc.serialize(), "[s]\r\na=1\r\nb=2\r\n") << text;
    }
    // "\n\r" is two line ends, not one.
    EXPECT_EQ(IniDocument::parse("[s]\n\ra=1").find("s", "a"), "1");
}

TEST(IniDocument, TrimsQuotesCommentsAndEqualsInValues) {
    const IniDocument doc = IniDocument::parse("orphan=1\n"
                                               " \t[ 998 ] trailing\n"
                                               "  key one \t=  spaced value\t \n"
                                               "; note=ignored\n"
                                               "dq=\"  quoted \"\n"
                                               "sq='x'\n"
                                               "mixed=\"x'\n"
                                               "lone=\"\n"
                                               "expr=a=b=c\n"
                                               "bare\n"
                                               "[unterminated\n"
                                               "z=1\n");
    EXPECT_TRUE(doc.hasSection("998"));
    EXPECT_EQ(doc.find("998", "key one"), "spaced value");
    EXPECT_EQ(doc.find("998", "; note"), std::nullopt);
    EXPECT_EQ(doc.find("998", "dq"), "  quoted ");
    EXPECT_EQ(doc.find("998", "sq"), "x");
    EXPECT_EQ(doc.find("998", "mixed"), "\"x'");
    EXPECT_EQ(doc.find("998", "lone"), "\"");
    EXPECT_EQ(doc.find("998", "expr"), "a=b=c");
    EXPECT_EQ(doc.find("998", "bare"), "");
    EXPECT_EQ(doc.find("unterminated", "z"), "1");
    EXPECT_EQ(doc.find("", "orphan"), std::nullopt);
    EXPECT_EQ(doc.sectionNames(), (std::vector<std::string>{"998", "unterminated"}));
    // Quotes are kept in the stored value so a save writes them back.
    EXPECT_NE(doc.serialize().find("dq=\"  quoted \"\r\n"), std::string::npos);
}

TEST(IniDocument, WrittenValueReadsBackAsAfterReload) {
    IniDocument doc;
    doc.write(" s ", " k ", "  'v'  ");
    const IniDocument reloaded = IniDocument::parse(doc.serialize());
    EXPECT_EQ(doc.find("s", "k"), "v");
    EXPECT_EQ(reloaded.find("s", "k"), "v");
}

TEST(IniDocument, Cp932BytesSurviveUnchanged) {
    // ソ (0x83 0x5C) has a backslash trail byte; 0x83 0x5D has a ']' trail byte.
    const std::string value = "\x83\x5C\x83\x5D\x83\x6D";
    const std::string text = "[\x83\x6D]\r\nname=" + value + "\r\n";
    const IniDocument doc = IniDocument::parse(text);
    EXPECT_EQ(doc.find("\x83\x6D", "name"), value);
    EXPECT_EQ(doc.serialize(), text);
}

TEST(IniDocument, ArbitraryBytesDoNotBreakParsing) {
    const std::string nul("[s]\nk=a\0b\n\x83", 11);
    const IniDocument doc = IniDocument::parse(nul);
    EXPECT_EQ(doc.find("s", "k"), std::string_view("a\0b", 3));
    EXPECT_EQ(doc.find("s", "\x83"), "");
    EXPECT_EQ(IniDocument::parse("[\x83").sectionNames(), (std::vector<std::string>{"\x83"}));
    EXPECT_TRUE(IniDocument::parse("").empty());
}

TEST(IniDocument, ManySectionsParseQuickly) {
    std::string text;
    for (int i = 0; i < 20000; ++i) {
        text += "[" + std::to_string(i) + "]\r\nk=" + std::to_string(i) + "\r\n";
    }
    const IniDocument doc = IniDocument::parse(text);
    EXPECT_EQ(doc.find("19999", "K"), "19999");
    EXPECT_EQ(doc.serialize(), text);
}

} // namespace
} // namespace vintrel
