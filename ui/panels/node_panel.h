#pragma once

#include "edit/tree_commands.h"

#include <QImage>
#include <QList>
#include <QWidget>
#include <array>

class QAbstractButton;
class QAction;
class QMenu;
class QLineEdit;

namespace vintrel {

class NodeListModel;
class NodeListView;
class OriginalScrollbar;
class ProjectDocument;
struct NodeRowHit;

// The node panel in the main window's node pane: the title strip, the eight command buttons
// (add below, add child, duplicate, delete, move down, move up, make child, make parent), and
// the effect tree as an indented list with a visibility eye per node, scrolled by the editor's
// own scrollbar. A click on the eye shows or hides a node; a click on a row selects it, and on
// the selected row opens a field to rename it. Every change goes through the document; the
// panel repaints from the document's signals.
class NodePanel final : public QWidget {
    Q_OBJECT

public:
    static constexpr int kWidth = 210;
    static constexpr int kTitleHeight = 18;
    static constexpr int kButtonsTop = 18;
    static constexpr int kScrollbarX = 196;
    static constexpr std::array<TreeEditor::Command, 8> kCommands = {
        TreeEditor::AddSibling, TreeEditor::AddChild, TreeEditor::Duplicate,        TreeEditor::Delete,
        TreeEditor::MoveDown,   TreeEditor::MoveUp,   TreeEditor::MoveIntoPrevious, TreeEditor::MoveOut,
    };

    NodePanel(ProjectDocument& document, QWidget* parent);
    ~NodePanel() override;

    QAbstractButton* button(TreeEditor::Command command) const;
    NodeListView* listView() const { return view_; }
    OriginalScrollbar* scrollbar() const { return scrollbar_; }
    // The open rename field, or null.
    QLineEdit* renameField() const;
    int scrollOffset() const { return offset_; }

    // Runs a command button's tree command on the selected node: an open rename is kept first;
    // with a camera row selected nothing happens.
    void runCommand(TreeEditor::Command command);

    // The commands of the panel's context menu (the node clipboard's), owned by the caller.
    void setContextActions(QList<QAction*> actions) { contextActions_ = std::move(actions); }
    // The context menu as it would open now (tests).
    QMenu* contextMenu();

protected:
    void paintEvent(QPaintEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void createButtons();
    void connectDocument();
    void refresh();
    void selectCurrentInView();
    void layoutList();
    void placeView();
    void reveal(int top, int bottom);
    void turnWheel(int angleDelta);
    void pressInList(QPoint listPoint);
    void selectRow(int row);
    void flipVisibility(const NodeRowHit& hit);

    ProjectDocument& document_;
    QImage buttonArtwork_;
    std::array<QAbstractButton*, kCommands.size()> buttons_{};
    NodeListModel* model_ = nullptr;
    QWidget* listClip_ = nullptr;
    NodeListView* view_ = nullptr;
    OriginalScrollbar* scrollbar_ = nullptr;
    int offset_ = 0;
    QList<QAction*> contextActions_;
    QMenu* contextMenu_ = nullptr;
};

} // namespace vintrel
