#include "ui/dialogs/camera_settings_dialog.h"

#include "ui/controls/numeric_field.h"
#include "ui/controls/widget_text_fit.h"
#include "ui/dialogs/dialog_form_builder.h"
#include "ui/document/project_document.h"
#include "ui/panels/spinner_buttons.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QFrame>
#include <QGroupBox>
#include <QPushButton>

namespace vintrel {

namespace {

constexpr const char* kContext = "vintrel::CameraSettingsDialog";
constexpr ProjectFieldId kCameraMove = projectFieldId("g.project.isCameraMove");

constexpr int kDialogWidthDu = 174;
constexpr int kDialogHeightDu = 88;

// The two frames, one per point, each holding three rows (left-right, up-down, front-back).
struct PointFrame {
    CameraPoint point;
    const char* caption;
    DuRect rect;
};
constexpr std::array<PointFrame, 2> kPointFrames{{
    {CameraPoint::Eye,
     QT_TRANSLATE_NOOP("vintrel::CameraSettingsDialog", "カメラ位置（視点）"),
     {6, 6, 78, 54}},
    {CameraPoint::Target,
     QT_TRANSLATE_NOOP("vintrel::CameraSettingsDialog", "注視点（焦点）"),
     {90, 6, 78, 54}},
}};
constexpr std::array<const char*, 3> kAxisLabels{
    QT_TRANSLATE_NOOP("vintrel::CameraSettingsDialog", "左右"),
    QT_TRANSLATE_NOOP("vintrel::CameraSettingsDialog", "上下"),
    QT_TRANSLATE_NOOP("vintrel::CameraSettingsDialog", "前後"),
};
constexpr int kFirstRowYDu = 18;
constexpr int kRowStepDu = 14;
constexpr int kLabelInsetDu = 6;
constexpr int kLabelDropDu = 2;
constexpr int kFieldInsetDu = 30;
constexpr int kFieldWidthDu = 42;
constexpr int kFieldHeightDu = 12;

constexpr DuRect kSeparatorRect{6, 64, 162, 1};
constexpr DuRect kCameraMoveRect{6, 70, 0, 0};
constexpr DuRect kOkRect{114, 68, 54, 14};

QString translated(const char* text) {
    return QCoreApplication::translate(kContext, text);
}

const PointFrame& frameOf(CameraPoint point) {
    return kPointFrames[point == CameraPoint::Eye ? 0 : 1];
}

} // namespace

CameraSettingsDialog::CameraSettingsDialog(ProjectDocument& document, QWidget* parent)
    : QDialog(parent), document_(document), pose_(document.viewCamera()) {
    setWindowTitle(tr("カメラの設定"));
    setAccessibleName(windowTitle());
    build();
    // Laid out for the Japanese texts; longer translations get their room.
    fitDialogTexts(*this);
    showPose();
    showCameraMove();
    connect(&document_, &ProjectDocument::projectValueChanged, this, [this](ProjectFieldId field) {
        if (field == kCameraMove) {
            showCameraMove();
        }
    });
    connect(&document_, &ProjectDocument::historyChanged, this, &CameraSettingsDialog::showCameraMove);
    connect(&document_, &ProjectDocument::projectChanged, this, &CameraSettingsDialog::showCameraMove);
}

void CameraSettingsDialog::build() {
    DialogFormBuilder form(*this);
    form.fixSize(kDialogWidthDu, kDialogHeightDu);
    std::array<QGroupBox*, kPointFrames.size()> frames{};
    for (std::size_t i = 0; i < kPointFrames.size(); ++i) {
        frames[i] = form.frame(translated(kPointFrames[i].caption), kPointFrames[i].rect);
    }
    for (std::size_t i = 0; i < kCameraFields.size(); ++i) {
        const CameraField field = kCameraFields[i];
        const PointFrame& frame = frameOf(field.point);
        QGroupBox* box = frames[field.point == CameraPoint::Eye ? 0 : 1];
        const int row = static_cast<int>(field.axis);
        const int y = kFirstRowYDu + row * kRowStepDu;
        const QString label = translated(kAxisLabels[static_cast<std::size_t>(row)]);
        form.label(label, {frame.rect.x + kLabelInsetDu, y + kLabelDropDu, 0, 0}, box);
        const NumberControls number = form.number(
            label, {frame.rect.x + kFieldInsetDu, y, kFieldWidthDu, kFieldHeightDu}, kCameraFieldRange, box);
        fields_[i] = number.field;
        spinners_[i] = number.spinner;
        connect(number.field, &NumericField::valueEdited, this,
                [this, i](int tenths) { writeCoordinate(i, tenths); });
        connect(number.spinner, &SpinnerButtons::stepped, this,
                [this, i](int tenths) { writeCoordinate(i, tenths); });
    }
    auto* separator = new QFrame(this);
    separator->setFrameShape(QFrame::HLine);
    separator->setGeometry(form.units().toPixelsX(kSeparatorRect.x), form.units().toPixelsY(kSeparatorRect.y),
                           form.units().toPixelsX(kSeparatorRect.w),
                           form.units().toPixelsY(kSeparatorRect.h));
    cameraMove_ = form.check(tr("カメラ移動"), kCameraMoveRect);
    connect(cameraMove_, &QCheckBox::clicked, this,
            [this](bool on) { document_.setValue(kCameraMove, on ? 1 : 0); });
    okButton_ = form.button(tr("OK"), kOkRect);
    okButton_->setDefault(true);
    connect(okButton_, &QPushButton::clicked, this, &CameraSettingsDialog::accept);
}

void CameraSettingsDialog::showPose() {
    for (std::size_t i = 0; i < kCameraFields.size(); ++i) {
        fields_[i]->setValue(tenthsOf(coordinateOf(pose_, kCameraFields[i])));
    }
}

void CameraSettingsDialog::writeCoordinate(std::size_t index, int tenths) {
    setCoordinate(pose_, kCameraFields[index], valueOfTenths(tenths));
    document_.requestViewCamera(pose_);
}

void CameraSettingsDialog::showCameraMove() {
    const bool following = document_.state().project.isCameraMove != 0;
    cameraMove_->setChecked(following);
    if (following_ && !following) {
        // The camera nodes moved the camera while it followed them.
        pose_ = document_.viewCamera();
        showPose();
    }
    following_ = following;
    for (std::size_t i = 0; i < kCameraFields.size(); ++i) {
        fields_[i]->setEnabled(!following);
        spinners_[i]->setEnabled(!following);
    }
}

void showCameraSettingsDialog(ProjectDocument& document, QWidget* parent) {
    CameraSettingsDialog dialog(document, parent);
    dialog.exec();
}

} // namespace vintrel
