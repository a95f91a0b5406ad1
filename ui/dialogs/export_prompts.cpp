#include "ui/dialogs/export_prompts.h"

#include "ui/dialogs/export_types.h"

#include <QColorDialog>
#include <QCoreApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <algorithm>

namespace vintrel {

namespace {

// The save dialog's filter by the type list's entry: images as PNG, the video as AVI, the GIF
// as GIF, the animated formats by their own extensions.
const ExportType& outputType(int type) {
    const std::span<const ExportType> types = exportTypes();
    return types[static_cast<std::size_t>(std::clamp(type, 0, static_cast<int>(types.size()) - 1))];
}

} // namespace

std::optional<QColor> DialogExportPrompts::askGlowColor(const QColor& initial) {
    const QColor chosen = QColorDialog::getColor(initial, parent_);
    return chosen.isValid() ? std::optional(chosen) : std::nullopt;
}

std::optional<std::filesystem::path> DialogExportPrompts::askOutputPath(int type) {
    const ExportType& filter = outputType(type);
    QFileDialog dialog(parent_, QCoreApplication::translate("Export", "書き出し"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter(QString::fromLatin1(filter.filter));
    dialog.setDefaultSuffix(QString::fromLatin1(filter.suffix));
    dialog.selectFile(QCoreApplication::translate("Export", "無題"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return std::filesystem::path(dialog.selectedFiles().front().toStdString());
}

void DialogExportPrompts::showProblem(const QString& caption, const QString& text) {
    QMessageBox::warning(parent_, caption, text);
}

} // namespace vintrel
