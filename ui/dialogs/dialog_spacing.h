#pragma once

// The spacing of the small message-like dialogs, in dialog units: the margin Windows dialogs keep
// around their content, the gap between controls and the size of a push button.

namespace vintrel::dialog_spacing {

inline constexpr int kMarginX = 7;
inline constexpr int kMarginY = 7;
inline constexpr int kGapY = 4;
inline constexpr int kButtonWidth = 50;
inline constexpr int kButtonHeight = 14;

} // namespace vintrel::dialog_spacing
