#include "ui/panels/node_list_view.h"

#include "ui/controls/ui_colors.h"
#include "ui/panels/node_list_model.h"
#include "ui/panels/node_row_delegate.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

namespace vintrel {

namespace {

using Geometry = NodeListGeometry;

const QColor kTreeLineColor(150, 150, 150);
const QColor kSeparatorColor(230, 230, 230);
constexpr int kTreeLineWidth = 1;
constexpr int kSeparatorWidth = 2;

void drawListLine(QPainter& painter, const ListLine& line) {
    painter.drawLine(line.x1, line.y1, line.x2, line.y2);
}

} // namespace

NodeListView::NodeListView(NodeListModel& model, QWidget* parent)
    : QListView(parent), model_(model), delegate_(new NodeRowDelegate(this)) {
    setModel(&model_);
    setItemDelegate(delegate_);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::EditKeyPressed);
    setAutoScroll(false);
    setFocusPolicy(Qt::TabFocus);
    setAccessibleName(QCoreApplication::translate("NodePanel", "ノード一覧"));
    QPalette colors = palette();
    colors.setColor(QPalette::Base, toQColor(uiColors().client));
    setPalette(colors);
    viewport()->setAutoFillBackground(true);
}

QLineEdit* NodeListView::renameField() const {
    if (state() != EditingState || !editedIndex_.isValid()) {
        return nullptr;
    }
    return qobject_cast<QLineEdit*>(indexWidget(editedIndex_));
}

bool NodeListView::openRename(int row) {
    const QModelIndex index = model_.index(row);
    return index.isValid() && edit(index, AllEditTriggers, nullptr);
}

void NodeListView::commitRename() {
    if (QLineEdit* field = renameField()) {
        commitData(field);
        closeEditor(field, QAbstractItemDelegate::NoHint);
    }
}

bool NodeListView::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) {
    if (!QListView::edit(index, trigger, event)) {
        return false;
    }
    editedIndex_ = index;
    return true;
}

void NodeListView::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QListView::currentChanged(current, previous);
    if (current.isValid()) {
        emit currentRowChanged(current.row());
    }
}

void NodeListView::scrollTo(const QModelIndex& index, ScrollHint) {
    if (index.isValid()) {
        const int top = Geometry::rowTop(index.row());
        emit revealRequested(top, top + Geometry::kRowHeight);
    }
}

void NodeListView::paintEvent(QPaintEvent* event) {
    QListView::paintEvent(event);
    paintTreeLines();
}

void NodeListView::paintTreeLines() {
    QPainter painter(viewport());
    painter.setPen(QPen(kTreeLineColor, kTreeLineWidth));
    for (const ListLine& line : model_.rows().treeLines()) {
        drawListLine(painter, line);
    }
    if (const std::optional<ListLine> separator = model_.rows().separator()) {
        painter.setPen(QPen(kSeparatorColor, kSeparatorWidth));
        drawListLine(painter, *separator);
    }
}

// A row made current by the keyboard is scrolled into view; a selection made elsewhere leaves
// the scroll offset alone.
void NodeListView::keyPressEvent(QKeyEvent* event) {
    const QModelIndex before = currentIndex();
    QListView::keyPressEvent(event);
    if (currentIndex() != before) {
        scrollTo(currentIndex());
    }
}

void NodeListView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    emit pressed(event->position().toPoint());
    event->accept();
}

// A double click is two presses, the second one like the first.
void NodeListView::mouseDoubleClickEvent(QMouseEvent* event) {
    mousePressEvent(event);
}

void NodeListView::mouseMoveEvent(QMouseEvent* event) {
    event->accept();
}

void NodeListView::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
}

// The panel scrolls; the list itself never does.
void NodeListView::wheelEvent(QWheelEvent* event) {
    const int angle = event->angleDelta().y();
    if (angle == 0) {
        event->ignore();
        return;
    }
    emit wheelTurned(angle);
    event->accept();
}

} // namespace vintrel
