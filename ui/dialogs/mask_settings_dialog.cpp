#include "ui/dialogs/mask_settings_dialog.h"

#include "ui/controls/numeric_field.h"
#include "ui/controls/widget_text_fit.h"
#include "ui/dialogs/dialog_form_builder.h"
#include "ui/document/project_document.h"
#include "ui/panels/spinner_buttons.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>

namespace vintrel {

namespace {

constexpr const char* kContext = "vintrel::MaskSettingsDialog";

constexpr int kDialogWidthDu = 276;
constexpr int kDialogHeightDu = 118;

struct FrameLayout {
    const char* caption;
    DuRect rect;
};
constexpr std::size_t kPictureFrame = 0;
constexpr std::size_t kPreviewFrame = 1;
constexpr std::size_t kPositionFrame = 2;
constexpr std::size_t kSizeFrame = 3;
constexpr std::array<FrameLayout, 4> kFrames{{
    {QT_TRANSLATE_NOOP("vintrel::MaskSettingsDialog", "マスク画像"), {6, 6, 126, 32}},
    {QT_TRANSLATE_NOOP("vintrel::MaskSettingsDialog", "プレビュー"), {138, 6, 132, 32}},
    {QT_TRANSLATE_NOOP("vintrel::MaskSettingsDialog", "位置"), {6, 42, 126, 50}},
    {QT_TRANSLATE_NOOP("vintrel::MaskSettingsDialog", "サイズ"), {138, 42, 132, 50}},
}};

struct NumberLayout {
    MaskNumber field;
    std::size_t frame;
    const char* label;
    DuRect labelRect;
    DuRect fieldRect;
    DuRect unitRect;
    IntRange range;
    int MaskForm::*member;
};
constexpr std::array<NumberLayout, 4> kNumbers{{
    {MaskNumber::X,
     kPositionFrame,
     QT_TRANSLATE_NOOP("vintrel::MaskSettingsDialog", "左右"),
     {18, 56, 0, 0},
     {42, 54, 42, 12},
     {88, 56, 0, 0},
     kMaskPositionRange,
     &MaskForm::x},
    {MaskNumber::Y,
     kPositionFrame,
     QT_TRANSLATE_NOOP("vintrel::MaskSettingsDialog", "上下"),
     {18, 74, 0, 0},
     {42, 72, 42, 12},
     {88, 74, 0, 0},
     kMaskPositionRange,
     &MaskForm::y},
    {MaskNumber::Width,
     kSizeFrame,
     QT_TRANSLATE_NOOP("vintrel::MaskSettingsDialog", "幅"),
     {156, 56, 0, 0},
     {180, 54, 42, 12},
     {226, 56, 0, 0},
     kMaskSizeRange,
     &MaskForm::w},
    {MaskNumber::Height,
     kSizeFrame,
     QT_TRANSLATE_NOOP("vintrel::MaskSettingsDialog", "高さ"),
     {156, 74, 0, 0},
     {180, 72, 42, 12},
     {226, 74, 0, 0},
     kMaskSizeRange,
     &MaskForm::h},
}};

constexpr DuRect kPictureListRect{18, 18, 108, 0};
constexpr DuRect kDisplayRect{156, 18, 0, 0};
constexpr DuRect kOpacityRect{198, 18, 66, 15};
constexpr DuRect kOkRect{216, 100, 54, 14};

QString translated(const char* text) {
    return QCoreApplication::translate(kContext, text);
}

} // namespace

MaskSettingsDialog::MaskSettingsDialog(ProjectDocument& document, QWidget* parent)
    : QDialog(parent), document_(document),
      form_(maskFormForDialog(document.state().mask, document.state().project)) {
    setWindowTitle(tr("マスクの設定"));
    setAccessibleName(windowTitle());
    build();
    // Laid out for the Japanese texts; longer translations get their room.
    fitDialogTexts(*this);
    fill();
}

void MaskSettingsDialog::build() {
    DialogFormBuilder form(*this);
    form.fixSize(kDialogWidthDu, kDialogHeightDu);
    std::array<QGroupBox*, kFrames.size()> frames{};
    for (std::size_t i = 0; i < kFrames.size(); ++i) {
        frames[i] = form.frame(translated(kFrames[i].caption), kFrames[i].rect);
    }
    buildPictureList(form, frames[kPictureFrame]);
    for (const NumberLayout& number : kNumbers) {
        QGroupBox* frame = frames[number.frame];
        const QString label = translated(number.label);
        form.label(label, number.labelRect, frame);
        const NumberControls controls = form.number(label, number.fieldRect, number.range, frame);
        form.label(tr("ピクセル"), number.unitRect, frame);
        numbers_[static_cast<std::size_t>(number.field)] = controls.field;
        const auto store = [this, member = number.member](int value) { form_.*member = value; };
        connect(controls.field, &NumericField::valueEdited, this, store);
        connect(controls.spinner, &SpinnerButtons::stepped, this, store);
    }

    QGroupBox* preview = frames[kPreviewFrame];
    display_ = form.check(tr("表示する"), kDisplayRect, preview);
    connect(display_, &QCheckBox::toggled, this, [this](bool on) { form_.isDisp = on; });
    opacity_ = new QSlider(Qt::Horizontal, preview);
    opacity_->setRange(kMaskAlphaRange.low, kMaskAlphaRange.high);
    // No label of its own: the frame's caption names it.
    opacity_->setAccessibleName(preview->title());
    form.place(*opacity_, kOpacityRect);
    connect(opacity_, &QSlider::valueChanged, this, [this](int alpha) { form_.alpha = alpha; });

    okButton_ = form.button(tr("OK"), kOkRect);
    okButton_->setDefault(true);
    connect(okButton_, &QPushButton::clicked, this, &MaskSettingsDialog::accept);
}

void MaskSettingsDialog::buildPictureList(const DialogFormBuilder& form, QWidget* frame) {
    pictures_ = new QComboBox(frame);
    pictures_->setAccessibleName(translated(kFrames[kPictureFrame].caption));
    pictures_->addItem(tr("なし"));
    for (const std::string& name : maskPictureNames(document_.state().materials)) {
        pictures_->addItem(QString::fromStdString(name));
    }
    form.place(*pictures_, kPictureListRect);
    connect(pictures_, &QComboBox::activated, this, [this](int index) { form_.texID = index; });
}

void MaskSettingsDialog::fill() {
    // A picture that is no longer in the list shows no entry; the stored number stays unless
    // the user picks one.
    pictures_->setCurrentIndex(form_.texID >= 0 && form_.texID < pictures_->count() ? form_.texID : -1);
    for (const NumberLayout& number : kNumbers) {
        numberField(number.field)->setValue(form_.*number.member);
    }
    // Showing the values is no edit: a stored opacity outside the slider's range stays as it is
    // unless the user moves the slider.
    const QSignalBlocker quietDisplay(display_);
    const QSignalBlocker quietOpacity(opacity_);
    display_->setChecked(form_.isDisp);
    opacity_->setValue(form_.alpha);
}

void MaskSettingsDialog::done(int result) {
    if (form_ != maskFormOf(document_.state().mask)) {
        const MaskForm edited = form_;
        document_.changeProject([edited](GlobalState& g) { applyMaskForm(g.mask, edited); });
    }
    QDialog::done(result);
}

void showMaskSettingsDialog(ProjectDocument& document, QWidget* parent) {
    MaskSettingsDialog dialog(document, parent);
    dialog.exec();
}

} // namespace vintrel
