#include "ui/dialogs/backdrop_dialog.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <array>

namespace vintrel {

namespace {

using Kind = ViewBackdrop::Kind;

struct KindEntry {
    Kind kind;
    const char* label;
};

// The list's entries, in the order of the kinds.
constexpr std::array kKinds{
    KindEntry{Kind::Color, "背景色"},
    KindEntry{Kind::Checkerboard, "チェッカー"},
    KindEntry{Kind::Image, "画像"},
    KindEntry{Kind::VideoFrame, "動画のフレーム"},
};

QString translated(const char* text) {
    return QCoreApplication::translate("Backdrop", text);
}

// A form row whose label is the field's buddy and its name for screen readers. `row` is the
// field or the layout that holds it.
template <typename Row> void addLabelledRow(QFormLayout& form, const QString& text, QWidget* field, Row* row) {
    auto* label = new QLabel(text);
    label->setBuddy(field);
    field->setAccessibleName(text);
    form.addRow(label, row);
}

bool usesFile(Kind kind) {
    return kind == Kind::Image || kind == Kind::VideoFrame;
}

} // namespace

BackdropDialog::BackdropDialog(const ViewBackdrop& current, FileChooser chooseFile, QWidget* parent)
    : QDialog(parent), chooseFile_(std::move(chooseFile)) {
    setWindowTitle(translated("背景の設定"));
    kinds_ = new QComboBox(this);
    for (const KindEntry& entry : kKinds) {
        kinds_->addItem(translated(entry.label));
    }
    kinds_->setCurrentIndex(static_cast<int>(current.kind));
    file_ = new QLineEdit(QString::fromStdString(current.file), this);
    file_->setMinimumWidth(320);
    browse_ = new QPushButton(translated("参照..."), this);
    frame_ = new QSpinBox(this);
    frame_->setRange(0, kMaxBackdropFrame);
    frame_->setValue(current.frame);

    auto* form = new QFormLayout;
    form->setFieldGrowthPolicy(QFormLayout::ExpandingFieldsGrow);
    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(file_, 1);
    fileRow->addWidget(browse_);
    addLabelledRow(*form, translated("表示"), kinds_, kinds_);
    addLabelledRow(*form, translated("ファイル"), file_, fileRow);
    addLabelledRow(*form, translated("フレーム番号"), frame_, frame_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    ok_ = buttons->button(QDialogButtonBox::Ok);
    ok_->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(translated("キャンセル"));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);

    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(kinds_, &QComboBox::currentIndexChanged, this, &BackdropDialog::updateControls);
    connect(file_, &QLineEdit::textChanged, this, &BackdropDialog::updateControls);
    connect(browse_, &QPushButton::clicked, this, &BackdropDialog::browse);
    updateControls();
}

ViewBackdrop BackdropDialog::backdrop() const {
    ViewBackdrop chosen;
    chosen.kind = kKinds.at(static_cast<std::size_t>(std::max(0, kinds_->currentIndex()))).kind;
    if (usesFile(chosen.kind)) {
        chosen.file = file_->text().trimmed().toStdString();
    }
    if (chosen.kind == Kind::VideoFrame) {
        chosen.frame = frame_->value();
    }
    return chosen;
}

void BackdropDialog::updateControls() {
    const ViewBackdrop chosen = backdrop();
    file_->setEnabled(usesFile(chosen.kind));
    browse_->setEnabled(usesFile(chosen.kind));
    frame_->setEnabled(chosen.kind == Kind::VideoFrame);
    ok_->setEnabled(!usesFile(chosen.kind) || !chosen.file.empty());
}

void BackdropDialog::browse() {
    if (std::optional<QString> chosen = chooseFile_(backdrop().kind, file_->text())) {
        file_->setText(*chosen);
    }
}

std::optional<QString> askBackdropFile(QWidget* parent, ViewBackdrop::Kind kind, const QString& current) {
    const bool video = kind == Kind::VideoFrame;
    const QString filter = video ? translated("動画(*.mp4 *.mov *.webm *.mkv *.avi)")
                                 : translated("画像(*.png *.jpg *.jpeg *.bmp *.webp)");
    const QString folder = current.isEmpty() ? QString() : QFileInfo(current).absolutePath();
    const QString file = QFileDialog::getOpenFileName(parent, translated(video ? "背景の動画" : "背景の画像"), folder, filter);
    if (file.isEmpty()) {
        return std::nullopt;
    }
    return file;
}

} // namespace vintrel
