#pragma once

#include "ui/dialogs/update_rules.h"
#include "ui/dialogs/version_fetcher.h"

#include <QObject>
#include <optional>

namespace vintrel {

class AppSettings;
class OnlinePrompts;

// The online update check. It asks the address `UPDATE` `URL` of the settings for the published
// version and compares it with this program's version (QCoreApplication::applicationVersion()).
// An empty address switches the check off.
//
// Both checks return at once; the answer arrives through the event loop, so the editor stays
// usable while the server thinks, and a server that never answers is given up after the time-out.
// When an update is offered and accepted, the release page (`UPDATE` `RELEASE_URL`) opens in the
// browser: the installation is updated by the system's package tools, and the editor goes on.
// "いいえ" with "このバージョンでは通知しない" ticked stores the version as skipped and writes the
// settings file at once.
class UpdateChecker final : public QObject {
    Q_OBJECT

public:
    UpdateChecker(AppSettings& settings, OnlinePrompts& prompts, QObject* parent = nullptr);

    void setTimeoutMs(int milliseconds) { fetcher_.setTimeoutMs(milliseconds); }

    // The start-up check, for a start without a project file, once the main window shows: it says
    // nothing unless a version other than this one and the skipped one is published.
    void checkSilently();
    // The help menu's check: it always reports, and offers a skipped version too. While the
    // start-up check still waits for its answer, that answer is reported as this check's.
    void checkFromMenu();

    bool isChecking() const { return running_.has_value(); }

signals:
    // A check has ended and its dialog or message, if any, has been answered.
    void checkFinished();

private:
    void start(update::CheckKind kind);
    void conclude(const update::FetchOutcome& outcome);
    void carryOut(const update::UpdateDecision& decision);
    void offerUpdate(const std::string& publishedVersion);
    void openReleasePage();

    AppSettings& settings_;
    OnlinePrompts& prompts_;
    VersionFetcher fetcher_;
    std::optional<update::CheckKind> running_;
};

} // namespace vintrel
