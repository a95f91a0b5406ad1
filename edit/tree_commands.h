#pragma once

#include "edit/history.h"
#include "platform/notifier.h"

namespace vintrel {

// The node panel's tree commands on the selected node. Each one that changes the tree stops
// the worker, changes the tree, records it in the history, and resets the view; a command that
// cannot apply (a move past the ends, a camera node selected) changes and records nothing.
class TreeEditor {
public:
    enum Command {
        AddSibling = 200,
        AddChild = 201,
        Duplicate = 202,
        Delete = 203,
        MoveDown = 204,
        MoveUp = 205,
        MoveIntoPrevious = 206,
        MoveOut = 207,
    };

    TreeEditor(GlobalState& g, History& history, EditorHooks& hooks, Notifier& notifier);

    // Runs a command; false when it changed nothing.
    bool run(Command command);

    bool addSibling();
    bool addChild();
    bool duplicate();
    bool deleteSelected();
    bool moveDown();
    bool moveUp();
    bool moveIntoPrevious();
    bool moveOut();

    // Adds `top` (a subtree from the clipboard) as the last child of the selected node, or of the
    // root when a camera row is selected, with fresh IDs, selected, as one undo step.
    bool paste(std::unique_ptr<EffectNode> top);
    // Moves node `nodeId` with its subtree to position `index` among `newParentId`'s children
    // (a drag in the node panel), as one undo step. Refused (false, nothing changes) for the root,
    // the camera nodes, a move into the node's own subtree and a move to where it already is.
    bool moveNode(int nodeId, int newParentId, int index);

private:
    // Whether the panels' open value editors close before the tree changes.
    enum class OpenEditors { Close, Keep };
    // What the node panel does after the change besides refreshing its rows.
    enum class PanelAfter { Refresh, ShowSelection, ShowSelectionAndLayOut };
    enum class Placement { Sibling, Child };

    EffectNode* editableSelection() const;
    void begin(OpenEditors editors);
    void finish(PanelAfter panel);
    bool add(Placement placement);
    bool moveTo(EffectNode& node, EffectNode& newParent, int index);

    GlobalState& g_;
    History& history_;
    EditorHooks& hooks_;
    Notifier& notifier_;
};

} // namespace vintrel
