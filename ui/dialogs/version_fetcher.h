#pragma once

#include "ui/dialogs/update_rules.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QUrl>
#include <functional>

namespace vintrel {

// Fetches the published version text without blocking: one GET that bypasses every cache, ended
// by the answer, an error or the time-out, whichever comes first. It keeps at most
// update::kAnswerMaxBytes + 1 bytes of the answer and stops reading there.
class VersionFetcher final : public QObject {
    Q_OBJECT

public:
    static constexpr int kDefaultTimeoutMs = 5000;
    using Done = std::function<void(const update::FetchOutcome&)>;

    explicit VersionFetcher(QObject* parent = nullptr);
    ~VersionFetcher() override;

    // The longest the whole fetch may take, from the request to the last byte.
    void setTimeoutMs(int milliseconds);
    int timeoutMs() const { return timeoutMs_; }

    // Starts fetching `address`; `done` is called once, later, from the event loop. A fetch still
    // running is dropped without its callback.
    void fetch(const QUrl& address, Done done);
    bool isRunning() const { return reply_ != nullptr; }

private:
    void readAnswer();
    void replyFinished();
    void complete(update::FetchResult result);
    void dropReply();

    QNetworkAccessManager manager_;
    QPointer<QNetworkReply> reply_;
    QTimer deadline_;
    QByteArray answer_;
    Done done_;
    int timeoutMs_ = kDefaultTimeoutMs;
};

} // namespace vintrel
