// The update dialog and the version dialog as the user sees them.

#include "ui/dialogs/update_dialog.h"
#include "ui/dialogs/version_dialog.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <algorithm>
#include <gtest/gtest.h>
#include <ostream>

namespace vintrel {
namespace {

// The widgets of `dialog` whose accessible name is `name`.
template <typename Widget> QList<Widget*> named(QWidget& dialog, const QString& name) {
    QList<Widget*> found;
    for (Widget* w : dialog.findChildren<Widget*>()) {
        if (w->accessibleName() == name) {
            found.append(w);
        }
    }
    return found;
}

// ---- update dialog -----------------------------------------------------------------------------

TEST(UpdateDialog, ShowsTheQuestionTheTwoVersionsAndItsControls) {
    UpdateDialog dialog(QStringLiteral("0.1.0"), QStringLiteral("0.2.0"));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Vintrel　アップデート確認"));
    EXPECT_EQ(dialog.accessibleName(), dialog.windowTitle());
    EXPECT_EQ(
        named<QLabel>(dialog, QStringLiteral("新しいバージョンが公開されています。アップデートしますか？"))
            .size(),
        1);
    EXPECT_EQ(dialog.versionLine().text(), QStringLiteral("【現在】0.1.0 ⇒ 【新】0.2.0"));
    EXPECT_EQ(dialog.versionLine().accessibleName(), dialog.versionLine().text());
    EXPECT_EQ(named<QCheckBox>(dialog, QStringLiteral("このバージョンでは通知しない")),
              QList<QCheckBox*>{&dialog.skipThisVersion()});
    EXPECT_FALSE(dialog.skipThisVersion().isChecked());
    EXPECT_EQ(named<QPushButton>(dialog, QStringLiteral("OK")), QList<QPushButton*>{&dialog.okButton()});
    EXPECT_EQ(named<QPushButton>(dialog, QStringLiteral("いいえ")), QList<QPushButton*>{&dialog.noButton()});
    EXPECT_TRUE(dialog.okButton().isDefault());
}

TEST(UpdateDialog, VersionsArePutInAsTheyStand) {
    EXPECT_EQ(updateVersionLine(QStringLiteral("1.%2"), QStringLiteral("%1.0")),
              QStringLiteral("【現在】1.%2 ⇒ 【新】%1.0"));
    EXPECT_EQ(updateVersionLine(QString(), QStringLiteral("0.2.0")),
              QStringLiteral("【現在】 ⇒ 【新】0.2.0"));
}

struct Ending {
    const char* name;
    bool ticked;
    void (*leave)(UpdateDialog&);
    UpdateAnswer expected;
};

void clickOk(UpdateDialog& d) {
    QTest::mouseClick(&d.okButton(), Qt::LeftButton);
}
void clickNo(UpdateDialog& d) {
    QTest::mouseClick(&d.noButton(), Qt::LeftButton);
}
void closeWithEscape(UpdateDialog& d) {
    QTest::keyClick(&d, Qt::Key_Escape);
}

void PrintTo(const Ending& ending, std::ostream* out) {
    *out << ending.name;
}

class UpdateDialogEnding : public testing::TestWithParam<Ending> {};

TEST_P(UpdateDialogEnding, GivesTheAnswer) {
    UpdateDialog dialog(QStringLiteral("0.1.0"), QStringLiteral("0.2.0"));
    dialog.show();
    if (GetParam().ticked) {
        QTest::mouseClick(&dialog.skipThisVersion(), Qt::LeftButton, {},
                          dialog.skipThisVersion().rect().bottomLeft() + QPoint(4, -4));
        ASSERT_TRUE(dialog.skipThisVersion().isChecked());
    }
    GetParam().leave(dialog);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.answer(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Endings, UpdateDialogEnding,
    testing::Values(Ending{"Ok", false, clickOk, UpdateAnswer::Update},
                    // The check box only counts with "いいえ".
                    Ending{"OkTicked", true, clickOk, UpdateAnswer::Update},
                    Ending{"No", false, clickNo, UpdateAnswer::NotNow},
                    Ending{"NoTicked", true, clickNo, UpdateAnswer::SkipThisVersion},
                    Ending{"EscapeTicked", true, closeWithEscape, UpdateAnswer::SkipThisVersion},
                    Ending{"Escape", false, closeWithEscape, UpdateAnswer::NotNow}),
    [](const testing::TestParamInfo<Ending>& info) { return std::string(info.param.name); });

// ---- version dialog ----------------------------------------------------------------------------

TEST(VersionDialog, ShowsTheProgramItsVersionAndTheHistory) {
    const QString previous = QCoreApplication::applicationVersion();
    QCoreApplication::setApplicationVersion(QStringLiteral("9.8.7"));
    VersionDialog dialog;
    QCoreApplication::setApplicationVersion(previous);

    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("バージョン情報"));
    EXPECT_EQ(dialog.accessibleName(), dialog.windowTitle());
    const QList<QLabel*> programName = named<QLabel>(dialog, QStringLiteral("Vintrel"));
    EXPECT_EQ(std::count_if(programName.begin(), programName.end(),
                            [](const QLabel* label) { return label->text() == QStringLiteral("Vintrel"); }),
              1);
    EXPECT_EQ(dialog.versionLabel().text(), QStringLiteral("バージョン 9.8.7"));
    EXPECT_EQ(named<QLabel>(dialog, QStringLiteral("＜更新履歴＞")).size(), 1);
    EXPECT_EQ(named<QPlainTextEdit>(dialog, QStringLiteral("＜更新履歴＞")),
              QList<QPlainTextEdit*>{&dialog.history()});
    EXPECT_EQ(dialog.history().toPlainText(), versionHistoryText());
    EXPECT_TRUE(dialog.history().isReadOnly());
    EXPECT_EQ(named<QPushButton>(dialog, QStringLiteral("OK")), QList<QPushButton*>{&dialog.okButton()});

    dialog.show();
    QTest::mouseClick(&dialog.okButton(), Qt::LeftButton);
    EXPECT_FALSE(dialog.isVisible());
}

TEST(VersionDialog, TheHistoryCoversThisVersion) {
    const QString history = versionHistoryText();
    ASSERT_FALSE(history.isEmpty()) << "the change history is not built into the program";
    EXPECT_TRUE(history.startsWith(QStringLiteral("Ver " VINTREL_VERSION "\n"))) << history.toStdString();
}

} // namespace
} // namespace vintrel
