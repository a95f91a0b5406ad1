#include "ui/dialogs/update_checker.h"

#include "persist/app_settings.h"
#include "ui/dialogs/online_prompts.h"

#include <QCoreApplication>

namespace vintrel {

namespace {

QString online(std::string_view utf8) {
    return QCoreApplication::translate("Online", std::string(utf8).c_str());
}

QString fromUtf8(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace

UpdateChecker::UpdateChecker(AppSettings& settings, OnlinePrompts& prompts, QObject* parent)
    : QObject(parent), settings_(settings), prompts_(prompts) {}

void UpdateChecker::checkSilently() {
    start(update::CheckKind::Silent);
}

void UpdateChecker::checkFromMenu() {
    start(update::CheckKind::Menu);
}

void UpdateChecker::start(update::CheckKind kind) {
    if (running_) {
        if (kind == update::CheckKind::Menu) {
            running_ = kind;
        }
        return;
    }
    running_ = kind;
    const std::string address = settings_.updateUrl();
    if (address.empty()) {
        conclude({update::FetchResult::NoAddress, {}});
        return;
    }
    fetcher_.fetch(QUrl(fromUtf8(address)),
                   [this](const update::FetchOutcome& outcome) { conclude(outcome); });
}

void UpdateChecker::conclude(const update::FetchOutcome& outcome) {
    const update::CheckKind kind = running_.value_or(update::CheckKind::Silent);
    const std::string own = QCoreApplication::applicationVersion().toStdString();
    const update::UpdateDecision decision = update::decide(kind, outcome, own, settings_.skippedVersion());
    // Another check may be asked for while this one's dialog is open.
    running_.reset();
    carryOut(decision);
    emit checkFinished();
}

void UpdateChecker::carryOut(const update::UpdateDecision& decision) {
    switch (decision.step) {
    case update::UpdateStep::Nothing:
        return;
    case update::UpdateStep::OfferUpdate:
        offerUpdate(decision.publishedVersion);
        return;
    case update::UpdateStep::ReportNoAddress:
    case update::UpdateStep::ReportNoNetwork:
    case update::UpdateStep::ReportUnreadableAnswer:
    case update::UpdateStep::ReportUpToDate:
        prompts_.showMessage(online(update::messageText(decision.step)));
        return;
    }
}

void UpdateChecker::offerUpdate(const std::string& publishedVersion) {
    switch (prompts_.askUpdate(QCoreApplication::applicationVersion(), fromUtf8(publishedVersion))) {
    case UpdateAnswer::Update:
        openReleasePage();
        return;
    case UpdateAnswer::SkipThisVersion: {
        settings_.setSkippedVersion(publishedVersion);
        // Written at once, so that a crash does not bring the dialog back; a file that cannot be
        // written now keeps the change for the save at shut-down.
        (void)settings_.save();
        return;
    }
    case UpdateAnswer::NotNow:
        return;
    }
}

void UpdateChecker::openReleasePage() {
    const std::string address = settings_.releasePageUrl();
    if (address.empty()) {
        prompts_.showMessage(online(update::kNoReleasePageText));
        return;
    }
    openPageOrReport(prompts_, QUrl(fromUtf8(address)));
}

} // namespace vintrel
