#include "ui/dialogs/export_preview.h"

#include <QCoreApplication>
#include <QPainter>

namespace vintrel {

ExportPreview::ExportPreview(const std::filesystem::path& still, int width, int height, QColor background,
                             QWidget* parent)
    : QWidget(parent, Qt::Tool), image_(QString::fromStdString(still.string())), background_(background) {
    setWindowTitle(QCoreApplication::translate("Export", "プレビュー"));
    setAccessibleName(windowTitle());
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(std::max(width, 1), std::max(height, 1));
}

void ExportPreview::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), background_);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(rect(), image_);
}

} // namespace vintrel
