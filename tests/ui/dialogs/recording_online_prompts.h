#pragma once

// Online prompts for tests: they record every question, message and page, and answer the update
// dialog as the test says.

#include "ui/dialogs/online_prompts.h"

#include <QList>
#include <QStringList>
#include <QUrl>
#include <utility>

namespace vintrel::test {

class RecordingOnlinePrompts final : public OnlinePrompts {
public:
    UpdateAnswer askUpdate(const QString& ownVersion, const QString& publishedVersion) override {
        offers.append({ownVersion, publishedVersion});
        return answer;
    }
    void showMessage(const QString& text) override { messages.append(text); }
    bool openUrl(const QUrl& url) override {
        openedUrls.append(url);
        return browserWorks;
    }

    UpdateAnswer answer = UpdateAnswer::NotNow;
    bool browserWorks = true;
    QList<std::pair<QString, QString>> offers; // (own, published)
    QStringList messages;
    QList<QUrl> openedUrls;
};

} // namespace vintrel::test
