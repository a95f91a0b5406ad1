#include "model/effect_node.h"

#include "model/default_names.h"
#include "model/node_members.h"
#include "platform/text_codec.h"

#include <cassert>
#include <string>

namespace vintrel {

namespace {

std::unique_ptr<Graph> makeCurve(int slot) {
    if (slot == SlotSpeed) {
        return std::make_unique<GraphSpeed>(curveSlotName(slot), 0.0f);
    }
    // The rotation-angle curves rise from 0 at birth to the full angle at death.
    const bool rising = slot == SlotSpin || slot == SlotOrbit;
    return std::make_unique<Graph>(curveSlotName(slot), rising ? 100.0f : 0.0f);
}

const EffectNode& topOf(const EffectNode& node) {
    const EffectNode* top = &node;
    while (top->m_parent != nullptr) {
        top = top->m_parent;
    }
    return *top;
}

// IDs wrap instead of overflowing; a tree never holds 2^31 nodes.
int nextId(int highest) {
    return static_cast<int>(static_cast<unsigned>(highest) + 1u);
}

} // namespace

EffectNode::EffectNode(EffectNode* parent) : m_parent(parent) {
    for (int slot = 0; slot < kCurveSlotCount; ++slot) {
        m_graph[static_cast<std::size_t>(slot)] = makeCurve(slot);
    }
    if (parent != nullptr) {
        m_ID = nextId(highestId(topOf(*parent), 0));
        m_index = parent->childCount();
    }
    m_name = defaultNames().node + std::to_string(m_ID);
}

EffectNode::~EffectNode() = default;

void EffectNode::copyFrom(const EffectNode& other) {
    if (&other == this) {
        return;
    }
    m_children.clear();
    for (const auto& sourceChild : other.m_children) {
        auto copy = std::make_unique<EffectNode>();
        copy->copyFrom(*sourceChild);
        copy->m_parent = this;
        m_children.push_back(std::move(copy));
    }
    m_parent = other.m_parent;
    m_name = other.m_name;
    m_ID = other.m_ID;
    m_depth = other.m_depth;
    m_row = other.m_row;
    m_index = other.m_index;
    setParams(other.params());
    for (int slot = 0; slot < kCurveSlotCount; ++slot) {
        graph(slot).setPoints(other.graph(slot).points());
    }
}

std::unique_ptr<EffectNode> detachedCopy(const EffectNode& node) {
    auto copy = std::make_unique<EffectNode>();
    copy->copyFrom(node);
    copy->m_parent = nullptr;
    return copy;
}

EffectNode* EffectNode::child(int index) const {
    if (index < 0 || index >= childCount()) {
        return nullptr;
    }
    return m_children[static_cast<std::size_t>(index)].get();
}

EffectNode& EffectNode::appendChild(std::unique_ptr<EffectNode> node) {
    assert(node);
    node->m_parent = this;
    node->m_index = childCount();
    m_children.push_back(std::move(node));
    return *m_children.back();
}

std::unique_ptr<EffectNode> EffectNode::takeChild(int index) {
    if (index < 0 || index >= childCount()) {
        return nullptr;
    }
    auto it = m_children.begin() + index;
    std::unique_ptr<EffectNode> node = std::move(*it);
    m_children.erase(it);
    node->m_parent = nullptr;
    return node;
}

void EffectNode::clearChildren() {
    m_children.clear();
}

void EffectNode::setName(std::string_view utf8) {
    m_name = text::cutUtf8ToCp932Bytes(utf8, kNameMaxBytes);
}

EffectNode* findNodeById(EffectNode& subtree, int id) {
    if (subtree.m_ID == id) {
        return &subtree;
    }
    for (auto& child : subtree.m_children) {
        if (EffectNode* found = findNodeById(*child, id)) {
            return found;
        }
    }
    return nullptr;
}

int highestId(const EffectNode& subtree, int start) {
    int highest = std::max(start, subtree.m_ID);
    for (const auto& child : subtree.m_children) {
        highest = highestId(*child, highest);
    }
    return highest;
}

int countNodes(const EffectNode& subtree) {
    int count = 1;
    for (const auto& child : subtree.m_children) {
        count += countNodes(*child);
    }
    return count;
}

void relinkAndRenumber(EffectNode& node) {
    for (int i = 0; i < node.childCount(); ++i) {
        EffectNode& child = *node.m_children[static_cast<std::size_t>(i)];
        child.m_parent = &node;
        child.m_index = i;
        relinkAndRenumber(child);
    }
}

namespace {

template <typename Visit> void forEachDescendant(EffectNode& node, const Visit& visit) {
    for (auto& child : node.m_children) {
        visit(*child);
        forEachDescendant(*child, visit);
    }
}

} // namespace

void forEachInSubtree(EffectNode& top, const std::function<void(EffectNode&)>& visit) {
    visit(top);
    for (auto& child : top.m_children) {
        forEachInSubtree(*child, visit);
    }
}

void resolveMaterialNames(EffectNode& root, const MaterialList& materials) {
    forEachDescendant(root, [&](EffectNode& node) {
        node.m_texture.name = textureName(materials, node.m_texture.ID);
        node.m_shape.modelName = modelName(materials, node.m_shape.type - ShapeParams::FirstModel);
    });
}

void resolveMaterialIds(EffectNode& root, const MaterialList& materials) {
    forEachDescendant(root, [&](EffectNode& node) {
        node.m_texture.ID =
            node.m_texture.name.empty() ? -1 : textureIndexByName(materials, node.m_texture.name);
        const int model = modelIndexByName(materials, node.m_shape.modelName);
        // A reference to a model that is gone keeps its old shape value.
        if (model >= 0 && !node.m_shape.modelName.empty()) {
            node.m_shape.type = ShapeParams::FirstModel + model;
        }
    });
}

} // namespace vintrel
