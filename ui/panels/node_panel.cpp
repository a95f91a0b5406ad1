#include "ui/panels/node_panel.h"

#include "ui/controls/original_scrollbar.h"
#include "ui/controls/panel_painter.h"
#include "ui/controls/ui_colors.h"
#include "ui/document/project_document.h"
#include "ui/panels/node_click_rule.h"
#include "ui/panels/node_command_button.h"
#include "ui/panels/node_list_model.h"
#include "ui/panels/node_list_view.h"
#include "ui/panels/node_panel_artwork.h"
#include "ui/hints/hint_table.h"
#include "ui/hints/hint_tracker.h"
#include "ui/hints/status_window.h"

#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QLineEdit>
#include <QMenu>
#include <QWheelEvent>
#include <algorithm>

namespace vintrel {

namespace {

using Geometry = NodeListGeometry;

constexpr int kTitleGrey = 190;
constexpr int kTitleTextX = 4;
constexpr int kAngleUnitsPerNotch = 120;
// The buttons' hints do not depend on the selected node's shape.
constexpr int kAnyShapeType = 0;
constexpr ProjectFieldId kCameraMove = projectFieldId("g.project.isCameraMove");

bool isCameraNode(const EffectNode* node) {
    return node != nullptr &&
           (node->m_ID == EffectNode::kCameraPositionId || node->m_ID == EffectNode::kCameraTargetId);
}

QString buttonHint(TreeEditor::Command command) {
    const std::optional<std::string_view> hint = hintFor(command, kAnyShapeType);
    return hint ? translatedHint(*hint) : QString();
}

} // namespace

NodePanel::NodePanel(ProjectDocument& document, QWidget* parent)
    : QWidget(parent), document_(document), buttonArtwork_(nodeButtonStrip()) {
    setAccessibleName(QCoreApplication::translate("NodePanel", "ノードパネル"));
    resize(kWidth, height());
    createButtons();
    model_ = new NodeListModel(document_, this);
    listClip_ = new QWidget(this);
    view_ = new NodeListView(*model_, listClip_);
    scrollbar_ = new OriginalScrollbar(Qt::Vertical, this);
    scrollbar_->setAccessibleName(QCoreApplication::translate("NodePanel", "ノードパネルのスクロールバー"));
    connect(scrollbar_, &OriginalScrollbar::positionChanged, this, [this](int position) {
        offset_ = position;
        placeView();
    });
    connect(view_, &NodeListView::pressed, this, &NodePanel::pressInList);
    connect(view_, &NodeListView::nodeDropped, this,
            [this](int nodeId, int parentId, int index) { document_.moveNode(nodeId, parentId, index); });
    connect(view_, &NodeListView::currentRowChanged, this, &NodePanel::selectRow);
    connect(view_, &NodeListView::revealRequested, this, &NodePanel::reveal);
    connect(view_, &NodeListView::wheelTurned, this, &NodePanel::turnWheel);
    connectDocument();
    selectCurrentInView();
    layoutList();
}

NodePanel::~NodePanel() = default;

void NodePanel::createButtons() {
    for (std::size_t i = 0; i < kCommands.size(); ++i) {
        const TreeEditor::Command command = kCommands[i];
        auto* button = new NodeCommandButton(buttonArtwork_, static_cast<int>(i), this);
        button->setGeometry(NodeArtworkLayout::kButtonWidth * static_cast<int>(i), kButtonsTop,
                            NodeArtworkLayout::kButtonWidth, NodeArtworkLayout::kButtonHeight);
        setHintId(button, command);
        button->setAccessibleName(buttonHint(command));
        connect(button, &QAbstractButton::clicked, this, [this, command] { runCommand(command); });
        buttons_[i] = button;
    }
}

void NodePanel::connectDocument() {
    connect(&document_, &ProjectDocument::treeChanged, this, &NodePanel::refresh);
    connect(&document_, &ProjectDocument::selectionChanged, this, &NodePanel::refresh);
    connect(&document_, &ProjectDocument::viewReset, this, &NodePanel::refresh);
    connect(&document_, &ProjectDocument::projectValueChanged, this, [this](ProjectFieldId field) {
        if (field == kCameraMove) {
            refresh();
        }
    });
}

QAbstractButton* NodePanel::button(TreeEditor::Command command) const {
    const auto found = std::find(kCommands.begin(), kCommands.end(), command);
    return found != kCommands.end() ? buttons_[static_cast<std::size_t>(found - kCommands.begin())] : nullptr;
}

QLineEdit* NodePanel::renameField() const {
    return view_->renameField();
}

void NodePanel::runCommand(TreeEditor::Command command) {
    if (isCameraNode(document_.state().pSelNode)) {
        return;
    }
    view_->commitRename();
    document_.runTreeCommand(command);
}

void NodePanel::refresh() {
    model_->refresh();
    selectCurrentInView();
    layoutList();
    view_->viewport()->update();
}

// The view's current row follows the document's selection, so that the keyboard moves on from
// the selected node.
void NodePanel::selectCurrentInView() {
    const std::optional<int> row = model_->rows().rowOf(document_.state().pSelNode);
    if (row && view_->currentIndex().row() != *row) {
        view_->setCurrentIndex(model_->index(*row));
    }
}

void NodePanel::layoutList() {
    const int viewHeight = Geometry::listViewHeight(height());
    listClip_->setGeometry(0, Geometry::kListTop, width(), viewHeight);
    scrollbar_->setRange(kScrollbarX, Geometry::kListTop,
                         Geometry::scrollContentHeight(document_.state().nodeCount), viewHeight);
    scrollbar_->raise();
    offset_ = scrollbar_->position();
    placeView();
}

// The view is as tall as the whole list and moves under the clip by the scroll offset.
void NodePanel::placeView() {
    const int content = std::max(Geometry::rowTop(model_->rows().size()),
                                 Geometry::scrollContentHeight(document_.state().nodeCount));
    view_->setGeometry(0, -offset_, width(), std::max(content, listClip_->height()));
}

void NodePanel::reveal(int top, int bottom) {
    const int viewHeight = listClip_->height();
    if (top < offset_) {
        scrollbar_->wheelScroll(top - offset_);
    } else if (bottom > offset_ + viewHeight) {
        scrollbar_->wheelScroll(bottom - offset_ - viewHeight);
    }
}

void NodePanel::pressInList(QPoint listPoint) {
    const int panelY = listPoint.y() - offset_ + Geometry::kListTop;
    const std::optional<NodeRowHit> hit = model_->rows().hitTest(listPoint.x(), panelY, offset_);
    QLineEdit* field = view_->renameField();
    const NodeClick click{hit, document_.state().pSelNode,
                          field != nullptr ? RenameFieldState::Open : RenameFieldState::Closed};
    switch (nodeClickAction(click)) {
    case NodeClickAction::Nothing:
        view_->setFocus(Qt::MouseFocusReason);
        break;
    case NodeClickAction::CommitRename:
        view_->commitRename();
        break;
    case NodeClickAction::FlipVisibility:
        flipVisibility(*hit);
        break;
    case NodeClickAction::OpenRename:
        view_->openRename(hit->row->row);
        break;
    case NodeClickAction::ContinueRenaming:
        field->setFocus(Qt::MouseFocusReason);
        break;
    case NodeClickAction::CommitAndSelect: {
        EffectNode* node = hit->row->node; // the rows are rebuilt when the rename commits
        view_->commitRename();
        document_.select(node);
        view_->setFocus(Qt::MouseFocusReason);
        break;
    }
    }
}

void NodePanel::flipVisibility(const NodeRowHit& hit) {
    EffectNode* node = hit.row->node;
    if (node != nullptr) {
        document_.setNodeVisible(*node, node->m_isDraw == 0);
    }
}

// The keyboard made `row` current: an open rename was kept by the view, the node is selected.
void NodePanel::selectRow(int row) {
    const NodeRow* target = model_->rows().at(row);
    if (target != nullptr && target->node != document_.state().pSelNode) {
        document_.select(target->node);
    }
}

void NodePanel::paintEvent(QPaintEvent*) {
    PanelPainter painter(*this);
    painter.fill(toQColor(uiColors().window));
    const QRect title(kTitleTextX, 0, kWidth - kTitleTextX, kTitleHeight);
    painter.text(QCoreApplication::translate("NodePanel", "ノードパネル"), title,
                 QColor(kTitleGrey, kTitleGrey, kTitleGrey));
}

void NodePanel::resizeEvent(QResizeEvent*) {
    layoutList();
}

void NodePanel::wheelEvent(QWheelEvent* event) {
    const int angle = event->angleDelta().y();
    if (angle == 0) {
        event->ignore();
        return;
    }
    turnWheel(angle);
    event->accept();
}

void NodePanel::turnWheel(int angleDelta) {
    scrollbar_->wheelScroll(-angleDelta * OriginalScrollbar::kWheelPixelsPerNotch / kAngleUnitsPerNotch);
}

QMenu* NodePanel::contextMenu() {
    if (contextMenu_ == nullptr) {
        contextMenu_ = new QMenu(this);
        contextMenu_->setAccessibleName(QCoreApplication::translate("NodePanel", "ノード"));
    }
    contextMenu_->clear();
    contextMenu_->addActions(contextActions_);
    return contextMenu_;
}

void NodePanel::contextMenuEvent(QContextMenuEvent* event) {
    if (contextActions_.isEmpty()) {
        event->ignore();
        return;
    }
    contextMenu()->popup(event->globalPos());
}

} // namespace vintrel
