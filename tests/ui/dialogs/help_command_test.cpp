// The help command with real settings files and README files.

#include "persist/app_settings.h"
#include "recording_online_prompts.h"
#include "support/test_files.h"
#include "ui/dialogs/help_command.h"

#include <gtest/gtest.h>

namespace vintrel {
namespace {

namespace fs = std::filesystem;

class HelpCommand : public testing::Test {
protected:
    fs::path programFolder() const { return tmp_.path() / "usr" / "bin"; }
    fs::path settingsFile() const { return tmp_.path() / "data.prm"; }

    void open() {
        const AppSettings settings(settingsFile());
        openHelp(settings, programFolder(), prompts_);
    }

    test::TempDir tmp_;
    test::RecordingOnlinePrompts prompts_;
};

TEST_F(HelpCommand, OpensTheHelpAddressOfTheSettings) {
    test::writeFile(settingsFile(), "[HELP]\r\nURL=https://example.org/vintrel/help\r\n");
    test::writeFile(programFolder() / "README.md", "# Vintrel\n");
    open();
    EXPECT_EQ(prompts_.openedUrls, QList<QUrl>{QUrl(QStringLiteral("https://example.org/vintrel/help"))});
    EXPECT_TRUE(prompts_.messages.isEmpty());
}

TEST_F(HelpCommand, WithoutAnAddressOpensTheInstalledReadme) {
    const fs::path readme = tmp_.path() / "usr" / "share" / "doc" / "vintrel" / "README.md";
    test::writeFile(readme, "# Vintrel\n");
    open();
    EXPECT_EQ(prompts_.openedUrls, QList<QUrl>{QUrl::fromLocalFile(QString::fromStdString(readme.string()))});
}

TEST_F(HelpCommand, AFolderNamedLikeTheReadmeIsNoReadme) {
    fs::create_directories(programFolder() / "README.md");
    open();
    EXPECT_TRUE(prompts_.openedUrls.isEmpty());
    EXPECT_EQ(prompts_.messages, QStringList{QStringLiteral("ヘルプが見つかりません。")});
}

TEST_F(HelpCommand, APageThatCannotBeOpenedIsReportedWithItsAddress) {
    test::writeFile(settingsFile(), "[HELP]\r\nURL=https://example.org/vintrel/help\r\n");
    prompts_.browserWorks = false;
    open();
    EXPECT_EQ(prompts_.messages,
              QStringList{QStringLiteral("ページを開けません。\nhttps://example.org/vintrel/help")});
}

} // namespace
} // namespace vintrel
