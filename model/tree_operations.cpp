#include "model/tree_operations.h"

#include <algorithm>

namespace vintrel {

namespace {

constexpr const char* kCopySuffix = "のｺﾋﾟｰ";

int nextId(const EffectNode& root) { return static_cast<int>(static_cast<unsigned>(highestId(root, 0)) + 1u); }

void renumberChildren(EffectNode& parent) {
    for (int i = 0; i < parent.childCount(); ++i) {
        parent.child(i)->m_index = i;
    }
}

void copyRenameSubtree(EffectNode& node, const EffectNode& root) {
    node.setName(node.m_name + kCopySuffix);
    node.m_ID = nextId(root);
    for (auto& child : node.m_children) {
        copyRenameSubtree(*child, root);
    }
}

EffectNode* selectionAfterDelete(EffectNode& node) {
    EffectNode* parent = node.m_parent;
    if (parent->childCount() == 1) {
        return parent;
    }
    const int index = node.m_index;
    return index > 0 ? parent->child(index - 1) : parent->child(index + 1);
}

bool isWithin(const EffectNode* node, const EffectNode& top) {
    for (; node != nullptr; node = node->m_parent) {
        if (node == &top) {
            return true;
        }
    }
    return false;
}

} // namespace

int childPosition(const EffectNode& node) {
    if (node.m_parent == nullptr) {
        return -1;
    }
    const auto& siblings = node.m_parent->m_children;
    const auto it = std::find_if(siblings.begin(), siblings.end(), [&](const auto& c) { return c.get() == &node; });
    return it == siblings.end() ? -1 : static_cast<int>(it - siblings.begin());
}

EffectNode& addChildNode(EffectNode& parent) { return parent.appendChild(std::make_unique<EffectNode>(&parent)); }

EffectNode& addSiblingNode(EffectNode& node) {
    return node.m_parent != nullptr ? addChildNode(*node.m_parent) : node;
}

EffectNode& insertChildAt(EffectNode& parent, int index, std::unique_ptr<EffectNode> child) {
    index = std::clamp(index, 0, parent.childCount());
    child->m_parent = &parent;
    EffectNode& inserted = **parent.m_children.insert(parent.m_children.begin() + index, std::move(child));
    renumberChildren(parent);
    return inserted;
}

std::unique_ptr<EffectNode> detachChildAt(EffectNode& parent, int index) {
    auto child = parent.takeChild(index);
    renumberChildren(parent);
    return child;
}

void copyRename(EffectNode& top, const EffectNode& root) { copyRenameSubtree(top, root); }

void giveFreshIds(EffectNode& top, const EffectNode& root) {
    // The subtree's own IDs (from another project, perhaps huge) must not raise the next ones.
    forEachInSubtree(top, [](EffectNode& node) { node.m_ID = 0; });
    forEachInSubtree(top, [&root](EffectNode& node) { node.m_ID = nextId(root); });
}

bool isInSubtree(const EffectNode& node, const EffectNode& top) {
    return isWithin(&node, top);
}

bool canDeleteNode(const EffectNode& node) {
    const EffectNode* parent = node.m_parent;
    if (parent == nullptr) {
        return false;
    }
    return !(parent->m_parent == nullptr && parent->childCount() == 1);
}

int deleteNode(GlobalState& g, EffectNode& node) {
    if (!canDeleteNode(node)) {
        return 0;
    }
    EffectNode& parent = *node.m_parent;
    // m_index may be stale in a tree built by hand; the position is what counts.
    node.m_index = childPosition(node);
    // A selection inside the deleted subtree would be left dangling: it moves as well.
    if (isWithin(g.pSelNode, node)) {
        g.pSelNode = selectionAfterDelete(node);
    }
    const int removed = countNodes(node);
    detachChildAt(parent, node.m_index);
    relinkAndRenumber(parent);
    return removed;
}

} // namespace vintrel
