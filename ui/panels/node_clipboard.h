#pragma once

// Copy, cut and paste of the selected node through the system clipboard, so that nodes travel
// between projects open in different editor processes.

#include "platform/notifier.h"

class QClipboard;

namespace vintrel {

class ProjectDocument;

// Puts the selected node's subtree on `clipboard` (our MIME type and plain text); false with a
// message when nothing can be copied (no node or a camera row selected: false without one).
bool copySelectedNode(ProjectDocument& document, QClipboard& clipboard, Notifier& notifier);
// Copies, then deletes the node as the delete command does (its own undo step).
bool cutSelectedNode(ProjectDocument& document, QClipboard& clipboard, Notifier& notifier);
// Adds the clipboard's subtree below the selected node with the materials it brings; damaged
// data is refused with a message and changes nothing. False when nothing was pasted.
bool pasteNode(ProjectDocument& document, const QClipboard& clipboard, Notifier& notifier);

} // namespace vintrel
