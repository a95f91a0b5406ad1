#include "ui/panels/material_prompts.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QMessageBox>

namespace vintrel {

namespace {

// The save dialog's filter and default extension for each kind of material.
struct CopyDialogKind {
    const char* filter;
    const char* suffix;
};
constexpr CopyDialogKind kTextureCopy{QT_TRANSLATE_NOOP("FileDialog", "PNGファイル(*.png)"), "png"};
constexpr CopyDialogKind kModelCopy{QT_TRANSLATE_NOOP("FileDialog", "3Dモデル(*.obj)"), "obj"};

QWidget* dialogOwner(QWidget* parent) {
    return parent != nullptr ? parent->window() : nullptr;
}

} // namespace

std::vector<std::filesystem::path> DialogMaterialPrompts::askImportFiles() {
    QFileDialog dialog(dialogOwner(parent_), QCoreApplication::translate("MaterialPanel", "開く"), QString(),
                       QCoreApplication::translate("FileDialog", "すべてのファイル(*.*)"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFiles);
    std::vector<std::filesystem::path> files;
    if (dialog.exec() == QDialog::Accepted) {
        for (const QString& file : dialog.selectedFiles()) {
            files.emplace_back(file.toStdString());
        }
    }
    return files;
}

std::optional<std::filesystem::path> DialogMaterialPrompts::askCopyTarget(const Material& material) {
    const CopyDialogKind& kind = material.kind == Material::Model ? kModelCopy : kTextureCopy;
    QFileDialog dialog(dialogOwner(parent_), QCoreApplication::translate("MaterialPanel", "名前を付けて保存"),
                       QString(), QCoreApplication::translate("FileDialog", kind.filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QString::fromLatin1(kind.suffix));
    dialog.selectFile(QString::fromStdString(material.fileName()));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return std::filesystem::path(dialog.selectedFiles().front().toStdString());
}

void DialogMaterialPrompts::showMessage(const QString& title, const QString& text) {
    QMessageBox::information(dialogOwner(parent_), title, text);
}

} // namespace vintrel
