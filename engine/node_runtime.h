#pragma once

#include "model/effect_node.h"

#include <array>
#include <cstdint>
#include <deque>
#include <vector>

namespace vintrel {

// What the simulation keeps of one node: a per-frame copy of its parameters (so that edits on
// the user-interface thread are seen whole, before or after), its curves (whose tables are
// safe to read while they are rebuilt) and its children. Built when the simulation resets; the
// tree does not change shape without a reset.
struct NodeRuntime {
    const EffectNode* node = nullptr;
    NodeParams params;
    std::array<const Graph*, kCurveSlotCount> curves{};
    std::vector<NodeRuntime*> children;
    // The node whose particles emit this one's: null for the root only.
    const NodeRuntime* parent = nullptr;
    bool isRoot = false;

    float curve(int slot, int age, int lifetime) const {
        return curves[static_cast<std::size_t>(slot)]->evaluate(age, lifetime);
    }
    // Copies the node's parameters under its lock.
    void refresh();

    // The values of every curve for one age and lifetime, curve(slot, age, lifetime) for each
    // slot. The particles of a node share a few ages and lifetimes, so the rows are kept until
    // the next refresh() and each is evaluated once per frame. The pointer is valid until the
    // next call on this node.
    const float* curveRow(int age, std::uint32_t lifetime) {
        const std::size_t index =
            (static_cast<std::size_t>(age) + static_cast<std::size_t>(lifetime) * 37u) % kCurveRowCount;
        CurveRow& row = curveRows[index];
        if (row.generation != curveGeneration || row.age != age || row.lifetime != lifetime) {
            fillCurveRow(row, age, lifetime);
        }
        return row.value.data();
    }

    // The row cache behind curveRow(), for this struct's own functions only (the members stay
    // public so that the struct remains an aggregate).
    struct CurveRow {
        std::uint32_t generation = 0;
        std::uint32_t lifetime = 0;
        int age = 0;
        std::array<float, kCurveSlotCount> value{};
    };
    static constexpr std::size_t kCurveRowCount = 256;
    void fillCurveRow(CurveRow& row, int age, std::uint32_t lifetime);
    // Bumped by refresh(): rows of an older generation are stale.
    std::uint32_t curveGeneration = 1;
    std::vector<CurveRow> curveRows = std::vector<CurveRow>(kCurveRowCount);
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
    // The run-time copy of `node`, or null when the set has none.
    const NodeRuntime* find(const EffectNode* node) const;

private:
    NodeRuntime& add(const EffectNode& node);
    void addSubtree(NodeRuntime& runtime);

    std::deque<NodeRuntime> nodes_;
    NodeRuntime* root_ = nullptr;
    NodeRuntime* camera_ = nullptr;
    NodeRuntime* target_ = nullptr;
};

} // namespace vintrel
