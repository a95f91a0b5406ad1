#pragma once

// The one-line hints of the hint strip along the bottom of the main window: a text for each
// control id of the panels and for each command id of the picture buttons, and the texts of the
// camera drag modes chosen in the info bar.

#include <optional>
#include <string_view>

namespace vintrel {

// Shape types whose size curves mean something else (the values of ShapeParams::Type).
inline constexpr int kCylinderShapeType = 3;
inline constexpr int kTrailShapeType = 4;

// The hint of a control or command id, UTF-8. The size curves' controls (1241, 1244, 1245) name
// what the curve changes for the selected node's shape type. An id without a hint gives nothing.
// Every text is a string literal, so data() is null-terminated.
std::optional<std::string_view> hintFor(int id, int selectedShapeType);

// The hint of a camera drag mode: 1 pan, 2 orbit, 3 zoom. Other modes give nothing.
std::optional<std::string_view> cameraModeHint(int mode);

} // namespace vintrel
