#include "edit/tree_commands.h"

#include "model/tree_operations.h"

namespace vintrel {

TreeEditor::TreeEditor(GlobalState& g, History& history, EditorHooks& hooks, Notifier& notifier)
    : g_(g), history_(history), hooks_(hooks), notifier_(notifier) {}

bool TreeEditor::run(Command command) {
    switch (command) {
    case AddSibling:
        return addSibling();
    case AddChild:
        return addChild();
    case Duplicate:
        return duplicate();
    case Delete:
        return deleteSelected();
    case MoveDown:
        return moveDown();
    case MoveUp:
        return moveUp();
    case MoveIntoPrevious:
        return moveIntoPrevious();
    case MoveOut:
        return moveOut();
    }
    return false;
}

// Tree commands ignore the camera nodes, which are not part of the tree.
EffectNode* TreeEditor::editableSelection() const {
    EffectNode* node = g_.pSelNode;
    if (node == nullptr || node->m_ID == EffectNode::kCameraPositionId ||
        node->m_ID == EffectNode::kCameraTargetId || node->m_parent == nullptr) {
        return nullptr;
    }
    return node;
}

void TreeEditor::begin(OpenEditors editors) {
    hooks_.stopWorker();
    if (editors == OpenEditors::Close) {
        hooks_.closeValueEditors();
    }
}

void TreeEditor::finish(PanelAfter panel) {
    relinkAndRenumber(*g_.rootNode);
    hooks_.refreshNodePanel();
    hooks_.resetView();
    if (panel != PanelAfter::Refresh) {
        hooks_.showSelection();
    }
    if (panel == PanelAfter::ShowSelectionAndLayOut) {
        hooks_.layoutNodePanel();
    }
}

bool TreeEditor::add(Placement placement) {
    EffectNode* selected = editableSelection();
    if (selected == nullptr) {
        return false;
    }
    begin(OpenEditors::Close);
    EffectNode& added = placement == Placement::Sibling ? addSiblingNode(*selected) : addChildNode(*selected);
    g_.pSelNode = &added;
    history_.recordAdd(added);
    ++g_.nodeCount;
    finish(PanelAfter::ShowSelectionAndLayOut);
    return true;
}

bool TreeEditor::addSibling() {
    return add(Placement::Sibling);
}

bool TreeEditor::addChild() {
    return add(Placement::Child);
}

bool TreeEditor::duplicate() {
    EffectNode* selected = editableSelection();
    if (selected == nullptr) {
        return false;
    }
    begin(OpenEditors::Close);
    EffectNode& inserted =
        insertChildAt(*selected->m_parent, childPosition(*selected), detachedCopy(*selected));
    relinkAndRenumber(inserted);
    g_.pSelNode = &inserted;
    copyRename(inserted, *g_.rootNode);
    inserted.m_ID = static_cast<int>(static_cast<unsigned>(highestId(*g_.rootNode, 0)) + 1u);
    history_.recordAdd(inserted);
    g_.nodeCount += countNodes(inserted);
    finish(PanelAfter::ShowSelection);
    return true;
}

bool TreeEditor::deleteSelected() {
    EffectNode* selected = editableSelection();
    if (selected == nullptr) {
        return false;
    }
    if (!canDeleteNode(*selected)) {
        notifier_.show(kCannotDeleteCaption, Message{kCannotDeleteMessage});
        return false;
    }
    begin(OpenEditors::Close);
    selected->m_index = childPosition(*selected);
    history_.recordDelete(*selected);
    g_.nodeCount -= deleteNode(g_, *selected);
    finish(PanelAfter::ShowSelectionAndLayOut);
    return true;
}

bool TreeEditor::moveTo(EffectNode& node, EffectNode& newParent, int index) {
    begin(OpenEditors::Keep);
    node.m_index = childPosition(node);
    history_.recordMove(node);
    // The subtree moves whole, keeping its names, IDs and curves.
    std::unique_ptr<EffectNode> moved = detachChildAt(*node.m_parent, node.m_index);
    g_.pSelNode = &insertChildAt(newParent, index, std::move(moved));
    finish(PanelAfter::Refresh);
    return true;
}

bool TreeEditor::paste(std::unique_ptr<EffectNode> top) {
    if (top == nullptr) {
        return false;
    }
    EffectNode* selected = editableSelection();
    EffectNode& parent = selected != nullptr ? *selected : *g_.rootNode;
    begin(OpenEditors::Close);
    EffectNode& inserted = insertChildAt(parent, parent.childCount(), std::move(top));
    relinkAndRenumber(inserted);
    giveFreshIds(inserted, *g_.rootNode);
    g_.pSelNode = &inserted;
    history_.recordAdd(inserted);
    g_.nodeCount += countNodes(inserted);
    finish(PanelAfter::ShowSelectionAndLayOut);
    return true;
}

bool TreeEditor::moveNode(int nodeId, int newParentId, int index) {
    EffectNode* node = findNodeById(*g_.rootNode, nodeId);
    EffectNode* parent = findNodeById(*g_.rootNode, newParentId);
    if (node == nullptr || parent == nullptr || node->m_parent == nullptr || isInSubtree(*parent, *node)) {
        return false;
    }
    const int from = childPosition(*node);
    // Inserting before itself or just after itself leaves it where it is.
    if (parent == node->m_parent && (index == from || index == from + 1)) {
        return false;
    }
    // Taken out first, a node further down the same parent moves one place up.
    const int to = parent == node->m_parent && index > from ? index - 1 : index;
    g_.pSelNode = node;
    return moveTo(*node, *parent, to);
}

bool TreeEditor::moveDown() {
    EffectNode* selected = editableSelection();
    if (selected == nullptr) {
        return false;
    }
    const int index = childPosition(*selected);
    if (index + 1 >= selected->m_parent->childCount()) {
        return false;
    }
    return moveTo(*selected, *selected->m_parent, index + 1);
}

bool TreeEditor::moveUp() {
    EffectNode* selected = editableSelection();
    if (selected == nullptr || childPosition(*selected) == 0) {
        return false;
    }
    return moveTo(*selected, *selected->m_parent, childPosition(*selected) - 1);
}

bool TreeEditor::moveIntoPrevious() {
    EffectNode* selected = editableSelection();
    if (selected == nullptr || childPosition(*selected) == 0) {
        return false;
    }
    EffectNode& previous = *selected->m_parent->child(childPosition(*selected) - 1);
    return moveTo(*selected, previous, previous.childCount());
}

bool TreeEditor::moveOut() {
    EffectNode* selected = editableSelection();
    if (selected == nullptr || selected->m_parent->m_parent == nullptr) {
        return false;
    }
    EffectNode& parent = *selected->m_parent;
    return moveTo(*selected, *parent.m_parent, childPosition(parent) + 1);
}

} // namespace vintrel
