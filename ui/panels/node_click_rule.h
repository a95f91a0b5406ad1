#pragma once

// What a left click in the node panel's list does, from what it hit and whether the rename
// field is open.

#include "ui/panels/node_rows.h"

#include <optional>

namespace vintrel {

enum class NodeClickAction {
    Nothing,
    CommitRename,     // below the last row while renaming: the new name is kept
    FlipVisibility,   // the icon column: shows or hides the node, selection and rename untouched
    OpenRename,       // the selected row: its name becomes editable
    ContinueRenaming, // the selected row while its name is being edited: the field keeps the focus
    CommitAndSelect,  // another row: an open rename is kept, then that row is selected
};

enum class RenameFieldState { Closed, Open };

struct NodeClick {
    std::optional<NodeRowHit> hit;
    const EffectNode* selected = nullptr;
    RenameFieldState renameField = RenameFieldState::Closed;
};

// Camera rows keep their fixed labels, so clicking the selected camera row opens no field.
NodeClickAction nodeClickAction(const NodeClick& click);

} // namespace vintrel
