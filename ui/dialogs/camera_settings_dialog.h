#pragma once

#include "ui/dialogs/camera_fields.h"

#include <QDialog>
#include <array>

class QCheckBox;
class QPushButton;

namespace vintrel {

class NumericField;
class ProjectDocument;
class SpinnerButtons;

// "カメラの設定": the view camera's eye and look-at point in tenths, and "カメラ移動". Every edit
// moves the view camera at once (the dialog keeps the pose it opened with and changes one
// coordinate per edit). "カメラ移動" is an undoable project value; while it is on, the camera
// follows the camera nodes and the six fields and their arrows are disabled. The dialog is modal,
// so the view cannot be dragged meanwhile and the pose it keeps stays the view's.
class CameraSettingsDialog final : public QDialog {
    Q_OBJECT

public:
    CameraSettingsDialog(ProjectDocument& document, QWidget* parent);

    // The fields in the order of kCameraFields.
    NumericField* field(std::size_t index) const { return fields_.at(index); }
    SpinnerButtons* spinner(std::size_t index) const { return spinners_.at(index); }
    QCheckBox* cameraMoveCheck() const { return cameraMove_; }
    QPushButton* okButton() const { return okButton_; }

private:
    void build();
    void showPose();
    void writeCoordinate(std::size_t index, int tenths);
    void showCameraMove();

    ProjectDocument& document_;
    ViewCameraPose pose_;
    bool following_ = false; // the camera follows the camera nodes
    std::array<NumericField*, kCameraFields.size()> fields_{};
    std::array<SpinnerButtons*, kCameraFields.size()> spinners_{};
    QCheckBox* cameraMove_ = nullptr;
    QPushButton* okButton_ = nullptr;
};

// Opens the dialog over `parent` and returns when it is closed.
void showCameraSettingsDialog(ProjectDocument& document, QWidget* parent);

} // namespace vintrel
