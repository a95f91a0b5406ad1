#include "ui/dialogs/version_dialog.h"

#include "ui/controls/font_dialog_units.h"
#include "ui/dialogs/dialog_spacing.h"

#include <QApplication>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vintrel {

namespace {

constexpr const char* kHistoryResource = ":/vintrel/version_history.txt";
constexpr const char* kProgramName = "Vintrel";
// The history box, in dialog units.
constexpr int kHistoryWidth = 220;
constexpr int kHistoryHeight = 110;
constexpr int kPictureSize = 32; // pixels, the size of a large icon
constexpr int kNameSizeFactor = 2;

QString dialogText(const char* text) {
    return QCoreApplication::translate("VersionDialog", text);
}

QLabel* makeLabel(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setAccessibleName(text);
    return label;
}

QLabel* makeProgramName(QWidget* parent) {
    QLabel* name = makeLabel(QString::fromLatin1(kProgramName), parent);
    QFont font = name->font();
    font.setBold(true);
    // A font may be sized in points or in pixels; the other size reads as -1.
    if (font.pointSizeF() > 0) {
        font.setPointSizeF(font.pointSizeF() * kNameSizeFactor);
    } else {
        font.setPixelSize(font.pixelSize() * kNameSizeFactor);
    }
    name->setFont(font);
    return name;
}

// The application's icon, when it has one.
QLabel* makePicture(QWidget* parent) {
    const QIcon icon = QApplication::windowIcon();
    if (icon.isNull()) {
        return nullptr;
    }
    auto* picture = new QLabel(parent);
    picture->setPixmap(icon.pixmap(kPictureSize, kPictureSize));
    picture->setAccessibleName(QString::fromLatin1(kProgramName));
    return picture;
}

} // namespace

QString versionHistoryText() {
    QFile file(QString::fromLatin1(kHistoryResource));
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return QString::fromUtf8(file.readAll());
}

VersionDialog::VersionDialog(QWidget* parent) : QDialog(parent) {
    const QString title = dialogText("バージョン情報");
    setWindowTitle(title);
    setAccessibleName(title);
    setModal(true);
    const DialogUnitScale units = dialogUnitScaleFor(font());

    version_ = makeLabel(dialogText("バージョン %1").arg(QCoreApplication::applicationVersion()), this);
    const QString heading = dialogText("＜更新履歴＞");
    QLabel* historyHeading = makeLabel(heading, this);
    history_ = new QPlainTextEdit(versionHistoryText(), this);
    history_->setReadOnly(true);
    history_->setAccessibleName(heading);
    history_->setFixedSize(units.toPixelsX(kHistoryWidth), units.toPixelsY(kHistoryHeight));
    historyHeading->setBuddy(history_);
    const QString okText = dialogText("OK");
    okButton_ = new QPushButton(okText, this);
    okButton_->setAccessibleName(okText);
    okButton_->setDefault(true);
    okButton_->setFixedSize(units.toPixelsX(dialog_spacing::kButtonWidth),
                            units.toPixelsY(dialog_spacing::kButtonHeight));
    connect(okButton_, &QPushButton::clicked, this, &QDialog::accept);

    auto* header = new QHBoxLayout;
    if (QLabel* picture = makePicture(this)) {
        header->addWidget(picture);
    }
    auto* nameAndVersion = new QVBoxLayout;
    nameAndVersion->addWidget(makeProgramName(this));
    nameAndVersion->addWidget(version_);
    header->addLayout(nameAndVersion);
    header->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okButton_);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(
        units.toPixelsX(dialog_spacing::kMarginX), units.toPixelsY(dialog_spacing::kMarginY),
        units.toPixelsX(dialog_spacing::kMarginX), units.toPixelsY(dialog_spacing::kMarginY));
    layout->setSpacing(units.toPixelsY(dialog_spacing::kGapY));
    layout->addLayout(header);
    layout->addWidget(historyHeading);
    layout->addWidget(history_);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void showVersionDialog(QWidget* parent) {
    VersionDialog dialog(parent);
    dialog.exec();
}

} // namespace vintrel
