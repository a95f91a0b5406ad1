#pragma once

#include "ui/dialogs/mask_form.h"

#include <QDialog>
#include <array>

class QCheckBox;
class QComboBox;
class QPushButton;
class QSlider;

namespace vintrel {

class DialogFormBuilder;
class NumericField;
class ProjectDocument;

// The mask's number fields, in the dialog's order.
enum class MaskNumber { X, Y, Width, Height };

// "マスクの設定": the mask picture ("なし" or a texture of the material list up to its first 3D
// model), the mask rectangle's position and size, the display switch and the opacity. The mask
// acts on exported frames only, so the dialog collects its edits and stores them through the
// document once, when it closes (by OK or any other way: the dialog has no Cancel), and only
// when something differs; the view is not restarted at every keystroke or slider step. A mask
// whose width is 0 or not yet set opens with the project's frame size.
class MaskSettingsDialog final : public QDialog {
    Q_OBJECT

public:
    MaskSettingsDialog(ProjectDocument& document, QWidget* parent);

    // The values the controls hold now.
    const MaskForm& form() const { return form_; }

    QComboBox* pictureList() const { return pictures_; }
    NumericField* numberField(MaskNumber field) const { return numbers_.at(static_cast<std::size_t>(field)); }
    QCheckBox* displayCheck() const { return display_; }
    QSlider* opacitySlider() const { return opacity_; }
    QPushButton* okButton() const { return okButton_; }

    void done(int result) override;

private:
    void build();
    void fill();
    void buildPictureList(const DialogFormBuilder& form, QWidget* frame);

    ProjectDocument& document_;
    MaskForm form_;
    QComboBox* pictures_ = nullptr;
    std::array<NumericField*, 4> numbers_{};
    QCheckBox* display_ = nullptr;
    QSlider* opacity_ = nullptr;
    QPushButton* okButton_ = nullptr;
};

// Opens the dialog over `parent` and returns when it is closed.
void showMaskSettingsDialog(ProjectDocument& document, QWidget* parent);

} // namespace vintrel
