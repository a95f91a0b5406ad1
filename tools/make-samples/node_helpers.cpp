#include "node_helpers.h"

#include <memory>
#include <vector>

namespace samples {

using namespace vintrel;

void shape(EffectNode& node, int slot, std::initializer_list<std::pair<float, float>> points) {
    std::vector<CurvePoint> stored;
    for (const auto& [x, value] : points) {
        stored.push_back({x, 100.0f - value * 100.0f});
    }
    node.graph(slot).setPoints(std::move(stored));
}

void speedShape(EffectNode& node, std::initializer_list<std::pair<float, float>> points) {
    std::vector<CurvePoint> stored;
    for (const auto& [x, value] : points) {
        stored.push_back({x, 50.0f - value * 50.0f});
    }
    node.graph(SlotSpeed).setPoints(std::move(stored));
}

void colour(EffectNode& node, float r, float gr, float b) {
    shape(node, SlotRed, {{0, r}, {100, r}});
    shape(node, SlotGreen, {{0, gr}, {100, gr}});
    shape(node, SlotBlue, {{0, b}, {100, b}});
}

EffectNode& addTopLevel(GlobalState& g, const char* name) {
    EffectNode& node = g.rootNode->appendChild(std::make_unique<EffectNode>(g.rootNode.get()));
    node.setName(name);
    ++g.nodeCount;
    return node;
}

EffectNode& addChild(GlobalState& g, EffectNode& parent, const char* name) {
    EffectNode& node = parent.appendChild(std::make_unique<EffectNode>(&parent));
    node.setName(name);
    ++g.nodeCount;
    return node;
}

void useTexture(const GlobalState& g, EffectNode& node, const char* texture, bool additive) {
    node.m_texture.ID = textureIndexByName(g.materials, texture);
    node.m_texture.isAdd = additive ? 1 : 0;
}

void clearTree(GlobalState& g) {
    g.rootNode->clearChildren();
    g.nodeCount = 1;
}

} // namespace samples
