#include "ui/panels/node_click_rule.h"

namespace vintrel {

NodeClickAction nodeClickAction(const NodeClick& click) {
    const bool renaming = click.renameField == RenameFieldState::Open;
    if (!click.hit) {
        return renaming ? NodeClickAction::CommitRename : NodeClickAction::Nothing;
    }
    if (click.hit->onVisibilityIcon) {
        return NodeClickAction::FlipVisibility;
    }
    const NodeRow& row = *click.hit->row;
    if (row.node != click.selected) {
        return NodeClickAction::CommitAndSelect;
    }
    if (renaming) {
        return NodeClickAction::ContinueRenaming;
    }
    return row.kind == NodeRowKind::Node ? NodeClickAction::OpenRename : NodeClickAction::Nothing;
}

} // namespace vintrel
