// The project, camera and mask settings dialogs on the off-screen platform: what they show when
// opened, what OK, Cancel and every edit store through the document, the enable rule of the
// camera fields and the messages for values that cannot be stored.
#include "persist/app_settings.h"
#include "support/test_files.h"
#include "support/test_notifiers.h"
#include "support/test_projects.h"
#include "ui/controls/numeric_field.h"
#include "ui/dialogs/camera_settings_dialog.h"
#include "ui/dialogs/mask_settings_dialog.h"
#include "ui/dialogs/project_settings_dialog.h"
#include "ui/document/project_document.h"
#include "ui/panels/spinner_buttons.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <gtest/gtest.h>

namespace vintrel {
namespace {

using test::TempDir;

class SettingsDialogTest : public testing::Test {
protected:
    SettingsDialogTest() {
        test::startProject(g, dir.path() / "run");
        document = std::make_unique<ProjectDocument>(g, defaults, notifier);
    }

    static void type(NumericField* field, const QString& text) {
        field->clear();
        QTest::keyClicks(field, text);
    }
    std::size_t historySize() const { return document->history().entries().size(); }

    TempDir dir;
    GlobalState g;
    BuiltInProjectDefaults defaults;
    test::RecordingNotifier notifier;
    std::unique_ptr<ProjectDocument> document;
};

// ---- project settings ----------------------------------------------------------------------

class ProjectSettingsDialogTest : public SettingsDialogTest {
protected:
    ProjectSettingsDialog& open() {
        dialog = std::make_unique<ProjectSettingsDialog>(*document, settings, notifier, nullptr);
        dialog->show();
        return *dialog;
    }
    NumericField* field(ProjectNumber which) const { return dialog->numberField(which); }

