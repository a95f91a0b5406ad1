#include "persist/package.h"
#include "support/result_checks.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace vintrel {
namespace {

using namespace std::string_literals;

std::string encodeOrFail(const std::vector<PackageEntry>& entries, int version = 6) {
    const Result<std::string> out = encodePackage(entries, version);
    EXPECT_TRUE(test::succeeded(out));
    return out.value_or("");
}

// ---- writing ----------------------------------------------------------------------------------

TEST(PackageEncode, SettingsOnlyIsHeaderThenOneEntry) {
    // "[0]\r\nk=1\r\n" is 10 bytes.
    EXPECT_EQ(encodeOrFail({{"save.ini", "[0]\r\nk=1\r\n"}}), "SartuneData,6,0,save.ini,10,[0]\r\nk=1\r\n");
}

TEST(PackageEncode, MaterialsPrecedeSettingsAndDataIsRaw) {
    // The data of an entry may hold the delimiters of the header; it is taken by size.
    const std::string png = "a,\n\0b"s;
    const std::string obj = "v 0 0 0\r\n";
    EXPECT_EQ(encodeOrFail({{"fire.png", png}, {"box.obj", obj}, {"save.ini", "x"}}),
              "SartuneData,6,2,fire.png,5,a,\n\0bbox.obj,9,v 0 0 0\r\nsave.ini,1,x"s);
}

TEST(PackageEncode, NamesAreStoredInCp932) {
    EXPECT_EQ(encodeOrFail({{"炎.png", "p"}, {"save.ini", ""}}),
              "SartuneData,6,1,\x89\x8A.png,1,psave.ini,0,");
}

TEST(PackageEncode, VersionIsWrittenAsGiven) {
    EXPECT_EQ(encodeOrFail({{"save.ini", ""}}, 0), "SartuneData,0,0,save.ini,0,");
}

// A name must fit both the package (259 bytes) and a file name here (255 bytes).
TEST(PackageEncode, NameOf255BytesIsAcceptedAnd256Refused) {
    const std::string name255 = std::string(251, 'a') + ".png";
    const std::string name256 = std::string(252, 'a') + ".png";
    EXPECT_EQ(encodeOrFail({{name255, "z"}, {"save.ini", ""}}),
              "SartuneData,6,1," + name255 + ",1,zsave.ini,0,");

    EXPECT_EQ(test::failureText(encodePackage({{name256, "z"}, {"save.ini", ""}}, 6)),
              "ファイル名「" + name256 + "」はプロジェクトに保存できません。");
}

TEST(PackageEncode, NamesThatCannotBeReadBackAreRefused) {
    const std::vector<std::string> badNames = {
        "a,b.png",              // a comma ends the name when reading
        "a\nb.png",             // so does a line feed
        "\xF0\x9F\x94\xA5.png", // no cp932 form
        "../evil.png",          // would leave the workspace when opened
        "",
    };
    for (const std::string& name : badNames) {
        SCOPED_TRACE(name);
        EXPECT_EQ(test::failureText(encodePackage({{name, "z"}, {"save.ini", ""}}, 6)),
                  "ファイル名「" + name + "」はプロジェクトに保存できません。");
    }
}

// ---- reading ----------------------------------------------------------------------------------

TEST(PackageParse, ReadsBackWhatWasWritten) {
    const std::vector<PackageEntry> entries = {
        {"fire.png", "\x89PNG\r\n\x1a\n,\0end"s},
        {"炎.png", ""},
        {"ソ.obj", "v 1 2 3\n"}, // cp932 trail byte 0x5C, the backslash byte
        {"save.ini", "[0]\r\ng.project.frame=60\r\n"},
    };
    const ParsedPackage parsed = parsePackage(encodeOrFail(entries));
    ASSERT_EQ(parsed.status, PackageStatus::Ok);
    EXPECT_EQ(parsed.version, 6);
    ASSERT_EQ(parsed.entries.size(), entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i) {
        EXPECT_EQ(parsed.entries[i].name, entries[i].name);
        EXPECT_EQ(parsed.entries[i].data, entries[i].data);
    }
}

TEST(PackageParse, VersionZeroToSixAreAccepted) {
    for (int version = 0; version <= 6; ++version) {
        SCOPED_TRACE(version);
        const ParsedPackage parsed =
            parsePackage("SartuneData," + std::to_string(version) + ",0,save.ini,3,[0]");
        EXPECT_EQ(parsed.status, PackageStatus::Ok);
        EXPECT_EQ(parsed.version, version);
        ASSERT_EQ(parsed.entries.size(), 1u);
        EXPECT_EQ(parsed.entries[0].data, "[0]");
    }
}

TEST(PackageParse, NewerAndNegativeVersionsAreTooNew) {
    for (const char* version : {"7", "-1", "100", "-2147483648"}) {
        SCOPED_TRACE(version);
        EXPECT_EQ(parsePackage("SartuneData,"s + version + ",0,save.ini,0,").status,
                  PackageStatus::NewerVersion);
    }
}

TEST(PackageParse, NameLongerThanAFileNameIsRefused) {
    const std::string name255 = std::string(251, 'n') + ".png";
    const ParsedPackage ok = parsePackage("SartuneData,6,1," + name255 + ",1,zsave.ini,0,");
    ASSERT_EQ(ok.status, PackageStatus::Ok);
    EXPECT_EQ(ok.entries[0].name, name255);
    EXPECT_EQ(ok.entries[0].data, "z");

    // Up to 259 bytes fit the package, but no file of that name can be unpacked here.
    for (const std::size_t length : {256u, 259u, 260u}) {
        const std::string name = std::string(length - 4, 'n') + ".png";
        EXPECT_EQ(parsePackage("SartuneData,6,1," + name + ",1,zsave.ini,0,").status,
                  PackageStatus::Unsupported)
            << length;
    }
}

struct DamagedCase {
    const char* label;
    std::string bytes;
};

TEST(PackageParse, DamagedPackagesAreUnsupported) {
    const std::vector<DamagedCase> cases = {
        {"empty file", ""},
        {"wrong magic", "SartuneDatb,6,0,save.ini,0,"},
        {"magic without delimiter", "SartuneData"},
        {"no version delimiter", "SartuneData,6"},
        {"no material count", "SartuneData,6,"},
        {"count not a number", "SartuneData,6,x,save.ini,0,"},
        {"negative count", "SartuneData,6,-1,save.ini,0,"},
        {"count beyond any int", "SartuneData,6,99999999999999999999,save.ini,0,"},
        {"negative size", "SartuneData,6,0,save.ini,-5,abcdef"},
        {"size not a number", "SartuneData,6,0,save.ini,abc,xyz"},
        {"size with trailing text", "SartuneData,6,0,save.ini,1a,xyz"},
        {"empty size", "SartuneData,6,0,save.ini,,"},
        {"size beyond the end", "SartuneData,6,0,save.ini,100,[0]"},
        {"size beyond the end by one", "SartuneData,6,0,save.ini,4,[0]"},
        {"missing size", "SartuneData,6,0,save.ini"},
        {"name of 260 bytes", "SartuneData,6,1," + std::string(256, 'n') + ".png,1,zsave.ini,0,"},
        {"fewer entries than announced", "SartuneData,6,2,a.png,1,xsave.ini,0,"},
        {"last entry is not the settings", "SartuneData,6,0,other.ini,0,"},
        {"settings not last", "SartuneData,6,1,save.ini,0,a.png,0,"},
        {"empty name", "SartuneData,6,1,,1,xsave.ini,0,"},
        {"parent folder", "SartuneData,6,1,../evil.png,1,xsave.ini,0,"},
        {"dot dot alone", "SartuneData,6,1,..,1,xsave.ini,0,"},
        {"dot dot inside", "SartuneData,6,1,a..b.png,1,xsave.ini,0,"},
        {"absolute path", "SartuneData,6,1,/tmp/x,1,xsave.ini,0,"},
        {"slash", "SartuneData,6,1,a/b.png,1,xsave.ini,0,"},
        {"backslash", "SartuneData,6,1,a\\b.png,1,xsave.ini,0,"},
        {"tab", "SartuneData,6,1,a\tb.png,1,xsave.ini,0,"},
        {"control byte", "SartuneData,6,1,a\x01.png,1,xsave.ini,0,"},
        {"delete byte", "SartuneData,6,1,a\x7F.png,1,xsave.ini,0,"},
        {"carriage return", "SartuneData,6,1,a\r.png,1,xsave.ini,0,"},
        {"invalid cp932 trail", "SartuneData,6,1,bad\x81.png,1,xsave.ini,0,"},
        {"cp932 lead byte at the end", "SartuneData,6,1,bad\x81,1,xsave.ini,0,"},
    };
    for (const DamagedCase& c : cases) {
        SCOPED_TRACE(c.label);
        const ParsedPackage parsed = parsePackage(c.bytes);
        EXPECT_EQ(parsed.status, PackageStatus::Unsupported);
        EXPECT_TRUE(parsed.entries.empty());
    }
}

TEST(PackageParse, LineFeedAndZeroByteEndTokensLikeComma) {
    const ParsedPackage parsed = parsePackage("SartuneData\n6\0"
                                              "1,a.png\n2\0xysave.ini,0,"s);
    ASSERT_EQ(parsed.status, PackageStatus::Ok);
    ASSERT_EQ(parsed.entries.size(), 2u);
    EXPECT_EQ(parsed.entries[0].name, "a.png");
    EXPECT_EQ(parsed.entries[0].data, "xy");
    EXPECT_EQ(parsed.entries[1].name, "save.ini");
}

} // namespace
} // namespace vintrel
