// "背景の設定" driven through its controls: which fields apply to which kind, OK refused without a
// file, the chooser's answer taken, and every field named for screen readers.
#include "ui/dialogs/backdrop_dialog.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <gtest/gtest.h>

namespace vintrel {
namespace {

using Kind = ViewBackdrop::Kind;

TEST(BackdropDialog, FieldsFollowTheKindAndOkNeedsAFile) {
    std::vector<Kind> asked;
    BackdropDialog dialog({}, [&](Kind kind, const QString&) -> std::optional<QString> {
        asked.push_back(kind);
        return QStringLiteral("/pictures/堤防.png");
    });
    EXPECT_EQ(dialog.kindList()->accessibleName(), QStringLiteral("表示"));
    EXPECT_EQ(dialog.fileField()->accessibleName(), QStringLiteral("ファイル"));
    EXPECT_EQ(dialog.frameField()->accessibleName(), QStringLiteral("フレーム番号"));

    struct Step {
        int kind;
        bool fileOn, frameOn, okOn;
    };
    // The colour and the checkerboard need nothing more; a picture needs its file first.
    const Step steps[] = {{0, false, false, true}, {1, false, false, true}, {2, true, false, false}, {3, true, true, false}};
    for (const Step& step : steps) {
        dialog.kindList()->setCurrentIndex(step.kind);
        EXPECT_EQ(dialog.fileField()->isEnabled(), step.fileOn) << step.kind;
        EXPECT_EQ(dialog.browseButton()->isEnabled(), step.fileOn) << step.kind;
        EXPECT_EQ(dialog.frameField()->isEnabled(), step.frameOn) << step.kind;
        EXPECT_EQ(dialog.okButton()->isEnabled(), step.okOn) << step.kind;
    }

    QTest::mouseClick(dialog.browseButton(), Qt::LeftButton);
    EXPECT_EQ(asked, std::vector<Kind>{Kind::VideoFrame});
    EXPECT_TRUE(dialog.okButton()->isEnabled());
    dialog.frameField()->setValue(90);
    EXPECT_EQ(dialog.backdrop(), (ViewBackdrop{Kind::VideoFrame, "/pictures/堤防.png", 90}));
    // A picture keeps the file but not the frame; the checkerboard keeps neither.
    dialog.kindList()->setCurrentIndex(2);
    EXPECT_EQ(dialog.backdrop(), (ViewBackdrop{Kind::Image, "/pictures/堤防.png", 0}));
    dialog.kindList()->setCurrentIndex(1);
    EXPECT_EQ(dialog.backdrop(), (ViewBackdrop{Kind::Checkerboard, "", 0}));
}

TEST(BackdropDialog, OpensWithTheProjectsBackdropAndACancelledChooserChangesNothing) {
    BackdropDialog dialog({Kind::Image, "/a/b.jpg", 0}, [](Kind, const QString&) { return std::optional<QString>(); });
    EXPECT_EQ(dialog.kindList()->currentIndex(), 2);
    EXPECT_EQ(dialog.fileField()->text(), QStringLiteral("/a/b.jpg"));
    QTest::mouseClick(dialog.browseButton(), Qt::LeftButton);
    EXPECT_EQ(dialog.backdrop(), (ViewBackdrop{Kind::Image, "/a/b.jpg", 0}));
    dialog.fileField()->setText(QStringLiteral("   "));
    EXPECT_FALSE(dialog.okButton()->isEnabled()) << "spaces are no file";
}

} // namespace
} // namespace vintrel
