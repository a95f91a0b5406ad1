#include "ui/panels/node_list_view.h"

#include "ui/controls/ui_colors.h"
#include "ui/panels/node_list_model.h"
#include "ui/panels/node_row_delegate.h"

#include "model/tree_operations.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDrag>
#include <QDragEnterEvent>
#include <QDragLeaveEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

namespace vintrel {

namespace {

using Geometry = NodeListGeometry;

const QColor kTreeLineColor(150, 150, 150);
const QColor kSeparatorColor(230, 230, 230);
const QColor kDropColor(255, 200, 60);
constexpr int kDropLineWidth = 2;
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
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
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
    paintDropIndicator();
}

void NodeListView::paintDropIndicator() {
    if (!drop_) {
        return;
    }
    QPainter painter(viewport());
    painter.setPen(QPen(kDropColor, kDropLineWidth));
    const int top = Geometry::rowTop(drop_->row);
    if (drop_->kind == NodeDrop::Kind::Onto) {
        painter.drawRect(QRect(1, top + 1, viewport()->width() - 3, Geometry::kRowHeight - 3));
    } else {
        painter.drawLine(Geometry::textLeft(drop_->depth) - 4, top, viewport()->width(), top);
    }
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
    pressPoint_ = event->position().toPoint();
    emit pressed(event->position().toPoint());
    event->accept();
}

// A double click is two presses, the second one like the first.
void NodeListView::mouseDoubleClickEvent(QMouseEvent* event) {
    mousePressEvent(event);
}

void NodeListView::mouseMoveEvent(QMouseEvent* event) {
    event->accept();
    if (!pressPoint_ || !(event->buttons() & Qt::LeftButton) ||
        (event->position().toPoint() - *pressPoint_).manhattanLength() < QApplication::startDragDistance()) {
        return;
    }
    const int rowIndex = pressPoint_->y() / Geometry::kRowHeight;
    pressPoint_.reset();
    const NodeRow* row = model_.rows().at(rowIndex);
    if (row != nullptr && row->kind == NodeRowKind::Node) {
        dragRow(*row);
    }
}

void NodeListView::mouseReleaseEvent(QMouseEvent* event) {
    pressPoint_.reset();
    event->accept();
}

void NodeListView::dragRow(const NodeRow& row) {
    // A press on the selected row opened its rename field; the drag closes it unchanged.
    commitRename();
    auto* data = new QMimeData;
    data->setData(QString::fromLatin1(kDragMimeType), QByteArray::number(row.node->m_ID));
    auto* drag = new QDrag(this);
    drag->setMimeData(data);
    drag->exec(Qt::MoveAction); // Escape ends it without a drop
    drop_.reset();
    viewport()->update();
}

std::optional<NodeDrop> NodeListView::dropFor(QPoint point, int nodeId) const {
    std::optional<NodeDrop> drop = nodeDropAt(model_.rows(), point.y());
    const std::optional<int> draggedRow = [&]() -> std::optional<int> {
        for (const NodeRow& row : model_.rows().rows()) {
            if (row.kind == NodeRowKind::Node && row.node->m_ID == nodeId) {
                return row.row;
            }
        }
        return std::nullopt;
    }();
    if (!drop || !draggedRow) {
        return std::nullopt;
    }
    // Never into its own subtree: the target parent is the dragged node or lies below it.
    const EffectNode& dragged = *model_.rows().at(*draggedRow)->node;
    for (const NodeRow& row : model_.rows().rows()) {
        if (row.kind == NodeRowKind::Node && row.node->m_ID == drop->parentId && isInSubtree(*row.node, dragged)) {
            return std::nullopt;
        }
    }
    return drop;
}

namespace {

std::optional<int> draggedNodeId(const QMimeData* data) {
    if (data == nullptr || !data->hasFormat(QString::fromLatin1(NodeListView::kDragMimeType))) {
        return std::nullopt;
    }
    bool ok = false;
    const int id = data->data(QString::fromLatin1(NodeListView::kDragMimeType)).toInt(&ok);
    return ok ? std::optional(id) : std::nullopt;
}

} // namespace

void NodeListView::dragEnterEvent(QDragEnterEvent* event) {
    if (draggedNodeId(event->mimeData())) {
        event->acceptProposedAction();
    } else {
        event->ignore();
    }
}

void NodeListView::dragMoveEvent(QDragMoveEvent* event) {
    const std::optional<int> id = draggedNodeId(event->mimeData());
    drop_ = id ? dropFor(event->position().toPoint(), *id) : std::nullopt;
    if (drop_) {
        event->acceptProposedAction();
    } else {
        event->ignore();
    }
    viewport()->update();
}

void NodeListView::dragLeaveEvent(QDragLeaveEvent* event) {
    drop_.reset();
    viewport()->update();
    event->accept();
}

void NodeListView::dropEvent(QDropEvent* event) {
    const std::optional<int> id = draggedNodeId(event->mimeData());
    const std::optional<NodeDrop> drop = id ? dropFor(event->position().toPoint(), *id) : std::nullopt;
    drop_.reset();
    viewport()->update();
    if (!drop) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    emit nodeDropped(*id, drop->parentId, drop->index);
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
