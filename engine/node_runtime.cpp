#include "engine/node_runtime.h"

namespace vintrel {

void NodeRuntime::refresh() {
    // The curves may have been edited since the last frame.
    ++curveGeneration;
    if (curveGeneration == 0) {
        // After 2^32 frames: forget every row rather than let a stale one look current.
        curveRows.assign(kCurveRowCount, CurveRow{});
        curveGeneration = 1;
    }
    const auto lock = node->lockParams();
    params = node->params();
}

void NodeRuntime::fillCurveRow(CurveRow& row, int age, std::uint32_t lifetime) {
    // The curves take the lifetime as an int, as Particle::lifetimeForCurves() passes it.
    const int life = static_cast<int>(lifetime);
    for (int slot = 0; slot < kCurveSlotCount; ++slot) {
        row.value[static_cast<std::size_t>(slot)] = curve(slot, age, life);
    }
    row.generation = curveGeneration;
    row.lifetime = lifetime;
    row.age = age;
}

NodeRuntime& NodeRuntimeSet::add(const EffectNode& node) {
    NodeRuntime& runtime = nodes_.emplace_back();
    runtime.node = &node;
    for (int slot = 0; slot < kCurveSlotCount; ++slot) {
        runtime.curves[static_cast<std::size_t>(slot)] = &node.graph(slot);
    }
    runtime.refresh();
    return runtime;
}

void NodeRuntimeSet::addSubtree(NodeRuntime& runtime) {
    for (const auto& child : runtime.node->m_children) {
        NodeRuntime& childRuntime = add(*child);
        childRuntime.parent = &runtime;
        runtime.children.push_back(&childRuntime);
        addSubtree(childRuntime);
    }
}

void NodeRuntimeSet::build(const EffectNode& root, const EffectNode& cameraNode,
                           const EffectNode& targetNode) {
    clear();
    root_ = &add(root);
    root_->isRoot = true;
    addSubtree(*root_);
    camera_ = &add(cameraNode);
    target_ = &add(targetNode);
    // The camera markers are born from the root's particle.
    camera_->parent = root_;
    target_->parent = root_;
}

const NodeRuntime* NodeRuntimeSet::find(const EffectNode* node) const {
    for (const NodeRuntime& runtime : nodes_) {
        if (runtime.node == node) {
            return &runtime;
        }
    }
    return nullptr;
}

void NodeRuntimeSet::refreshAll() {
    for (NodeRuntime& runtime : nodes_) {
        runtime.refresh();
    }
}

void NodeRuntimeSet::clear() {
    nodes_.clear();
    root_ = camera_ = target_ = nullptr;
}

} // namespace vintrel
