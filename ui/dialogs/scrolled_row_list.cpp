#include "ui/dialogs/scrolled_row_list.h"

#include "ui/controls/font_dialog_units.h"
#include "ui/controls/original_scrollbar.h"
#include "ui/controls/panel_painter.h"
#include "ui/controls/ui_colors.h"
#include "ui/dialogs/row_list_geometry.h"

#include <QDialog>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <algorithm>

namespace vintrel {

namespace {

constexpr int kTextPixelHeight = 13;
constexpr int kTextInset = 6;
constexpr int kWheelStepDegrees = 120; // one notch, in eighths of a degree as Qt reports it

} // namespace

ScrolledRowList::ScrolledRowList(QWidget* parent)
    : QWidget(parent), scrollbar_(new OriginalScrollbar(Qt::Vertical, this)) {
    setFocusPolicy(Qt::StrongFocus);
    makeRowsAccessible(*this, *this);
    connect(scrollbar_, &OriginalScrollbar::positionChanged, this, [this](int position) {
        scroll_ = position;
        update();
    });
}

void ScrolledRowList::refresh() {
    scrollbar_->setRange(width() - OriginalScrollbar::kThickness, 0,
                         RowListGeometry::contentHeight(rowCount()), height());
    scroll_ = scrollbar_->position();
    cursor_ = std::min(cursor_, rowCount() - 1);
    update();
}

void ScrolledRowList::setCursorRow(int row) {
    const int rows = rowCount();
    cursor_ = rows == 0 ? -1 : std::clamp(row, 0, rows - 1);
    if (cursor_ >= 0) {
        // Scrolled by the least that shows the whole row; the bar clamps at the content's ends.
        const QRect rect = rowRect(cursor_);
        if (rect.top() < 0) {
            scrollbar_->wheelScroll(rect.top());
        } else if (rect.bottom() >= height()) {
            scrollbar_->wheelScroll(rect.bottom() + 1 - height());
        }
    }
    update();
    announceAccessibleRow(*this, cursor_);
}

void ScrolledRowList::pressAccessibleRow(int row) {
    setCursorRow(row);
    pressRow(cursor_);
}

void ScrolledRowList::pressRow(int row) {
    if (row >= 0 && row < rowCount()) {
        const QRect rect = rowRect(row);
        rowClicked(row, QPoint(rect.left(), rect.center().y()));
    }
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
    paintFocusOutline(painter);
}

void ScrolledRowList::paintFocusOutline(PanelPainter& painter) const {
    if (!hasFocus() || cursor_ < 0) {
        return;
    }
    QPainter& p = painter.painter();
    p.setPen(QPen(toQColor(uiColors().text), 1, Qt::DotLine));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(rowRect(cursor_)).adjusted(1.5, 1.5, -1.5, -2.5));
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
        setCursorRow(*row);
        rowClicked(*row, position);
    }
}

void ScrolledRowList::wheelEvent(QWheelEvent* event) {
    const int notches = event->angleDelta().y() / kWheelStepDegrees;
    scrollbar_->wheelScroll(-notches * OriginalScrollbar::kWheelPixelsPerNotch);
}

std::optional<int> ScrolledRowList::rowAfterKey(int key) const {
    const int page = std::max(1, height() / RowListGeometry::kRowHeight - 1);
    switch (key) {
    case Qt::Key_Up:
        return cursor_ - 1;
    case Qt::Key_Down:
        return cursor_ + 1;
    case Qt::Key_PageUp:
        return cursor_ - page;
    case Qt::Key_PageDown:
        return cursor_ + page;
    case Qt::Key_Home:
        return 0;
    case Qt::Key_End:
        return rowCount() - 1;
    default:
        return std::nullopt;
    }
}

void ScrolledRowList::keyPressEvent(QKeyEvent* event) {
    if (const std::optional<int> row = rowAfterKey(event->key())) {
        setCursorRow(*row);
        return;
    }
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        pressRow(cursor_);
        return;
    case Qt::Key_Delete:
        if (cursor_ >= 0) {
            deleteRow(cursor_);
        }
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

void ScrolledRowList::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    if (cursor_ < 0) {
        setCursorRow(0);
    } else {
        update();
        announceAccessibleRow(*this, cursor_);
    }
}

void ScrolledRowList::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    update();
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
