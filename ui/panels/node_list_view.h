#pragma once

#include "ui/panels/node_drop_rule.h"

#include <QListView>
#include <QPersistentModelIndex>
#include <optional>

class QLineEdit;

namespace vintrel {

class NodeListModel;
class NodeRowDelegate;

// The node panel's list: the rows painted by NodeRowDelegate, the tree lines and the camera
// separator over them. It never scrolls itself: the panel makes it as tall as its content and
// moves it under a clip, so that list coordinates are the view's own. Mouse presses are handed
// to the panel, which applies the click rules; the keyboard moves the current row (Up, Down,
// Home, End), asking the panel to scroll it into view, and F2 renames the current row. The view
// takes the focus only by Tab or when the panel gives it, so a click never takes it from an open
// rename field behind the panel's back. A node row dragged further than the drag distance moves
// its node: onto another row (its last child) or between rows, shown by an outline or a line
// while it is dragged; Escape cancels the drag.
class NodeListView final : public QListView {
    Q_OBJECT

public:
    explicit NodeListView(NodeListModel& model, QWidget* parent = nullptr);
    using QListView::edit;

    // The open rename field, or null.
    QLineEdit* renameField() const;
    // Opens the rename field on `row` (a node row); false when it cannot open.
    bool openRename(int row);
    // Keeps the name in the open rename field and closes it; nothing when none is open.
    void commitRename();

signals:
    // A left press (or the second press of a double click) at a point of the viewport.
    void pressed(QPoint viewportPoint);
    // The keyboard made another row current.
    void currentRowChanged(int row);
    // The row from list y `top` to `bottom` should be scrolled into view.
    void revealRequested(int top, int bottom);
    // A wheel turned over the list (angle in eighths of a degree, positive away from the user).
    void wheelTurned(int angleDelta);
    // A dragged node was dropped: to position `index` among node `parentId`'s children.
    void nodeDropped(int nodeId, int parentId, int index);

public:
    // The MIME type a dragged node travels as (its ID, in decimal).
    static constexpr const char* kDragMimeType = "application/x-vintrel-node-id";
    // Where the current drag would land; none while nothing is dragged over the list.
    const std::optional<NodeDrop>& dropIndicator() const { return drop_; }

protected:
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void paintTreeLines();
    void paintDropIndicator();
    void dragRow(const NodeRow& row);
    // The drop for a drag at `point` carrying node `nodeId`; none where the node cannot go.
    std::optional<NodeDrop> dropFor(QPoint point, int nodeId) const;

    NodeListModel& model_;
    NodeRowDelegate* delegate_;
    QPersistentModelIndex editedIndex_;
    std::optional<QPoint> pressPoint_; // a left press that may become a drag
    std::optional<NodeDrop> drop_;
};

} // namespace vintrel
