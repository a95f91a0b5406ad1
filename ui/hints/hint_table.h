#pragma once

// The one-line hints of the hint strip along the bottom of the main window: a text for each
// control id of the panels and for each command id of the picture buttons, and the texts of the
// camera drag modes chosen in the info bar.

#include <optional>
#include <string_view>

namespace vintrel {

// The hint of a control or command id, UTF-8. The size curves' pictures name what the curve
// changes for the selected node's shape type (a ShapeParams::Type). An id without a hint gives nothing.
// Every text is a string literal, so data() is null-terminated.
std::optional<std::string_view> hintFor(int id, int selectedShapeType);

// The hint of a camera drag mode: 1 pan, 2 orbit, 3 zoom. Other modes give nothing.
std::optional<std::string_view> cameraModeHint(int mode);

} // namespace vintrel
