#include "ui/dialogs/export_prompts.h"

#include <QColorDialog>
#include <QCoreApplication>
#include <QFileDialog>
#include <QMessageBox>

namespace vintrel {

namespace {

struct OutputFilter {
    const char* filter;
    const char* suffix;
};

// The save dialog's filter by output type: images as PNG, the video as AVI, the GIF as GIF.
OutputFilter outputFilter(int type) {
    switch (type) {
    case 2:
        return {"AVI(*.avi)", "avi"};
    case 3:
        return {"GIF(*.gif)", "gif"};
    default:
        return {"PNG(*.png)", "png"};
    }
}

} // namespace

std::optional<QColor> DialogExportPrompts::askGlowColor(const QColor& initial) {
    const QColor chosen = QColorDialog::getColor(initial, parent_);
    return chosen.isValid() ? std::optional(chosen) : std::nullopt;
}

std::optional<std::filesystem::path> DialogExportPrompts::askOutputPath(int type) {
    const OutputFilter filter = outputFilter(type);
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
