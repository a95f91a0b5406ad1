#pragma once

#include "ui/dialogs/project_settings_form.h"

#include <QDialog>
#include <array>

class QCheckBox;
class QPushButton;

namespace vintrel {

class AppSettings;
class Notifier;
class NumericField;
class ProjectDocument;

// The form's check boxes, in the dialog's order.
enum class ProjectCheck { Sort, Reverse, NonLiner };

// "プロジェクトの設定": the project's length, preview speed and export size, and the three
// display options. The preview stops while the dialog is open. OK stores the form through the
// document (which restarts the preview) together with an export range over the whole effect;
// Cancel changes nothing and restarts the preview. "この設定をデフォルトにする" writes the form as
// the defaults of new projects into the application settings and leaves the dialog open. A value
// outside its field's range is reported and nothing is stored.
class ProjectSettingsDialog final : public QDialog {
    Q_OBJECT

public:
    // Messages (an invalid value, settings that cannot be saved) go to `notifier`.
    ProjectSettingsDialog(ProjectDocument& document, AppSettings& settings, Notifier& notifier,
                          QWidget* parent);

    // What the controls hold now.
    ProjectSettingsForm form() const;

    NumericField* numberField(ProjectNumber field) const;
    QCheckBox* checkBox(ProjectCheck check) const;
    QPushButton* defaultsButton() const { return defaultsButton_; }
    QPushButton* okButton() const { return okButton_; }
    QPushButton* cancelButton() const { return cancelButton_; }

    void accept() override;
    void reject() override;

private:
    void build();
    void fill(const ProjectSettingsForm& form);
    // Reports the first value outside its range; true when there is none.
    bool isStorable(const ProjectSettingsForm& form);
    void saveAsDefaults();

    ProjectDocument& document_;
    AppSettings& settings_;
    Notifier& notifier_;
    std::array<NumericField*, kProjectNumberRules.size()> numbers_{};
    std::array<QCheckBox*, 3> checks_{};
    QPushButton* defaultsButton_ = nullptr;
    QPushButton* okButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
};

// Opens the dialog over `parent` and returns when it is closed.
void showProjectSettingsDialog(ProjectDocument& document, AppSettings& settings, QWidget* parent);

} // namespace vintrel
