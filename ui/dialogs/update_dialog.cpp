#include "ui/dialogs/update_dialog.h"

#include "ui/controls/font_dialog_units.h"
#include "ui/dialogs/dialog_spacing.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace vintrel {

namespace {

QString dialogText(const char* text) {
    return QCoreApplication::translate("UpdateDialog", text);
}

QPushButton* makeButton(const QString& text, const DialogUnitScale& units, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setAccessibleName(text);
    button->setFixedSize(units.toPixelsX(dialog_spacing::kButtonWidth),
                         units.toPixelsY(dialog_spacing::kButtonHeight));
    return button;
}

QLabel* makeLabel(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setAccessibleName(text);
    return label;
}

} // namespace

QString updateVersionLine(const QString& ownVersion, const QString& publishedVersion) {
    // One arg() call fills both places, so a version holding "%2" stays as it is.
    return dialogText("【現在】%1 ⇒ 【新】%2").arg(ownVersion, publishedVersion);
}

UpdateDialog::UpdateDialog(const QString& ownVersion, const QString& publishedVersion, QWidget* parent)
    : QDialog(parent) {
    const QString title = dialogText("Vintrel　アップデート確認");
    setWindowTitle(title);
    setAccessibleName(title);
    setModal(true);
    const DialogUnitScale units = dialogUnitScaleFor(font());

    auto* question =
        makeLabel(dialogText("新しいバージョンが公開されています。アップデートしますか？"), this);
    versionLine_ = makeLabel(updateVersionLine(ownVersion, publishedVersion), this);
    const QString skipText = dialogText("このバージョンでは通知しない");
    skipThisVersion_ = new QCheckBox(skipText, this);
    skipThisVersion_->setAccessibleName(skipText);
    okButton_ = makeButton(dialogText("OK"), units, this);
    noButton_ = makeButton(dialogText("いいえ"), units, this);
    okButton_->setDefault(true);
    connect(okButton_, &QPushButton::clicked, this, &QDialog::accept);
    connect(noButton_, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okButton_);
    buttons->addWidget(noButton_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(
        units.toPixelsX(dialog_spacing::kMarginX), units.toPixelsY(dialog_spacing::kMarginY),
        units.toPixelsX(dialog_spacing::kMarginX), units.toPixelsY(dialog_spacing::kMarginY));
    layout->setSpacing(units.toPixelsY(dialog_spacing::kGapY));
    layout->addWidget(question);
    layout->addWidget(versionLine_);
    layout->addWidget(skipThisVersion_);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

UpdateAnswer UpdateDialog::answer() const {
    if (result() == QDialog::Accepted) {
        return UpdateAnswer::Update;
    }
    return skipThisVersion_->isChecked() ? UpdateAnswer::SkipThisVersion : UpdateAnswer::NotNow;
}

} // namespace vintrel
