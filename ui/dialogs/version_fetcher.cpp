#include "ui/dialogs/version_fetcher.h"

#include <QNetworkReply>
#include <QNetworkRequest>
#include <algorithm>
#include <utility>

namespace vintrel {

namespace {

constexpr qint64 kAnswerKeepBytes = static_cast<qint64>(update::kAnswerMaxBytes) + 1;
constexpr int kFirstSuccessStatus = 200;
constexpr int kLastSuccessStatus = 299;

QNetworkRequest versionRequest(const QUrl& address) {
    QNetworkRequest request(address);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    request.setHeader(QNetworkRequest::UserAgentHeader, QString::fromLatin1(update::kAgentName));
    return request;
}

// An HTTP answer counts only with a success status: an error page is not a version text. Other
// schemes have no status.
bool isSuccess(const QNetworkReply& reply) {
    if (reply.error() != QNetworkReply::NoError) {
        return false;
    }
    const QVariant status = reply.attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (!status.isValid()) {
        return true;
    }
    const int code = status.toInt();
    return code >= kFirstSuccessStatus && code <= kLastSuccessStatus;
}

} // namespace

VersionFetcher::VersionFetcher(QObject* parent) : QObject(parent) {
    deadline_.setSingleShot(true);
    connect(&deadline_, &QTimer::timeout, this, [this] { complete(update::FetchResult::Unreachable); });
}

VersionFetcher::~VersionFetcher() {
    done_ = nullptr;
    dropReply();
}

void VersionFetcher::setTimeoutMs(int milliseconds) {
    timeoutMs_ = std::max(milliseconds, 0);
}

void VersionFetcher::fetch(const QUrl& address, Done done) {
    dropReply();
    answer_.clear();
    done_ = std::move(done);
    reply_ = manager_.get(versionRequest(address));
    connect(reply_, &QNetworkReply::readyRead, this, &VersionFetcher::readAnswer);
    connect(reply_, &QNetworkReply::finished, this, &VersionFetcher::replyFinished);
    deadline_.start(timeoutMs_);
}

void VersionFetcher::readAnswer() {
    if (!reply_) {
        return;
    }
    answer_ += reply_->read(kAnswerKeepBytes - answer_.size());
    if (answer_.size() >= kAnswerKeepBytes) {
        // Already too long for a version text: the rest is not read.
        complete(update::FetchResult::Answered);
    }
}

void VersionFetcher::replyFinished() {
    if (!reply_) {
        return;
    }
    if (!isSuccess(*reply_)) {
        complete(update::FetchResult::Unreachable);
        return;
    }
    readAnswer();
    if (reply_) {
        complete(update::FetchResult::Answered);
    }
}

void VersionFetcher::complete(update::FetchResult result) {
    deadline_.stop();
    dropReply();
    update::FetchOutcome outcome{result, {}};
    if (result == update::FetchResult::Answered) {
        outcome.answer = answer_.toStdString();
    }
    answer_.clear();
    // The callback may start the next fetch.
    if (Done done = std::exchange(done_, nullptr)) {
        done(outcome);
    }
}

// The reply is aborted without reporting back and deleted once its signals are done.
void VersionFetcher::dropReply() {
    deadline_.stop();
    if (QNetworkReply* reply = reply_.data()) {
        reply_ = nullptr;
        reply->disconnect(this);
        reply->abort();
        reply->deleteLater();
    }
}

} // namespace vintrel
