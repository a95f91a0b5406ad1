#include "ui/dialogs/export_preview.h"

#include "output/alpha_mode.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QPainter>

namespace vintrel {

namespace {

constexpr int kCheckerCell = 8;
constexpr int kListMargin = 4;

// The backdrop last chosen, for the next preview of this session.
PreviewBackdrop lastBackdrop = PreviewBackdrop::BackgroundColour;

void paintBackdrop(QPainter& painter, const QRect& area, PreviewBackdrop backdrop, const QColor& background) {
    switch (backdrop) {
    case PreviewBackdrop::BackgroundColour:
        painter.fillRect(area, background);
        return;
    case PreviewBackdrop::Black:
        painter.fillRect(area, Qt::black);
        return;
    case PreviewBackdrop::White:
        painter.fillRect(area, Qt::white);
        return;
    case PreviewBackdrop::Checkerboard:
        painter.fillRect(area, QColor(204, 204, 204));
        for (int y = 0; y < area.height(); y += kCheckerCell) {
            for (int x = (y / kCheckerCell) % 2 * kCheckerCell; x < area.width(); x += 2 * kCheckerCell) {
                painter.fillRect(QRect(area.x() + x, area.y() + y, kCheckerCell, kCheckerCell), QColor(255, 255, 255));
            }
        }
        return;
    }
}

} // namespace

ExportPreview::ExportPreview(const std::filesystem::path& still, int width, int height, QColor background,
                             AlphaMode alpha, QWidget* parent)
    : QWidget(parent, Qt::Tool), image_(QString::fromStdString(still.string())), background_(background),
      alpha_(alpha), outputSize_(std::max(width, 1), std::max(height, 1)) {
    setWindowTitle(QCoreApplication::translate("Export", "プレビュー"));
    setAccessibleName(windowTitle());
    setAttribute(Qt::WA_DeleteOnClose);
    backdrops_ = new QComboBox(this);
    for (const char* name : {"背景色", "市松模様", "黒", "白"}) {
        backdrops_->addItem(QCoreApplication::translate("Export", name));
    }
    backdrops_->setAccessibleName(QCoreApplication::translate("Export", "背景"));
    backdrops_->setCurrentIndex(static_cast<int>(lastBackdrop));
    backdrops_->adjustSize();
    backdrops_->move(kListMargin, kListMargin);
    connect(backdrops_, &QComboBox::currentIndexChanged, this, [this](int index) {
        lastBackdrop = static_cast<PreviewBackdrop>(index);
        update();
    });
    const int listHeight = backdrops_->height() + 2 * kListMargin;
    setFixedSize(std::max(outputSize_.width(), backdrops_->width() + 2 * kListMargin),
                 outputSize_.height() + listHeight);
}

QImage ExportPreview::composed() const {
    QImage out(outputSize_, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&out);
    paintBackdrop(painter, out.rect(), static_cast<PreviewBackdrop>(backdrops_->currentIndex()), background_);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    if (alpha_ == AlphaMode::AdditiveOnBlack) {
        // What an additive shader does with the opaque image: adds it to what lies below.
        painter.setCompositionMode(QPainter::CompositionMode_Plus);
        painter.drawImage(out.rect(), withAlphaMode(image_, alpha_));
    } else {
        // Premultiplied pixels blended as premultiplied show as the straight ones do.
        painter.drawImage(out.rect(), image_);
    }
    return out;
}

void ExportPreview::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Window));
    painter.drawImage(QPoint(0, height() - outputSize_.height()), composed());
}

} // namespace vintrel
