#pragma once

// The copy-and-paste menu of a curve, shown by a right press on a curve thumbnail or on empty
// space in the curve editor.

#include <QPoint>

class QMenu;
class QWidget;

namespace vintrel {

class ProjectDocument;

// Opens the menu at `globalPos` and returns at once: "コピー" puts curve `slot` of the node
// selected at that moment on the curve clipboard, "貼り付け" (disabled while the clipboard is
// empty) pastes the clipboard into that curve through the document's history, and the shapes of
// "形から始める" replace that curve, one undo step each. The menu is a
// child of `parent` and deletes itself when it closes, so it never outlives its window, and no
// nested event loop runs while it is open.
QMenu* showCurveMenu(ProjectDocument& document, int slot, QWidget* parent, QPoint globalPos);

} // namespace vintrel
