#pragma once

#include "model/global_state.h"

#include <memory>

namespace vintrel {

// Structural primitives of the effect tree. They keep m_parent and m_index of the nodes they
// touch right; callers that need the whole tree consistent call relinkAndRenumber on the root.

// Position of `node` among its parent's children (whatever its m_index says); -1 without parent.
int childPosition(const EffectNode& node);

// Constructs a node below `parent` (fresh ID and name) and appends it.
EffectNode& addChildNode(EffectNode& parent);
// Adds a node at the end of `node`'s parent's children; a node without parent gets none and
// the node itself is returned.
EffectNode& addSiblingNode(EffectNode& node);
// Inserts `child` before position `index` (0 or less: the front; past the end: the end).
EffectNode& insertChildAt(EffectNode& parent, int index, std::unique_ptr<EffectNode> child);
// Takes the subtree at `index` out of `parent`; null when there is none.
std::unique_ptr<EffectNode> detachChildAt(EffectNode& parent, int index);

// Appends "のｺﾋﾟｰ" to the name of `top` and of every node below it (cut to the name limit) and
// gives each a fresh ID, one above the highest in `root`'s tree: `top` first, then its
// descendants depth first.
void copyRename(EffectNode& top, const EffectNode& root);

// Gives `top` and every node below it a fresh ID above the others in `root`'s tree (which holds
// `top`): `top` first, then its descendants depth first. Names stay.
void giveFreshIds(EffectNode& top, const EffectNode& root);

// Whether `node` is `top` or lies below it.
bool isInSubtree(const EffectNode& node, const EffectNode& top);

// The delete refusal: the root, and the only node below the root, cannot be deleted.
bool canDeleteNode(const EffectNode& node);
constexpr const char* kCannotDeleteMessage = "このノードは削除できません";
constexpr const char* kCannotDeleteCaption = "確認";

// Deletes `node` with its subtree: when it holds the selection, the selection moves to its parent
// (only child), else to the previous sibling, or to the next one when it was the first. Returns
// the number of nodes removed; 0 when the refusal applies.
int deleteNode(GlobalState& g, EffectNode& node);

} // namespace vintrel
