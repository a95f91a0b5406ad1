#pragma once

// Draws a value curve: the large editing picture of the curve editor, with the hovered point's
// cross-hair and labels and every point's square, and the small thumbnail of the parameter
// panels. Both read the curve and draw; neither changes it.

#include <QSize>

namespace vintrel {

class CurveEditState;
class Graph;
class PanelPainter;

// The editing picture in the area of `state` (its width and height): the background (with the
// middle line for the speed curve), the hovered point's cross-hair and labels, the curve through
// its table and the point squares, the hovered or dragged one in yellow.
void paintCurveEditor(PanelPainter& painter, const Graph& graph, const CurveEditState& state);

// The thumbnail: the table as a thin white line on CLIENT_COLOR, without points or labels.
void paintCurveThumbnail(PanelPainter& painter, const Graph& graph, QSize size);

} // namespace vintrel
