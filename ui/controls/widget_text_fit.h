#pragma once

class QWidget;

namespace vintrel {

// Fits the texts of `container`'s child widgets, which sit at fixed positions, to their words
// (see fitTexts): labels, check boxes and radio buttons grow, the controls after them move and
// the group frames around them widen, within the container's width.
void fitChildTexts(QWidget& container);

// The same for a dialog, whose frames hold their controls: the frames grow around what their
// texts need, and the dialog widens when its content does.
void fitDialogTexts(QWidget& dialog);

} // namespace vintrel
