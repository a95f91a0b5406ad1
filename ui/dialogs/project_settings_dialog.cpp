#include "ui/dialogs/project_settings_dialog.h"

#include "persist/app_settings.h"
#include "platform/notifier.h"
#include "ui/controls/message_text.h"
#include "ui/controls/numeric_field.h"
#include "ui/controls/widget_text_fit.h"
#include "ui/dialogs/dialog_form_builder.h"
#include "ui/document/project_document.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QMessageBox>
#include <QPushButton>

namespace vintrel {

namespace {

constexpr const char* kContext = "vintrel::ProjectSettingsDialog";

constexpr int kDialogWidthDu = 252;
constexpr int kDialogHeightDu = 136;

// The frames around the fields, in the order the number table refers to them.
struct FrameLayout {
    const char* caption;
    DuRect rect;
};
constexpr std::size_t kLengthFrame = 0;
constexpr std::size_t kSpeedFrame = 1;
constexpr std::size_t kSizeFrame = 2;
constexpr std::size_t kOptionsFrame = 3;
constexpr std::array<FrameLayout, 4> kFrames{{
    {QT_TRANSLATE_NOOP("vintrel::ProjectSettingsDialog", "フレーム数"), {6, 6, 114, 32}},
    {QT_TRANSLATE_NOOP("vintrel::ProjectSettingsDialog", "プレビュー速度"), {6, 42, 114, 32}},
    {QT_TRANSLATE_NOOP("vintrel::ProjectSettingsDialog", "書き出しサイズ"), {126, 6, 120, 48}},
    {QT_TRANSLATE_NOOP("vintrel::ProjectSettingsDialog", "表示オプション"), {126, 58, 120, 52}},
}};

// One number field: its frame, its own label (none where the frame's caption names it), the
// unit after it, and the name a message about it uses.
struct NumberLayout {
    ProjectNumber field;
    std::size_t frame;
    const char* label; // nullptr: the frame's caption is the field's name
    DuRect labelRect;
    DuRect fieldRect;
    const char* unit;
    DuRect unitRect;
    const char* messageName;
};
constexpr std::array<NumberLayout, 4> kNumbers{{
    {ProjectNumber::Frame,
     kLengthFrame,
     nullptr,
     {},
     {18, 18, 48, 12},
     QT_TRANSLATE_NOOP("vintrel::ProjectSettingsDialog", "フレーム"),
     {70, 20, 0, 0},
     QT_TRANSLATE_NOOP("vintrel::ProjectSettingsDialog", "フレーム数")},
    {ProjectNumber::Fps,
     kSpeedFrame,
     nullptr,
     {},
     {18, 54, 48, 12},
     QT_TRANSLATE_NOOP("vintrel::ProjectSettingsDialog", "FPS"),
     {70, 56, 0, 0},
     QT_TRANSLATE_NOOP("vintrel::ProjectSettingsDialog", "プレビュー速度")},
    {ProjectNumber::Width,
     kSizeFrame,
     QT_TRANSLATE_NOOP("vintrel::ProjectSettingsDialog", "幅"),
     {132, 20, 0, 0},
     {150, 18, 48, 12},
     QT_TRANSLATE_NOOP("vintrel::ProjectSettingsDialog", "ピクセル"),
     {202, 20, 0, 0},
     QT_TRANSLATE_NOOP("vintrel::ProjectSettingsDialog", "書き出しサイズの幅")},
    {ProjectNumber::Height,
     kSizeFrame,
     QT_TRANSLATE_NOOP("vintrel::ProjectSettingsDialog", "高さ"),
     {132, 38, 0, 0},
     {150, 36, 48, 12},
     QT_TRANSLATE_NOOP("vintrel::ProjectSettingsDialog", "ピクセル"),
     {202, 38, 0, 0},
     QT_TRANSLATE_NOOP("vintrel::ProjectSettingsDialog", "書き出しサイズの高さ")},
}};

struct CheckLayout {
    ProjectCheck check;
    const char* text;
    DuRect rect;
};
constexpr std::array<CheckLayout, 3> kChecks{{
    {ProjectCheck::Sort, QT_TRANSLATE_NOOP("vintrel::ProjectSettingsDialog", "前後ソート"), {138, 70, 0, 0}},
    {ProjectCheck::Reverse,
     QT_TRANSLATE_NOOP("vintrel::ProjectSettingsDialog", "表示順逆転"),
     {138, 82, 0, 0}},
    {ProjectCheck::NonLiner,
     QT_TRANSLATE_NOOP("vintrel::ProjectSettingsDialog", "画像を滑らかにしない"),
     {138, 94, 0, 0}},
}};

constexpr DuRect kDefaultsButtonRect{6, 78, 114, 30};
constexpr DuRect kOkRect{126, 120, 54, 14};
constexpr DuRect kCancelRect{186, 120, 60, 14};

QString translated(const char* text) {
    return QCoreApplication::translate(kContext, text);
}

std::size_t indexOf(ProjectNumber field) {
    return static_cast<std::size_t>(field);
}

std::size_t indexOf(ProjectCheck check) {
    return static_cast<std::size_t>(check);
}

const NumberLayout& layoutOf(ProjectNumber field) {
    return kNumbers[indexOf(field)];
}

// Failures shown as a warning box over the dialog.
class WarningBoxNotifier final : public Notifier {
public:
    void setParent(QWidget* parent) { parent_ = parent; }
    void show(std::string_view caption, const Message& message) override {
        QMessageBox::warning(parent_, messageText(caption), messageText(message));
    }

private:
    QWidget* parent_ = nullptr;
};

} // namespace

ProjectSettingsDialog::ProjectSettingsDialog(ProjectDocument& document, AppSettings& settings,
                                             Notifier& notifier, QWidget* parent)
    : QDialog(parent), document_(document), settings_(settings), notifier_(notifier) {
    setWindowTitle(tr("プロジェクトの設定"));
    setAccessibleName(windowTitle());
    build();
    // Laid out for the Japanese texts; longer translations get their room.
    fitDialogTexts(*this);
    fill(projectFormOf(document_.state().project));
    // The preview stands still while its settings are being edited; OK and Cancel restart it.
    document_.stopWorker();
}

void ProjectSettingsDialog::build() {
    DialogFormBuilder form(*this);
    form.fixSize(kDialogWidthDu, kDialogHeightDu);
    std::array<QGroupBox*, kFrames.size()> frames{};
    for (std::size_t i = 0; i < kFrames.size(); ++i) {
        frames[i] = form.frame(translated(kFrames[i].caption), kFrames[i].rect);
    }
    for (const NumberLayout& number : kNumbers) {
        QGroupBox* frame = frames[number.frame];
        QString name = frame->title();
        if (number.label != nullptr) {
            name = translated(number.label);
            form.label(name, number.labelRect, frame);
        }
        numbers_[indexOf(number.field)] =
            form.number(name, number.fieldRect, rangeOf(number.field), frame).field;
        form.label(translated(number.unit), number.unitRect, frame);
    }
    for (const CheckLayout& check : kChecks) {
        checks_[indexOf(check.check)] = form.check(translated(check.text), check.rect, frames[kOptionsFrame]);
    }
    defaultsButton_ = form.button(tr("この設定をデフォルトにする"), kDefaultsButtonRect);
    okButton_ = form.button(tr("OK"), kOkRect);
    cancelButton_ = form.button(tr("キャンセル"), kCancelRect);
    okButton_->setDefault(true);
    connect(defaultsButton_, &QPushButton::clicked, this, &ProjectSettingsDialog::saveAsDefaults);
    connect(okButton_, &QPushButton::clicked, this, &ProjectSettingsDialog::accept);
    connect(cancelButton_, &QPushButton::clicked, this, &ProjectSettingsDialog::reject);
}

NumericField* ProjectSettingsDialog::numberField(ProjectNumber field) const {
    return numbers_[indexOf(field)];
}

QCheckBox* ProjectSettingsDialog::checkBox(ProjectCheck check) const {
    return checks_[indexOf(check)];
}

void ProjectSettingsDialog::fill(const ProjectSettingsForm& form) {
    for (const ProjectNumberRule& rule : kProjectNumberRules) {
        numberField(rule.field)->setValue(numberOf(form, rule.field));
    }
    checkBox(ProjectCheck::Sort)->setChecked(form.sort);
    checkBox(ProjectCheck::Reverse)->setChecked(form.reverse);
    checkBox(ProjectCheck::NonLiner)->setChecked(form.nonLiner);
}

ProjectSettingsForm ProjectSettingsDialog::form() const {
    ProjectSettingsForm form;
    for (const ProjectNumberRule& rule : kProjectNumberRules) {
        setNumber(form, rule.field, numberField(rule.field)->value());
    }
    form.sort = checkBox(ProjectCheck::Sort)->isChecked();
    form.reverse = checkBox(ProjectCheck::Reverse)->isChecked();
    form.nonLiner = checkBox(ProjectCheck::NonLiner)->isChecked();
    return form;
}

bool ProjectSettingsDialog::isStorable(const ProjectSettingsForm& form) {
    const std::optional<ProjectNumber> wrong = firstOutOfRange(form);
    if (!wrong) {
        return true;
    }
    const IntRange range = rangeOf(*wrong);
    // The field's name is an argument in the interface's language already.
    notifier_.show("設定を修正してください。",
                   Message{"%1は%2～%3の範囲で入力してください。",
                           {translated(layoutOf(*wrong).messageName).toStdString(), std::to_string(range.low),
                            std::to_string(range.high)}});
    numberField(*wrong)->setFocus();
    return false;
}

void ProjectSettingsDialog::saveAsDefaults() {
    const ProjectSettingsForm current = form();
    if (!isStorable(current)) {
        return;
    }
    settings_.setNewProjectDefaults(newProjectDefaultsOf(current));
    if (Status saved = settings_.save(); !saved) {
        notifier_.show(Notifier::kDefaultCaption, Message{"デフォルトの設定を保存できませんでした。\n%1",
                                                          {untranslated(saved.error())}});
    }
}

void ProjectSettingsDialog::accept() {
    const ProjectSettingsForm current = form();
    if (!isStorable(current)) {
        return;
    }
    document_.changeProject([current](GlobalState& g) { applyProjectForm(g, current); });
    QDialog::accept();
}

void ProjectSettingsDialog::reject() {
    document_.resetView();
    QDialog::reject();
}

void showProjectSettingsDialog(ProjectDocument& document, AppSettings& settings, QWidget* parent) {
    WarningBoxNotifier notifier;
    ProjectSettingsDialog dialog(document, settings, notifier, parent);
    notifier.setParent(&dialog);
    dialog.exec();
}

} // namespace vintrel
