#pragma once

#include "model/effect_node.h"

#include <array>
#include <deque>
#include <vector>

namespace vintrel {

// The parameters of a node as the simulation reads them during one frame.
struct NodeParams {
    EmitterParams emitter;
    TimingParams timing;
    KillParams kill;
    MoveParams move;
    ShapeParams shape;
    TextureParams texture;
    ScaleParams scale;
    ColorParams color;
    RotateParams rotate;
    int isDraw = 1;
};

// What the simulation keeps of one node: a per-frame copy of its parameters (so that edits on
// the user-interface thread are seen whole, before or after), its curves (whose tables are
// safe to read while they are rebuilt) and its children. Built when the simulation resets; the
// tree does not change shape without a reset.
struct NodeRuntime {
    const EffectNode* node = nullptr;
    NodeParams params;
    std::array<const Graph*, kCurveSlotCount> curves{};
    std::vector<NodeRuntime*> children;
    bool isRoot = false;

    float curve(int slot, int age, int lifetime) const {
        return curves[static_cast<std::size_t>(slot)]->evaluate(age, lifetime);
    }
    // Copies the node's parameters under its lock.
    void refresh();
};

// The runtimes of a whole tree and of the two camera nodes, with stable addresses.
class NodeRuntimeSet {
public:
    void build(const EffectNode& root, const EffectNode& cameraNode, const EffectNode& targetNode);
    void refreshAll();
    void clear();

    NodeRuntime& root() { return *root_; }
    NodeRuntime& cameraNode() { return *camera_; }
    NodeRuntime& targetNode() { return *target_; }

private:
    NodeRuntime& add(const EffectNode& node);
    void addSubtree(NodeRuntime& runtime);

    std::deque<NodeRuntime> nodes_;
    NodeRuntime* root_ = nullptr;
    NodeRuntime* camera_ = nullptr;
    NodeRuntime* target_ = nullptr;
};

} // namespace vintrel