    AppSettings settings{dir.path() / "assets" / "data.prm"};
    std::unique_ptr<ProjectSettingsDialog> dialog;
};

TEST_F(ProjectSettingsDialogTest, OpensWithTheProjectsValuesUnderTheirNames) {
    open();
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("プロジェクトの設定"));
    EXPECT_EQ(dialog->accessibleName(), QStringLiteral("プロジェクトの設定"));
    const std::pair<ProjectNumber, const char*> names[] = {{ProjectNumber::Frame, "フレーム数"},
                                                           {ProjectNumber::Fps, "プレビュー速度"},
                                                           {ProjectNumber::Width, "幅"},
                                                           {ProjectNumber::Height, "高さ"}};
    for (const auto& [which, name] : names) {
        EXPECT_EQ(field(which)->accessibleName(), QString::fromUtf8(name));
    }
    EXPECT_EQ(field(ProjectNumber::Frame)->text(), QStringLiteral("60"));
    EXPECT_EQ(field(ProjectNumber::Fps)->text(), QStringLiteral("60"));
    EXPECT_EQ(field(ProjectNumber::Width)->text(), QStringLiteral("128"));
    EXPECT_EQ(field(ProjectNumber::Height)->text(), QStringLiteral("128"));
    EXPECT_TRUE(dialog->checkBox(ProjectCheck::Sort)->isChecked());
    EXPECT_FALSE(dialog->checkBox(ProjectCheck::Reverse)->isChecked());
    EXPECT_FALSE(dialog->checkBox(ProjectCheck::NonLiner)->isChecked());
    EXPECT_EQ(dialog->checkBox(ProjectCheck::NonLiner)->accessibleName(),
              QStringLiteral("画像を滑らかにしない"));
    EXPECT_EQ(dialog->defaultsButton()->accessibleName(), QStringLiteral("この設定をデフォルトにする"));
    EXPECT_EQ(dialog->cancelButton()->text(), QStringLiteral("キャンセル"));
}

TEST_F(ProjectSettingsDialogTest, OkStoresTheValuesAndTheWholeEffectAsTheExportRange) {
    g.write.start = 5;
    g.write.end = 9;
    open();
    type(field(ProjectNumber::Frame), QStringLiteral("99"));
    type(field(ProjectNumber::Fps), QStringLiteral("30"));
    type(field(ProjectNumber::Width), QStringLiteral("256"));
    type(field(ProjectNumber::Height), QStringLiteral("64"));
    dialog->checkBox(ProjectCheck::Reverse)->click();
    dialog->checkBox(ProjectCheck::Sort)->click();
    QTest::mouseClick(dialog->okButton(), Qt::LeftButton);

    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(g.project.frame, 99);
    EXPECT_EQ(g.project.fps, 30);
    EXPECT_EQ(g.project.width, 256);
    EXPECT_EQ(g.project.height, 64);
    EXPECT_EQ(g.project.reverse, 1);
    EXPECT_EQ(g.project.sort, 0);
    EXPECT_EQ(g.project.isNonLiner, 0);
    EXPECT_EQ(g.write.start, 1);
    EXPECT_EQ(g.write.end, 99);
    EXPECT_EQ(g.write.width, 10); // ⌈√99⌉
    EXPECT_TRUE(document->isModified());
    EXPECT_EQ(historySize(), 1u); // a project setting, not an undoable edit
    EXPECT_TRUE(notifier.messages.empty());
}

TEST_F(ProjectSettingsDialogTest, FieldsReadTheirFirstFourCharacters) {
    open();
    type(field(ProjectNumber::Frame), QStringLiteral("12345"));
    QTest::mouseClick(dialog->okButton(), Qt::LeftButton);
    EXPECT_EQ(g.project.frame, 1234);
    EXPECT_EQ(g.write.end, 1234);
    EXPECT_EQ(g.write.width, 36); // 35² = 1225 < 1234 ≤ 36²
}

TEST_F(ProjectSettingsDialogTest, CancelChangesNothing) {
    const WriteSettings write = g.write;
    open();
    type(field(ProjectNumber::Frame), QStringLiteral("10"));
    dialog->checkBox(ProjectCheck::NonLiner)->click();
    QTest::mouseClick(dialog->cancelButton(), Qt::LeftButton);
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(g.project.frame, 60);
    EXPECT_EQ(g.project.isNonLiner, 0);
    EXPECT_EQ(g.write.end, write.end);
    EXPECT_EQ(g.write.width, write.width);
    EXPECT_FALSE(document->isModified());
}

TEST_F(ProjectSettingsDialogTest, AValueOutsideItsRangeIsReportedAndNothingIsStored) {
    open();
    type(field(ProjectNumber::Frame), QStringLiteral("0"));
    type(field(ProjectNumber::Fps), QStringLiteral("500"));
    QTest::mouseClick(dialog->okButton(), Qt::LeftButton);
    ASSERT_EQ(notifier.messages.size(), 1u);
    EXPECT_EQ(notifier.messages[0].first, "設定を修正してください。");
    EXPECT_EQ(notifier.messages[0].second, "フレーム数は1～9999の範囲で入力してください。");
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(g.project.frame, 60);
    EXPECT_FALSE(document->isModified());

    type(field(ProjectNumber::Frame), QStringLiteral("30"));
    QTest::mouseClick(dialog->okButton(), Qt::LeftButton);
    ASSERT_EQ(notifier.messages.size(), 2u);
    EXPECT_EQ(notifier.messages[1].second, "プレビュー速度は1～120の範囲で入力してください。");
    EXPECT_EQ(g.project.fps, 60);
    // What was typed is still there to be corrected.
    EXPECT_EQ(field(ProjectNumber::Fps)->text(), QStringLiteral("500"));
}

TEST_F(ProjectSettingsDialogTest, DefaultsButtonWritesTheSevenKeysAndTheDialogStaysOpen) {
    open();
    type(field(ProjectNumber::Frame), QStringLiteral("100"));
    type(field(ProjectNumber::Fps), QStringLiteral("30"));
    type(field(ProjectNumber::Width), QStringLiteral("320"));
    type(field(ProjectNumber::Height), QStringLiteral("240"));
    dialog->checkBox(ProjectCheck::Sort)->click();
    dialog->checkBox(ProjectCheck::Reverse)->click();
    dialog->checkBox(ProjectCheck::NonLiner)->click();
    QTest::mouseClick(dialog->defaultsButton(), Qt::LeftButton);

    EXPECT_TRUE(dialog->isVisible());
    EXPECT_TRUE(notifier.messages.empty());
    const AppSettings saved(settings.file());
    EXPECT_EQ(saved.value("FRAME", -1), 100);
    EXPECT_EQ(saved.value("SPEED", -1), 30);
    EXPECT_EQ(saved.value("WIDTH", -1), 320);
    EXPECT_EQ(saved.value("HEIGHT", -1), 240);
    EXPECT_EQ(saved.value("SORT", -1), 0);
    EXPECT_EQ(saved.value("REVERSE", -1), 1);
    EXPECT_EQ(saved.value("NON_LINER", -1), 1);
    // The project itself changes only on OK.
    EXPECT_EQ(g.project.frame, 60);
    EXPECT_FALSE(document->isModified());
}

TEST_F(ProjectSettingsDialogTest, DefaultsThatCannotBeSavedAreReported) {
    test::writeFile(dir.path() / "blocker", "a file where the settings folder would be");
    AppSettings blocked(dir.path() / "blocker" / "data.prm");
    ProjectSettingsDialog shown(*document, blocked, notifier, nullptr);
    shown.show();
    QTest::mouseClick(shown.defaultsButton(), Qt::LeftButton);
    ASSERT_EQ(notifier.messages.size(), 1u);
    EXPECT_NE(notifier.messages[0].second.find("デフォルトの設定を保存できませんでした。"),
              std::string::npos);
    EXPECT_TRUE(shown.isVisible());
}

TEST_F(ProjectSettingsDialogTest, InvalidDefaultsAreNotWritten) {
    open();
    type(field(ProjectNumber::Width), QStringLiteral("4096"));
    QTest::mouseClick(dialog->defaultsButton(), Qt::LeftButton);
    ASSERT_EQ(notifier.messages.size(), 1u);
    EXPECT_EQ(notifier.messages[0].second, "書き出しサイズの幅は1～2048の範囲で入力してください。");
    EXPECT_FALSE(std::filesystem::exists(settings.file()));
}

// ---- camera settings -----------------------------------------------------------------------

class CameraSettingsDialogTest : public SettingsDialogTest {
protected:
    CameraSettingsDialog& open() {
        dialog = std::make_unique<CameraSettingsDialog>(*document, nullptr);
        dialog->show();
        return *dialog;
    }
    void expectFieldsEnabled(bool enabled) const {
        for (std::size_t i = 0; i < kCameraFields.size(); ++i) {
            EXPECT_EQ(dialog->field(i)->isEnabled(), enabled) << i;
            EXPECT_EQ(dialog->spinner(i)->isEnabled(), enabled) << i;
        }
    }

