#pragma once

// What the update check makes of the server's answer, and what each of the two checks does next.
// No Qt and no network: the fetch hands its outcome in, the checker carries out the step.

#include <cstddef>
#include <string>
#include <string_view>

namespace vintrel::update {

// The published version is a short text: at most 9 bytes once the line break that ends a text
// file is taken off.
inline constexpr std::size_t kPublishedVersionMaxBytes = 9;
// The most the fetch keeps of an answer. Anything longer is not a version text (an HTML page, a
// portal's login form) and is refused without being read further.
inline constexpr std::size_t kAnswerMaxBytes = 64;

// The agent name the version request is sent with.
inline constexpr const char* kAgentName = "WININET CheckVersion";

// The published version in `answer`, or an empty text when the answer is refused. A leading UTF-8
// byte-order mark and surrounding spaces, tabs and line breaks are taken off; what remains
// must be 1 to kPublishedVersionMaxBytes bytes of printable ASCII (0x20 to 0x7E). A longer text is
// refused rather than cut: a cut text would be offered, and skipped, as a version nobody published.
std::string readPublishedVersion(std::string_view answer);

// How the fetch of the published version ended.
enum class FetchResult {
    NoAddress,   // no address is set: the check is switched off
    Unreachable, // no connection, an error status, or no answer before the time-out
    Answered,    // the server sent a text (at most kAnswerMaxBytes + 1 bytes of it are kept)
};

struct FetchOutcome {
    FetchResult result = FetchResult::Unreachable;
    std::string answer; // only with FetchResult::Answered
};

// The silent check at start-up says nothing unless there is an update to offer; the menu check
// always reports.
enum class CheckKind { Silent, Menu };

enum class UpdateStep {
    Nothing,                // stop without a word
    ReportNoAddress,        // the menu check has no address to ask
    ReportNoNetwork,        // the address cannot be reached
    ReportUnreadableAnswer, // the answer is not a version text
    ReportUpToDate,         // the published version is this program's
    OfferUpdate,            // show the update dialog
};

struct UpdateDecision {
    UpdateStep step = UpdateStep::Nothing;
    std::string publishedVersion; // the version offered, with UpdateStep::OfferUpdate
    bool operator==(const UpdateDecision&) const = default;
};

// The next step of a check. Versions are compared byte for byte. The skipped version (the one
// the user chose not to be told about) silences only the start-up check.
UpdateDecision decide(CheckKind kind, const FetchOutcome& outcome, std::string_view ownVersion,
                      std::string_view skippedVersion);

// The message text of a Report step (Japanese, UTF-8); empty for the other steps.
std::string_view messageText(UpdateStep step);

// An accepted update has no release page to open (Japanese, UTF-8).
inline constexpr const char* kNoReleasePageText = "アップデートの案内ページが設定されていません。";
// A page of the update check or the help could not be opened; %1 is its address.
inline constexpr const char* kCannotOpenPageText = "ページを開けません。\n%1";

} // namespace vintrel::update
