#include "ui/dialogs/update_rules.h"

#include <gtest/gtest.h>
#include <ostream>
#include <string>

namespace vintrel::update {
namespace {

// ---- reading the answer ------------------------------------------------------------------------

struct AnswerCase {
    const char* name;
    std::string answer;
    std::string expected; // empty: refused
};

void PrintTo(const AnswerCase& c, std::ostream* out) {
    *out << c.name;
}

class PublishedVersionReading : public testing::TestWithParam<AnswerCase> {};

TEST_P(PublishedVersionReading, KeepsOrRefusesTheText) {
    EXPECT_EQ(readPublishedVersion(GetParam().answer), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Answers, PublishedVersionReading,
                         testing::Values(AnswerCase{"Plain", "0.2.0", "0.2.0"},
                                         AnswerCase{"NineBytesFit", "0.10.0-rc", "0.10.0-rc"},
                                         AnswerCase{"TenBytesAreRefused", "0.10.0-rc1", ""},
                                         AnswerCase{"TwelveBytesAreRefused", "0.1.0-beta.2", ""},
                                         AnswerCase{"LineFeedOfATextFile", "0.2.0\n", "0.2.0"},
                                         AnswerCase{"WindowsLineEnd", "0.2.0\r\n", "0.2.0"},
                                         AnswerCase{"NineBytesAndALineEnd", "0.10.0-rc\r\n", "0.10.0-rc"},
                                         AnswerCase{"SurroundingBlanks", " \t0.2.0 \n", "0.2.0"},
                                         AnswerCase{"ByteOrderMark",
                                                    "\xEF\xBB\xBF"
                                                    "0.2.0",
                                                    "0.2.0"},
                                         AnswerCase{"InnerSpaceIsKept", "Ver 0.2", "Ver 0.2"},
                                         AnswerCase{"Empty", "", ""}, AnswerCase{"OnlyALineEnd", "\r\n", ""},
                                         AnswerCase{"TwoLines", "0.2\n0.3", ""},
                                         AnswerCase{"ZeroByte", std::string("0.2\0", 4) + "x", ""},
                                         AnswerCase{"NotAscii",
                                                    "\xE7\x89\x88"
                                                    "0.2",
                                                    ""},
                                         AnswerCase{"HtmlPage", "<!DOCTYPE html><html></html>", ""}),
                         [](const testing::TestParamInfo<AnswerCase>& info) {
                             return std::string(info.param.name);
                         });

// ---- the two checks ----------------------------------------------------------------------------

constexpr const char* kOwn = "0.1.0";

FetchOutcome answered(std::string text) {
    return {FetchResult::Answered, std::move(text)};
}

struct DecisionCase {
    const char* name;
    CheckKind kind;
    FetchOutcome outcome;
    std::string skipped;
    UpdateDecision expected;
};

void PrintTo(const DecisionCase& c, std::ostream* out) {
    *out << c.name;
}

class CheckDecision : public testing::TestWithParam<DecisionCase> {};

TEST_P(CheckDecision, FollowsTheCheckRules) {
    const DecisionCase& c = GetParam();
    EXPECT_EQ(decide(c.kind, c.outcome, kOwn, c.skipped), c.expected);
}

const UpdateDecision kNothing{UpdateStep::Nothing, {}};

INSTANTIATE_TEST_SUITE_P(
    Decisions, CheckDecision,
    testing::Values(
        // At start-up only an update is ever shown.
        DecisionCase{"SilentNoAddress", CheckKind::Silent, {FetchResult::NoAddress, {}}, "", kNothing},
        DecisionCase{"SilentUnreachable", CheckKind::Silent, {FetchResult::Unreachable, {}}, "", kNothing},
        DecisionCase{"SilentUnreadable", CheckKind::Silent, answered("0.1.0-beta.2"), "", kNothing},
        DecisionCase{"SilentSameVersion", CheckKind::Silent, answered("0.1.0\n"), "", kNothing},
        DecisionCase{"SilentSkippedVersion", CheckKind::Silent, answered("0.2.0"), "0.2.0", kNothing},
        DecisionCase{"SilentNewVersion",
                     CheckKind::Silent,
                     answered("0.2.0"),
                     "0.1.5",
                     {UpdateStep::OfferUpdate, "0.2.0"}},
        // Any other text is offered, an older one too: the comparison is byte for byte.
        DecisionCase{"SilentOlderVersion",
                     CheckKind::Silent,
                     answered("0.0.9"),
                     "",
                     {UpdateStep::OfferUpdate, "0.0.9"}},
        DecisionCase{"SilentComparesCase",
                     CheckKind::Silent,
                     answered("0.2.0a"),
                     "0.2.0A",
                     {UpdateStep::OfferUpdate, "0.2.0a"}},
        // The menu always reports, and does not look at the skipped version.
        DecisionCase{"MenuNoAddress",
                     CheckKind::Menu,
                     {FetchResult::NoAddress, {}},
                     "",
                     {UpdateStep::ReportNoAddress, {}}},
        DecisionCase{"MenuUnreachable",
                     CheckKind::Menu,
                     {FetchResult::Unreachable, {}},
                     "",
                     {UpdateStep::ReportNoNetwork, {}}},
        DecisionCase{"MenuUnreadable",
                     CheckKind::Menu,
                     answered("0.1.0-beta.2"),
                     "",
                     {UpdateStep::ReportUnreadableAnswer, {}}},
        DecisionCase{
            "MenuSameVersion", CheckKind::Menu, answered("0.1.0"), "0.1.0", {UpdateStep::ReportUpToDate, {}}},
        DecisionCase{"MenuSkippedVersion",
                     CheckKind::Menu,
                     answered("0.2.0"),
                     "0.2.0",
                     {UpdateStep::OfferUpdate, "0.2.0"}}),
    [](const testing::TestParamInfo<DecisionCase>& info) { return std::string(info.param.name); });

TEST(CheckDecision, AnEmptySkippedVersionDoesNotSilenceAnEmptyAnswer) {
    // The skipped version is empty until the user ticks the check box; an empty answer must not
    // count as "skipped" (nor as a version to offer).
    EXPECT_EQ(decide(CheckKind::Silent, answered(""), kOwn, ""), kNothing);
    EXPECT_EQ(decide(CheckKind::Menu, answered(""), kOwn, "").step, UpdateStep::ReportUnreadableAnswer);
}

TEST(CheckDecision, AProgramWithoutVersionIsOfferedEveryPublishedOne) {
    EXPECT_EQ(decide(CheckKind::Menu, answered("0.1.0"), "", ""),
              (UpdateDecision{UpdateStep::OfferUpdate, "0.1.0"}));
}

// ---- messages ----------------------------------------------------------------------------------

TEST(UpdateMessages, TheMenuCheckSaysWhatHappened) {
    EXPECT_EQ(messageText(UpdateStep::ReportNoNetwork), "ネットワークに接続できません。\n");
    EXPECT_EQ(messageText(UpdateStep::ReportUpToDate), "お使いのバージョンは最新版です。");
    EXPECT_EQ(messageText(UpdateStep::ReportNoAddress), "アップデートの確認先が設定されていません。");
    EXPECT_EQ(messageText(UpdateStep::ReportUnreadableAnswer), "公開されているバージョンを読み取れません。");
    EXPECT_EQ(messageText(UpdateStep::Nothing), "");
    EXPECT_EQ(messageText(UpdateStep::OfferUpdate), "");
}

} // namespace
} // namespace vintrel::update
