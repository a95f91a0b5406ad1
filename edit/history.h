#pragma once

#include "edit/editor_hooks.h"
#include "model/global_state.h"
#include "model/value_target.h"

#include <array>
#include <memory>
#include <string>
#include <variant>
#include <vector>

namespace vintrel {

// The linear undo history of the editor. Each entry is one typed edit: a value of a node member
// or of the project, a rename, a curve, an added, deleted or moved node. Nodes are named by ID
// and found again on every apply, never kept by pointer, since moves and undo replace nodes.
// How a curve edit meets the history entry before it.
enum class CurveMerge {
    Successive, // joins the newest entry when that is an open edit of the same curves
    Separate,   // a new entry, which the successive edits after it join (a press and its drag)
    Alone,      // a new entry that no later edit joins (a chosen shape, a typed point)
};

class History {
public:
    // A value as its member stores it.
    using Number = std::variant<int, float>;

    // A node's place in the tree: its parent's ID and its position among the children.
    struct Place {
        int parentId = 0;
        int index = 0;
    };

    struct Start {};
    struct ValueEdit {
        ValueTarget target;
        int nodeId = 0; // 0 for a project value
        Number before;
        Number after;
    };
    struct Rename {
        int nodeId = 0;
        std::string before;
        std::string after;
    };
    struct CurveEdit {
        int nodeId = 0;
        CurveSlot slot = SlotWidth;
        std::vector<CurvePoint> before;
        std::vector<CurvePoint> after;
        bool open = true; // later successive edits of the curve join this entry
    };
    // The red, green, blue and opacity curves, changed together by the colour gradient.
    static constexpr std::array<CurveSlot, 4> kGradientSlots{SlotRed, SlotGreen, SlotBlue, SlotAlpha};
    using GradientCurves = std::array<std::vector<CurvePoint>, kGradientSlots.size()>;
    struct GradientEdit {
        int nodeId = 0;
        GradientCurves before;
        GradientCurves after;
    };
    // The added subtree is kept from its first undo on, to be inserted again by redo.
    struct AddNode {
        int nodeId = 0;
        Place at;
        std::unique_ptr<EffectNode> snapshot;
    };
    struct DeleteNode {
        int nodeId = 0;
        Place at;
        std::unique_ptr<EffectNode> snapshot;
    };
    struct MoveNode {
        int nodeId = 0;
        Place from;
        Place to;
    };
    using Edit = std::variant<Start, ValueEdit, Rename, CurveEdit, AddNode, DeleteNode, MoveNode, GradientEdit>;

    struct Entry {
        std::string title; // the stored wording (Japanese), as the project's history has always titled it
        Edit edit;
        std::string subject; // the node's name when the entry was made (after a rename, the new one)
    };

    static constexpr const char* kStartTitle = "スタート";

    History(GlobalState& g, EditorHooks& hooks);

    // Back to the single entry "スタート" (start-up and after a project was opened).
    void clear();

    // A value edit of the selected node's member or of a project value: records or merges an
    // entry and stores the value. False when a member is edited with nothing selected, for the
    // node's identity, or when the value is unchanged.
    bool recordValue(ValueTarget target, double value);
    // Renames the selected node; false when the name is unchanged.
    bool recordRename(const std::string& name);
    // Call before changing curve `slot` of the selected node.
    void recordCurveEdit(CurveSlot slot, CurveMerge merge = CurveMerge::Successive);
    // Call before changing the selected node's colour curves through the gradient.
    void recordGradientEdit(CurveMerge merge);
    // Call after `node` was added and selected.
    void recordAdd(const EffectNode& node);
    // Call before `node` is deleted.
    void recordDelete(const EffectNode& node);
    // Call before `node` is moved.
    void recordMove(const EffectNode& node);

    // Each stops the worker first and resets the view afterwards. False when there was
    // nothing to do.
    bool undo();
    bool redo();
    bool jump(int index);

    const std::vector<Entry>& entries() const { return entries_; }
    int current() const { return current_; }

private:
    Entry& add(Entry entry);
    // The newest applied entry when nothing was undone after it, else null.
    Entry* mergeCandidate();
    // The node at a place, or null; a copy of `snapshot` inserted there and selected.
    EffectNode* nodeAt(const Place& at) const;
    void insertCopyAt(const Place& at, const EffectNode* snapshot);
    void undoEdit(Edit& edit);
    void redoEdit(Edit& edit);
    void moveNode(int nodeId, int parentId, int index);
    void afterStructuralChange();

    GlobalState& g_;
    EditorHooks& hooks_;
    std::vector<Entry> entries_;
    int current_ = 0;
};

// The history label of a value: a node member's; project values have none.
std::string_view labelOf(const ValueTarget& target);

} // namespace vintrel
