#include "ui/dialogs/export_details_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSpinBox>
#include <QVBoxLayout>
#include <vector>

namespace vintrel {

namespace {

QString exportText(const char* text) {
    return QCoreApplication::translate("Export", text);
}

constexpr int kMaxPatternLength = 200;

} // namespace

ExportDetailsDialog::ExportDetailsDialog(const ExportExtras& extras, bool writesSheet, QWidget* parent)
    : QDialog(parent), given_(extras) {
    setWindowTitle(exportText("書き出しの詳細"));
    setAccessibleName(windowTitle());
    auto* column = new QVBoxLayout(this);
    form_ = new QFormLayout;
    form_->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    column->addLayout(form_);

    // The choices list the members of each enumeration in their order.
    atlas_ = addChoice("アトラスデータ",
                       {"なし", "TexturePacker（ハッシュ）", "TexturePacker（配列）", "Aseprite", "Godot SpriteFrames"},
                       static_cast<int>(extras.atlas));
    alpha_ = addChoice("透明の扱い", {"ストレート", "乗算済み", "黒地に加算"}, static_cast<int>(extras.alpha));
    padding_ = addNumber("セルの間隔", 0, kMaxPadding, extras.padding);
    border_ = addNumber("外周の余白", 0, kMaxPadding, extras.border);
    extrude_ = addNumber("縁の延長", 0, kMaxExtrude, extras.extrude);
    trim_ = addChoice("切り詰め", {"しない", "フレームごと", "全フレーム共通"}, static_cast<int>(extras.trim));
    powerOfTwo_ = addCheck("2のべき乗のサイズ", extras.powerOfTwo);
    maxSide_ = addNumber("最大サイズ", 0, kMaxSheetSideLimit, extras.maxSheetSide, "制限なし");
    // A page smaller than the least side is not a limit anyone means: held to it.
    connect(maxSide_, &QSpinBox::editingFinished, this, [this] {
        if (maxSide_->value() > 0 && maxSide_->value() < kMinSheetSide) {
            maxSide_->setValue(kMinSheetSide);
        }
    });
    namePattern_ = new QLineEdit(QString::fromStdString(extras.namePattern), this);
    namePattern_->setMaxLength(kMaxPatternLength);
    namePattern_->setPlaceholderText(QStringLiteral("{name}"));
    // A pattern names a file beside the output, never a folder.
    namePattern_->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[^/\\\\\\r\\n]*")), namePattern_));
    namePattern_->setToolTip(exportText("{name} {columns} {rows} {frames} {page} が使えます"));
    namePattern_->setAccessibleName(exportText("ファイル名"));
    namePattern_->setAccessibleDescription(namePattern_->toolTip());
    form_->addRow(exportText("ファイル名"), namePattern_);
    // The extra sheets beside the colour sheet, one check each, in channel order.
    const char* const channelChecks[] = {"動きベクトルのシート", "発光レイヤーのシート", "深度のシート"};
    for (int c = 1; c < kExportChannelCount; ++c) {
        channels_.push_back(addCheck(channelChecks[c - 1], extras.hasChannel(static_cast<ExportChannel>(c))));
    }
    loop_ = addCheck("シームレスループ", extras.loop);
    loopFrames_ = addNumber("重ねるフレーム数", 0, kMaxLoopFrames, extras.loopFrames, "自動（4分の1）");
    connect(loop_, &QCheckBox::toggled, this, &ExportDetailsDialog::followLoop);
    followLoop();

    std::vector<QWidget*> sheetControls{atlas_, padding_, border_, extrude_, trim_, powerOfTwo_, maxSide_, namePattern_};
    sheetControls.insert(sheetControls.end(), channels_.begin(), channels_.end());
    for (QWidget* sheetOnly : sheetControls) {
        sheetOnly->setEnabled(writesSheet);
        if (QWidget* label = form_->labelForField(sheetOnly)) {
            label->setEnabled(writesSheet);
        }
    }

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(exportText("OK"), QDialogButtonBox::AcceptRole);
    ok->setDefault(true);
    buttons->addButton(exportText("キャンセル"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    column->addWidget(buttons);
}

QComboBox* ExportDetailsDialog::addChoice(const char* label, std::initializer_list<const char*> items, int current) {
    auto* choice = new QComboBox(this);
    for (const char* item : items) {
        choice->addItem(exportText(item));
    }
    choice->setCurrentIndex(std::clamp(current, 0, choice->count() - 1));
    choice->setAccessibleName(exportText(label));
    form_->addRow(exportText(label), choice);
    return choice;
}

QSpinBox* ExportDetailsDialog::addNumber(const char* label, int low, int high, int value, const char* special) {
    auto* number = new QSpinBox(this);
    number->setRange(low, high);
    number->setValue(std::clamp(value, low, high));
    if (special != nullptr) {
        number->setSpecialValueText(exportText(special));
    } else {
        number->setSuffix(exportText(" ピクセル"));
    }
    number->setAccessibleName(exportText(label));
    form_->addRow(exportText(label), number);
    return number;
}

QCheckBox* ExportDetailsDialog::addCheck(const char* text, bool checked) {
    auto* check = new QCheckBox(exportText(text), this);
    check->setChecked(checked);
    check->setAccessibleName(check->text());
    form_->addRow(QString(), check);
    return check;
}

void ExportDetailsDialog::followLoop() {
    loopFrames_->setEnabled(loop_->isChecked());
    if (QWidget* label = form_->labelForField(loopFrames_)) {
        label->setEnabled(loop_->isChecked());
    }
}

ExportExtras ExportDetailsDialog::extras() const {
    ExportExtras x = given_;
    x.atlas = static_cast<AtlasFormat>(atlas_->currentIndex());
    x.alpha = static_cast<AlphaMode>(alpha_->currentIndex());
    x.padding = padding_->value();
    x.border = border_->value();
    x.extrude = extrude_->value();
    x.trim = static_cast<SheetTrim>(trim_->currentIndex());
    x.powerOfTwo = powerOfTwo_->isChecked();
    x.maxSheetSide = maxSide_->value() > 0 ? std::max(maxSide_->value(), kMinSheetSide) : 0;
    x.namePattern = namePattern_->text().toStdString();
    x.loop = loop_->isChecked();
    x.loopFrames = loopFrames_->value();
    x.channels = kColorOnly;
    for (std::size_t c = 0; c < channels_.size(); ++c) {
        if (channels_[c]->isChecked()) {
            x.channels |= channelBit(static_cast<ExportChannel>(c + 1));
        }
    }
    return x;
}

} // namespace vintrel