    std::unique_ptr<CameraSettingsDialog> dialog;
};

TEST_F(CameraSettingsDialogTest, ShowsTheViewCameraInTenths) {
    document->requestViewCamera({{0, 5, -10}, {0.25f, -1.5f, 0}});
    open();
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("カメラの設定"));
    const char* expected[] = {"0", "50", "-100", "2", "-15", "0"};
    for (std::size_t i = 0; i < kCameraFields.size(); ++i) {
        EXPECT_EQ(dialog->field(i)->text(), QString::fromLatin1(expected[i])) << i;
    }
    EXPECT_EQ(dialog->field(0)->accessibleName(), QStringLiteral("左右"));
    EXPECT_EQ(dialog->field(2)->accessibleName(), QStringLiteral("前後"));
    EXPECT_EQ(dialog->field(0)->parentWidget()->accessibleName(), QStringLiteral("カメラ位置（視点）"));
    EXPECT_EQ(dialog->field(4)->parentWidget()->accessibleName(), QStringLiteral("注視点（焦点）"));
    EXPECT_FALSE(dialog->cameraMoveCheck()->isChecked());
    expectFieldsEnabled(true);
}

TEST_F(CameraSettingsDialogTest, EditsMoveTheViewCameraAtOnce) {
    open();
    type(dialog->field(0), QStringLiteral("25"));
    EXPECT_EQ(document->viewCamera().eye.x, 2.5f);
    dialog->spinner(4)->step(1); // look-at y: 0 → 1 tenth
    ViewCameraPose pose = document->viewCamera();
    EXPECT_EQ(pose.target.y, 0.1f);
    // The earlier edit stays: each edit changes its own coordinate only.
    EXPECT_EQ(pose.eye.x, 2.5f);
    EXPECT_EQ(pose.eye.y, 5.0f);
    EXPECT_EQ(pose.eye.z, -10.0f);
    type(dialog->field(2), QStringLiteral("-999"));
    EXPECT_FLOAT_EQ(document->viewCamera().eye.z, -99.9f);
    EXPECT_EQ(historySize(), 1u); // the camera is no undoable edit
}

TEST_F(CameraSettingsDialogTest, OpeningWithCameraMoveOnDisablesTheSixEdits) {
    g.project.isCameraMove = 1;
    open();
    EXPECT_TRUE(dialog->cameraMoveCheck()->isChecked());
    expectFieldsEnabled(false);
}

TEST_F(CameraSettingsDialogTest, CameraMoveGoesThroughTheHistory) {
    open();
    dialog->cameraMoveCheck()->click();
    EXPECT_EQ(g.project.isCameraMove, 1);
    ASSERT_EQ(historySize(), 2u);
    EXPECT_EQ(std::get<History::ValueEdit>(document->history().entries().back().edit).target,
              ValueTarget(projectFieldId("g.project.isCameraMove")));
    expectFieldsEnabled(false);

    document->undo();
    EXPECT_EQ(g.project.isCameraMove, 0);
    EXPECT_FALSE(dialog->cameraMoveCheck()->isChecked());
    expectFieldsEnabled(true);
}

