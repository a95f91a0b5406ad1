// The update check against a small HTTP server on the loopback address.

#include "loopback_http_server.h"
#include "persist/app_settings.h"
#include "recording_online_prompts.h"
#include "support/test_files.h"
#include "ui/dialogs/update_checker.h"

#include <QCoreApplication>
#include <QNetworkProxy>
#include <QSignalSpy>
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace vintrel {
namespace {

namespace fs = std::filesystem;

using test::LoopbackHttpServer;
using test::RecordingOnlinePrompts;

constexpr const char* kOwnVersion = "0.1.0";
constexpr const char* kReleasePage = "https://example.org/vintrel/releases";
// Only a bound on a hang: every answer here comes from the loopback within milliseconds.
constexpr int kHangGuardMs = 20'000;
// Short, so that the test of a server that never answers ends soon.
constexpr int kShortTimeoutMs = 300;

const QString kNoNetwork = QStringLiteral("ネットワークに接続できません。\n");
const QString kUpToDate = QStringLiteral("お使いのバージョンは最新版です。");
const QString kUnreadable = QStringLiteral("公開されているバージョンを読み取れません。");

class UpdateCheck : public testing::Test {
protected:
    void SetUp() override {
        // A proxy from the environment must not stand between the test and its loopback server.
        QNetworkProxy::setApplicationProxy(QNetworkProxy::NoProxy);
        previousVersion_ = QCoreApplication::applicationVersion();
        QCoreApplication::setApplicationVersion(QString::fromLatin1(kOwnVersion));
    }
    void TearDown() override { QCoreApplication::setApplicationVersion(previousVersion_); }

    fs::path settingsFile() const { return tmp_.path() / "assets" / "data.prm"; }

    // data.prm with the version address, the release page and `extra` lines, read afresh.
    AppSettings& settingsFor(const QUrl& address, const std::string& extra = {}) {
        test::writeFile(settingsFile(), "[UPDATE]\r\nURL=" + address.toString().toStdString() +
                                            "\r\nRELEASE_URL=" + kReleasePage + "\r\n" + extra);
        settings_ = std::make_unique<AppSettings>(settingsFile());
        return *settings_;
    }

    // Runs one check to its end.
    void run(UpdateChecker& checker, void (UpdateChecker::*check)()) {
        QSignalSpy finished(&checker, &UpdateChecker::checkFinished);
        (checker.*check)();
        if (finished.isEmpty()) {
            ASSERT_TRUE(finished.wait(kHangGuardMs)) << "the check did not end";
        }
        EXPECT_EQ(finished.size(), 1);
        EXPECT_FALSE(checker.isChecking());
    }

    void checkSilently(UpdateChecker& checker) { run(checker, &UpdateChecker::checkSilently); }
    void checkFromMenu(UpdateChecker& checker) { run(checker, &UpdateChecker::checkFromMenu); }

    test::TempDir tmp_;
    std::unique_ptr<AppSettings> settings_;
    RecordingOnlinePrompts prompts_;
    QString previousVersion_;
};

TEST_F(UpdateCheck, SameVersionIsSilentAtStartUpAndLatestFromTheMenu) {
    LoopbackHttpServer server;
    server.answerWith("0.1.0\n");
    UpdateChecker checker(settingsFor(server.url()), prompts_);

    checkSilently(checker);
    EXPECT_TRUE(prompts_.offers.isEmpty());
    EXPECT_TRUE(prompts_.messages.isEmpty());

    checkFromMenu(checker);
    EXPECT_TRUE(prompts_.offers.isEmpty());
    EXPECT_EQ(prompts_.messages, QStringList{kUpToDate});
    EXPECT_EQ(server.requests().size(), 2);
}

TEST_F(UpdateCheck, TheRequestAsksTheServerItselfWithTheAgentName) {
    LoopbackHttpServer server;
    server.answerWith("0.1.0");
    UpdateChecker checker(settingsFor(server.url()), prompts_);
    checkSilently(checker);
    ASSERT_EQ(server.requests().size(), 1);
    const QByteArray head = server.requests().front().toLower();
    EXPECT_TRUE(head.startsWith("get /vintrel/version.txt http/1.1\r\n")) << head.toStdString();
    EXPECT_TRUE(head.contains("\r\nuser-agent: wininet checkversion\r\n")) << head.toStdString();
    EXPECT_TRUE(head.contains("\r\ncache-control: no-cache\r\n")) << head.toStdString();
}

TEST_F(UpdateCheck, ANewerVersionIsOfferedAndOkOpensTheReleasePage) {
    LoopbackHttpServer server;
    server.answerWith("0.2.0\r\n");
    UpdateChecker checker(settingsFor(server.url()), prompts_);
    prompts_.answer = UpdateAnswer::Update;

    checkSilently(checker);
    ASSERT_EQ(prompts_.offers.size(), 1);
    EXPECT_EQ(prompts_.offers.front(), std::make_pair(QStringLiteral("0.1.0"), QStringLiteral("0.2.0")));
    EXPECT_EQ(prompts_.openedUrls, QList<QUrl>{QUrl(QString::fromLatin1(kReleasePage))});
    EXPECT_TRUE(prompts_.messages.isEmpty());

    checkFromMenu(checker);
    EXPECT_EQ(prompts_.offers.size(), 2);
    EXPECT_EQ(prompts_.openedUrls.size(), 2);
    // Accepting changes nothing in the settings.
    EXPECT_EQ(AppSettings(settingsFile()).skippedVersion(), "");
}

TEST_F(UpdateCheck, OkWithoutAReleasePageSaysSo) {
    LoopbackHttpServer server;
    server.answerWith("0.2.0");
    test::writeFile(settingsFile(), "[UPDATE]\r\nURL=" + server.url().toString().toStdString() + "\r\n");
    AppSettings settings(settingsFile());
    UpdateChecker checker(settings, prompts_);
    prompts_.answer = UpdateAnswer::Update;
    checkFromMenu(checker);
    EXPECT_TRUE(prompts_.openedUrls.isEmpty());
    EXPECT_EQ(prompts_.messages,
              QStringList{QStringLiteral("アップデートの案内ページが設定されていません。")});
}

TEST_F(UpdateCheck, ABrowserThatDoesNotOpenIsReported) {
    LoopbackHttpServer server;
    server.answerWith("0.2.0");
    UpdateChecker checker(settingsFor(server.url()), prompts_);
    prompts_.answer = UpdateAnswer::Update;
    prompts_.browserWorks = false;
    checkFromMenu(checker);
    EXPECT_EQ(prompts_.messages,
              QStringList{QStringLiteral("ページを開けません。\n") + QString::fromLatin1(kReleasePage)});
}

TEST_F(UpdateCheck, ASkippedVersionIsSilentAtStartUpButOfferedFromTheMenu) {
    LoopbackHttpServer server;
    server.answerWith("0.2.0");
    UpdateChecker checker(settingsFor(server.url(), "VERSION=0.2.0\r\n"), prompts_);

    checkSilently(checker);
    EXPECT_TRUE(prompts_.offers.isEmpty());

    checkFromMenu(checker);
    EXPECT_EQ(prompts_.offers.size(), 1);
}

TEST_F(UpdateCheck, NoWithTheCheckBoxSkipsThatVersionAtTheNextStartUp) {
    LoopbackHttpServer server;
    server.answerWith("0.2.0");
    {
        UpdateChecker checker(settingsFor(server.url()), prompts_);
        prompts_.answer = UpdateAnswer::SkipThisVersion;
        checkSilently(checker);
        ASSERT_EQ(prompts_.offers.size(), 1);
        EXPECT_TRUE(prompts_.openedUrls.isEmpty());
    }
    // Written to the file at once, as the next start reads it.
    AppSettings nextStart(settingsFile());
    EXPECT_EQ(nextStart.skippedVersion(), "0.2.0");
    UpdateChecker checker(nextStart, prompts_);
    checkSilently(checker);
    EXPECT_EQ(prompts_.offers.size(), 1);
    checkFromMenu(checker);
    EXPECT_EQ(prompts_.offers.size(), 2);

    // A later version is offered again.
    server.answerWith("0.3.0");
    checkSilently(checker);
    ASSERT_EQ(prompts_.offers.size(), 3);
    EXPECT_EQ(prompts_.offers.back().second, QStringLiteral("0.3.0"));
}

TEST_F(UpdateCheck, NoWithoutTheCheckBoxKeepsOffering) {
    LoopbackHttpServer server;
    server.answerWith("0.2.0");
    UpdateChecker checker(settingsFor(server.url()), prompts_);
    prompts_.answer = UpdateAnswer::NotNow;
    checkSilently(checker);
    checkSilently(checker);
    EXPECT_EQ(prompts_.offers.size(), 2);
    EXPECT_EQ(AppSettings(settingsFile()).skippedVersion(), "");
}

TEST_F(UpdateCheck, ATwelveByteAnswerIsRefused) {
    LoopbackHttpServer server;
    server.answerWith("0.1.0-beta.2");
    UpdateChecker checker(settingsFor(server.url()), prompts_);

    checkSilently(checker);
    EXPECT_TRUE(prompts_.offers.isEmpty());
    EXPECT_TRUE(prompts_.messages.isEmpty());

    checkFromMenu(checker);
    EXPECT_TRUE(prompts_.offers.isEmpty());
    EXPECT_EQ(prompts_.messages, QStringList{kUnreadable});
}

TEST_F(UpdateCheck, ALongPageIsRefusedWithoutReadingItAll) {
    LoopbackHttpServer server;
    server.answerWith("<!DOCTYPE html>" + QByteArray(100'000, 'x'));
    UpdateChecker checker(settingsFor(server.url()), prompts_);
    checkFromMenu(checker);
    EXPECT_EQ(prompts_.messages, QStringList{kUnreadable});
}

TEST_F(UpdateCheck, AnErrorStatusCountsAsNoConnection) {
    LoopbackHttpServer server;
    server.answerWith("0.2.0", 404);
    UpdateChecker checker(settingsFor(server.url()), prompts_);

    checkSilently(checker);
    EXPECT_TRUE(prompts_.offers.isEmpty());
    EXPECT_TRUE(prompts_.messages.isEmpty());

    checkFromMenu(checker);
    EXPECT_TRUE(prompts_.offers.isEmpty());
    EXPECT_EQ(prompts_.messages, QStringList{kNoNetwork});
}

TEST_F(UpdateCheck, NoServerIsSilentAtStartUpAndReportedFromTheMenu) {
    UpdateChecker checker(settingsFor(LoopbackHttpServer::addressWithoutServer()), prompts_);

    checkSilently(checker);
    EXPECT_TRUE(prompts_.messages.isEmpty());

    checkFromMenu(checker);
    EXPECT_EQ(prompts_.messages, QStringList{kNoNetwork});
    EXPECT_TRUE(prompts_.offers.isEmpty());
}

TEST_F(UpdateCheck, AServerThatNeverAnswersIsGivenUpWhileTheEditorGoesOn) {
    LoopbackHttpServer server;
    server.neverAnswer();
    UpdateChecker checker(settingsFor(server.url()), prompts_);
    checker.setTimeoutMs(kShortTimeoutMs);

    // The check returns at once; the editor's own events keep running while it waits.
    QStringList order;
    QObject::connect(&checker, &UpdateChecker::checkFinished, [&] { order.append(QStringLiteral("check")); });
    QSignalSpy finished(&checker, &UpdateChecker::checkFinished);
    checker.checkFromMenu();
    EXPECT_TRUE(checker.isChecking());
    EXPECT_TRUE(prompts_.messages.isEmpty());
    QTimer::singleShot(0, [&] { order.append(QStringLiteral("editor")); });
    ASSERT_TRUE(finished.wait(kHangGuardMs));

    EXPECT_EQ(order, (QStringList{QStringLiteral("editor"), QStringLiteral("check")}));
    EXPECT_EQ(server.requests().size(), 1);
    EXPECT_EQ(prompts_.messages, QStringList{kNoNetwork});

    checkSilently(checker);
    EXPECT_EQ(prompts_.messages.size(), 1);
}

TEST_F(UpdateCheck, TheMenuTakesOverAStartUpCheckStillWaiting) {
    LoopbackHttpServer server;
    server.answerWith("0.1.0");
    UpdateChecker checker(settingsFor(server.url()), prompts_);
    QSignalSpy finished(&checker, &UpdateChecker::checkFinished);
    checker.checkSilently();
    checkFromMenu(checker);
    // One request, reported as the menu's check.
    EXPECT_EQ(server.requests().size(), 1);
    EXPECT_EQ(prompts_.messages, QStringList{kUpToDate});
    EXPECT_EQ(finished.size(), 1);
}

TEST_F(UpdateCheck, AnEmptyAddressSwitchesTheCheckOff) {
    AppSettings settings(settingsFile()); // no data.prm: every key at its default
    UpdateChecker checker(settings, prompts_);

    checkSilently(checker);
    EXPECT_TRUE(prompts_.messages.isEmpty());

    checkFromMenu(checker);
    EXPECT_EQ(prompts_.messages, QStringList{QStringLiteral("アップデートの確認先が設定されていません。")});
    EXPECT_TRUE(prompts_.offers.isEmpty());
}

TEST_F(UpdateCheck, AnAddressThatIsNotAUrlCountsAsNoConnection) {
    UpdateChecker checker(settingsFor(QUrl(QStringLiteral("no-such-scheme:version"))), prompts_);
    checkFromMenu(checker);
    EXPECT_EQ(prompts_.messages, QStringList{kNoNetwork});
}

} // namespace
} // namespace vintrel
