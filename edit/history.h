#pragma once

#include "model/global_state.h"
#include "edit/editor_hooks.h"

#include <memory>
#include <string>
#include <vector>

namespace vintrel {

// The linear undo history of the editor. Value edits are identified by member path
// ("g.pSelNode->m_kill.span", or a project path such as "g.project.isCameraMove") and node ID;
// nodes are found by ID on every apply, never kept by pointer, since moves and undo replace
// nodes.
class History {
public:
    enum Kind { ValueEdit, Rename, CurveEdit, Add, Delete, Move };

    struct Value {
        double number = 0; // an int or float value, a curve slot, or a child index
        std::string text;
        std::vector<CurvePoint> points;
        int parentId = 0;
    };

    struct Entry {
        std::string path; // value edits: the member path
        Value before;
        Value after;
        int nodeId = 0;
        std::string valueType; // "int" or "float"
        std::string title;
        Kind kind = ValueEdit;
        std::unique_ptr<EffectNode> snapshot; // the added or deleted subtree
    };

    static constexpr const char* kStartTitle = "スタート";

    History(GlobalState& g, EditorHooks& hooks);

    // Back to the single entry "スタート" (start-up and after a project was opened).
    void clear();

    // A value edit of the selected node (or of the project for a "g.project." path): records
    // or merges an entry and stores the value. False when the path is unknown, nothing is
    // selected, or the value is unchanged.
    bool recordValue(std::string_view path, double value);
    // Renames the selected node; false when the name is unchanged.
    bool recordRename(const std::string& name);
    // Call before changing curve `slot` of the selected node.
    void recordCurveEdit(int slot);
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

    // Whether `path` names a value that edits can change.
    static bool isKnownPath(std::string_view path);

    const std::vector<Entry>& entries() const { return entries_; }
    int current() const { return current_; }

private:
    Entry& add(Entry entry);
    // The newest applied entry when nothing was undone after it, else null.
    Entry* mergeCandidate();
    void undoEntry(Entry& entry);
    void redoEntry(Entry& entry);
    void moveNode(int nodeId, int parentId, int index);
    void afterStructuralChange();

    GlobalState& g_;
    EditorHooks& hooks_;
    std::vector<Entry> entries_;
    int current_ = 0;
};

} // namespace vintrel
