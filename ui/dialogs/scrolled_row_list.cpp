#include "ui/dialogs/scrolled_row_list.h"

#include "ui/controls/font_dialog_units.h"
#include "ui/controls/original_scrollbar.h"
#include "ui/controls/panel_painter.h"
#include "ui/controls/ui_colors.h"
#include "ui/dialogs/row_list_geometry.h"

#include <QDialog>
#include <QMouseEvent>
#include <QVBoxLayout>
#include <QWheelEvent>

namespace vintrel {

namespace {

constexpr int kTextPixelHeight = 13;
constexpr int kTextInset = 6;
constexpr int kWheelStepDegrees = 120; // one notch, in eighths of a degree as Qt reports it

} // namespace

ScrolledRowList::ScrolledRowList(QWidget* parent)
    : QWidget(parent), scrollbar_(new OriginalScrollbar(Qt::Vertical, this)) {
    connect(scrollbar_, &OriginalScrollbar::positionChanged, this, [this](int position) {
        scroll_ = position;
        update();
    });
}

void ScrolledRowList::refresh() {
    scrollbar_->setRange(width() - OriginalScrollbar::kThickness, 0,
                         RowListGeometry::contentHeight(rowCount()), height());
    scroll_ = scrollbar_->position();
    update();
}

int ScrolledRowList::rowWidth() const {
    return scrollbar_->isVisible() ? width() - OriginalScrollbar::kThickness : width();
}

QRect ScrolledRowList::rowRect(int row) const {
    return {0, RowListGeometry::rowTop(row, scroll_), rowWidth(), RowListGeometry::kRowHeight};
}

void ScrolledRowList::paintRowText(PanelPainter& painter, const QString& text, const QRect& rect,
                                   const QColor& color, Qt::Alignment horizontal) {
    QPainter& p = painter.painter();
    p.setFont(panelFont(kTextPixelHeight));
    p.setPen(color);
    p.drawText(rect.adjusted(kTextInset, 0, -kTextInset, 0), static_cast<int>(horizontal | Qt::AlignVCenter),
               text);
}

void ScrolledRowList::paintEvent(QPaintEvent*) {
    PanelPainter painter(*this);
    const InterfaceColors& colors = uiColors();
    painter.fill(toQColor(colors.client));
    const QPen separator(toQColor(colors.window), 1);
    const int rows = rowCount();
    for (int row = 0; row < rows; ++row) {
        const QRect rect = rowRect(row);
        if (rect.bottom() < 0) {
            continue;
        }
        if (rect.top() >= height()) {
            break;
        }
        paintRow(painter, row, rect);
        const qreal lineY = rect.bottom() + 0.5;
        painter.line(separator, QPointF(rect.left(), lineY), QPointF(rect.right() + 1, lineY));
    }
}

void ScrolledRowList::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    refresh();
}

void ScrolledRowList::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    const QPoint position = event->position().toPoint();
    if (position.x() >= rowWidth()) {
        return;
    }
    if (const std::optional<int> row = RowListGeometry::rowAt(position.y(), scroll_, rowCount())) {
        rowClicked(*row, position);
    }
}

void ScrolledRowList::wheelEvent(QWheelEvent* event) {
    const int notches = event->angleDelta().y() / kWheelStepDegrees;
    scrollbar_->wheelScroll(-notches * OriginalScrollbar::kWheelPixelsPerNotch);
}

namespace {
constexpr int kRowWindowWidthDu = 175;
constexpr int kRowWindowHeightDu = 178;
} // namespace

void holdRowsInWindow(QDialog& window, ScrolledRowList& rows, const QString& title) {
    window.setModal(false);
    window.setWindowTitle(title);
    window.setAccessibleName(title);
    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(&rows);
    const DialogUnitScale units = dialogUnitScaleFor(window.font());
    window.resize(units.toPixelsX(kRowWindowWidthDu), units.toPixelsY(kRowWindowHeightDu));
}

} // namespace vintrel
