#pragma once

// Node trees for tests: a short text of a tree's shape and checks of its invariants.

#include "model/effect_node.h"
#include "model/global_state.h"

#include <cstddef>
#include <gtest/gtest.h>
#include <memory>
#include <set>
#include <string>

namespace vintrel::test {

// Appends a new default node as the last child of `parent`.
inline EffectNode& addChild(EffectNode& parent) {
    return parent.appendChild(std::make_unique<EffectNode>(&parent));
}

// "name#ID(children)" for the whole subtree, in child order.
inline std::string shape(const EffectNode& node) {
    std::string text = node.m_name + "#" + std::to_string(node.m_ID);
    if (!node.m_children.empty()) {
        text += "(";
        for (std::size_t i = 0; i < node.m_children.size(); ++i) {
            text += (i > 0 ? " " : "") + shape(*node.m_children[i]);
        }
        text += ")";
    }
    return text;
}

// Every node's m_parent is the node holding it, m_index its position, and IDs are unique.
inline void expectConsistent(const EffectNode& node, std::set<int>& ids) {
    EXPECT_TRUE(ids.insert(node.m_ID).second) << "duplicate ID " << node.m_ID;
    for (int i = 0; i < node.childCount(); ++i) {
        const EffectNode& child = *node.child(i);
        EXPECT_EQ(child.m_parent, &node) << child.m_name;
        EXPECT_EQ(child.m_index, i) << child.m_name;
        expectConsistent(child, ids);
    }
}

// The tree's invariants: parents and indices right, unique IDs, the node count, and a
// selection that is a node of the tree.
inline void expectConsistent(const GlobalState& g) {
    std::set<int> ids;
    expectConsistent(*g.rootNode, ids);
    EXPECT_EQ(g.nodeCount, countNodes(*g.rootNode));
    ASSERT_NE(g.pSelNode, nullptr);
    EXPECT_EQ(findNodeById(*g.rootNode, g.pSelNode->m_ID), g.pSelNode);
}

} // namespace vintrel::test
