#include "ui/dialogs/update_rules.h"

#include <algorithm>
#include <array>
#include <utility>

namespace vintrel::update {

namespace {

constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kBlanks = " \t\r\n";
constexpr char kFirstPrintable = 0x20;
constexpr char kLastPrintable = 0x7E;

constexpr std::array<std::pair<UpdateStep, std::string_view>, 4> kMessages{{
    {UpdateStep::ReportNoAddress, "アップデートの確認先が設定されていません。"},
    {UpdateStep::ReportNoNetwork, "ネットワークに接続できません。\n"},
    {UpdateStep::ReportUnreadableAnswer, "公開されているバージョンを読み取れません。"},
    {UpdateStep::ReportUpToDate, "お使いのバージョンは最新版です。"},
}};

bool isPrintableAscii(char c) {
    return c >= kFirstPrintable && c <= kLastPrintable;
}

UpdateDecision decideOnVersion(CheckKind kind, const std::string& published, std::string_view ownVersion,
                               std::string_view skippedVersion) {
    if (published == ownVersion) {
        return {kind == CheckKind::Menu ? UpdateStep::ReportUpToDate : UpdateStep::Nothing, {}};
    }
    if (kind == CheckKind::Silent && published == skippedVersion) {
        return {UpdateStep::Nothing, {}};
    }
    return {UpdateStep::OfferUpdate, published};
}

} // namespace

std::string readPublishedVersion(std::string_view answer) {
    if (answer.starts_with(kUtf8ByteOrderMark)) {
        answer.remove_prefix(kUtf8ByteOrderMark.size());
    }
    const std::size_t first = answer.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) {
        return {};
    }
    answer = answer.substr(first, answer.find_last_not_of(kBlanks) - first + 1);
    if (answer.size() > kPublishedVersionMaxBytes ||
        !std::all_of(answer.begin(), answer.end(), isPrintableAscii)) {
        return {};
    }
    return std::string(answer);
}

UpdateDecision decide(CheckKind kind, const FetchOutcome& outcome, std::string_view ownVersion,
                      std::string_view skippedVersion) {
    const bool fromMenu = kind == CheckKind::Menu;
    switch (outcome.result) {
    case FetchResult::NoAddress:
        return {fromMenu ? UpdateStep::ReportNoAddress : UpdateStep::Nothing, {}};
    case FetchResult::Unreachable:
        return {fromMenu ? UpdateStep::ReportNoNetwork : UpdateStep::Nothing, {}};
    case FetchResult::Answered:
        break;
    }
    const std::string published = readPublishedVersion(outcome.answer);
    if (published.empty()) {
        return {fromMenu ? UpdateStep::ReportUnreadableAnswer : UpdateStep::Nothing, {}};
    }
    return decideOnVersion(kind, published, ownVersion, skippedVersion);
}

std::string_view messageText(UpdateStep step) {
    for (const auto& [messageStep, text] : kMessages) {
        if (messageStep == step) {
            return text;
        }
    }
    return {};
}

} // namespace vintrel::update