// ---- mask settings -------------------------------------------------------------------------

class MaskSettingsDialogTest : public SettingsDialogTest {
protected:
    MaskSettingsDialog& open() {
        dialog = std::make_unique<MaskSettingsDialog>(*document, nullptr);
        dialog->show();
        return *dialog;
    }
    NumericField* field(MaskNumber which) const { return dialog->numberField(which); }

    std::unique_ptr<MaskSettingsDialog> dialog;
};

TEST_F(MaskSettingsDialogTest, AnUnsetMaskOpensWithTheProjectSize) {
    g.project.width = 320;
    g.project.height = 200;
    for (const int width : {MaskSettings::kUnset, 0}) {
        g.mask.w = width;
        open();
        EXPECT_EQ(field(MaskNumber::Width)->text(), QStringLiteral("320")) << width;
        EXPECT_EQ(field(MaskNumber::Height)->text(), QStringLiteral("200")) << width;
    }
    g.mask.w = 40;
    g.mask.h = 30;
    open();
    EXPECT_EQ(field(MaskNumber::Width)->text(), QStringLiteral("40"));
    EXPECT_EQ(field(MaskNumber::Height)->text(), QStringLiteral("30"));
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("マスクの設定"));
    EXPECT_EQ(dialog->pictureList()->accessibleName(), QStringLiteral("マスク画像"));
    EXPECT_EQ(dialog->opacitySlider()->value(), 180);
}

TEST_F(MaskSettingsDialogTest, PicturesAreNoneThenTheTexturesUpToTheFirstModel) {
    g.materials = {{"smoke", Material::Texture},
                   {"spark", Material::Texture},
                   {"rock", Material::Model},
                   {"late", Material::Texture}};
    g.mask.texID = 2;
    open();
    QComboBox* list = dialog->pictureList();
    ASSERT_EQ(list->count(), 3);
    EXPECT_EQ(list->itemText(0), QStringLiteral("なし"));
    EXPECT_EQ(list->itemText(1), QStringLiteral("smoke"));
    EXPECT_EQ(list->itemText(2), QStringLiteral("spark"));
    EXPECT_EQ(list->currentIndex(), 2);
}

TEST_F(MaskSettingsDialogTest, EditsAreStoredWhenTheDialogCloses) {
    g.materials = {{"smoke", Material::Texture}, {"spark", Material::Texture}};
    open();
    dialog->pictureList()->setCurrentIndex(1);
    emit dialog->pictureList()->activated(1);
    type(field(MaskNumber::X), QStringLiteral("-1234"));
    type(field(MaskNumber::Y), QStringLiteral("56"));
    dialog->displayCheck()->click();
    dialog->opacitySlider()->setValue(100);
    EXPECT_EQ(g.mask.x, 0); // nothing is stored while the dialog is open
    EXPECT_FALSE(document->isModified());

    QTest::mouseClick(dialog->okButton(), Qt::LeftButton);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(g.mask.texID, 1);
    EXPECT_EQ(g.mask.x, -1234); // the position reads five characters, so -9999 reads back
    EXPECT_EQ(g.mask.y, 56);
    EXPECT_EQ(g.mask.w, 128);
    EXPECT_EQ(g.mask.h, 128);
    EXPECT_EQ(g.mask.isDisp, 0);
    EXPECT_EQ(g.mask.alpha, 100);
    EXPECT_TRUE(document->isModified());
}

TEST_F(MaskSettingsDialogTest, ClosingWithoutOkKeepsTheEditsToo) {
    g.mask.w = 50;
    g.mask.h = 50;
    open();
    dialog->opacitySlider()->setValue(7);
    dialog->reject();
    EXPECT_EQ(g.mask.alpha, 7);
}

TEST_F(MaskSettingsDialogTest, ClosingAnUnchangedMaskStoresNothing) {
    g.mask.w = 50;
    g.mask.h = 50;
    g.mask.alpha = 300; // beyond the slider: shown at its end, kept unless the slider moves
    open();
    QTest::mouseClick(dialog->okButton(), Qt::LeftButton);
    EXPECT_FALSE(document->isModified());
    EXPECT_EQ(g.mask.alpha, 300);
}

} // namespace
} // namespace vintrel
