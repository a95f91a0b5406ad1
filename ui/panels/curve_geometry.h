#pragma once

// The curve editor's rules without pixels on a screen: where a control point is drawn in a
// drawing area of w × h pixels, which point the mouse is over, and what a press, a drag and a
// right press do to the points. The widgets hold one CurveEditState, pass it the curve's points
// and the mouse position, and hand the changed points to the document.
//
// Points are in percent (x 0..100 along the life, y 0..100 downwards: y = 0 is 100 %). The mouse
// position is in the coordinates of the window that holds the drawing area; the area starts
// kMouseOrigin pixels from that window's left and top edges.

#include "model/curve.h"

#include <optional>
#include <string>
#include <vector>

namespace vintrel {

// Value curves read 0..100 % from bottom to top; the speed curve -100..100 % with 0 % on its
// middle line.
enum class CurveKind { Value, Speed };

// Whether Shift is held during a drag: then the whole curve follows the dragged point up and
// down.
enum class GroupDrag { Off, On };

// Whether the left mouse button is still down when a move arrives.
enum class LeftButton { Released, Held };

// What a right press did.
enum class RightPressResult {
    Deleted,  // the hovered inner point was removed
    Kept,     // the hovered point is the first or the last one, which stay
    ShowMenu, // nothing hovered: the copy and paste menu belongs here
};

struct PixelPoint {
    float x = 0, y = 0;
};

// A whole-percent mouse position, truncated towards zero (it may lie outside 0..100).
struct PercentPoint {
    int x = 0, y = 0;
};

// One text of the cross-hair, placed by its top-left corner.
struct CurveLabel {
    std::string text;
    PixelPoint topLeft;
};

// The two texts shown for the hovered point: its value and its position along the life.
struct HoverLabels {
    CurveLabel value;
    CurveLabel position;
};

// A point's value as the editor shows it: 0..100 % (the speed curve −100..100 %).
float shownValueOf(CurvePoint p, CurveKind kind);

// Point `index` of `points` placed at a typed position along the life and a typed value (both in
// percent, as shown), under the drag's rules: the ends keep x = 0 and 100, an inner point stays
// 1 % from its neighbours, and the height stays inside the curve. An index out of range leaves
// the points as they are.
std::vector<CurvePoint> withTypedPoint(std::vector<CurvePoint> points, int index, CurveKind kind, float life,
                                       float value);

// The grid of the curve editor: a line at every 10 % of the life and of the value, and the value
// written beside every line that has room for its text.
struct CurveGridLine {
    float pixel = 0;    // x of a life line, y of a value line
    int percent = 0;    // the life or the value it stands for
    bool labelled = false;
};
struct CurveGrid {
    std::vector<CurveGridLine> life;
    std::vector<CurveGridLine> value;
};

class CurveEditState {
public:
    // Side of a point's square, and the drawing area's total margin (half of it on each side).
    static constexpr int kHandleSize = 8;
    // Where the drawing area starts inside the window that receives the mouse.
    static constexpr int kMouseOrigin = 15;
    static constexpr float kMaxPercent = 100.0f;
    // Mouse positions arrive as signed 16-bit values.
    static constexpr int kMouseLimit = 32767;
    // The smallest gap a dragged point keeps from its neighbours, in percent.
    static constexpr float kNeighbourGap = 1.0f;
    // Size of a label's box: the position label stands this far left of the cross-hair, the value
    // label this far above it.
    static constexpr int kLabelWidth = 40;
    static constexpr int kLabelHeight = 20;

    explicit CurveEditState(CurveKind kind = CurveKind::Value) : kind_(kind) {}

    CurveKind kind() const { return kind_; }

    // The drawing area's size in pixels.
    void setArea(int width, int height);
    int width() const { return width_; }
    int height() const { return height_; }
    // False while the area is no larger than the margin: then nothing can be hit or edited.
    bool hasRoom() const;

    // Where point `p` is drawn: ((w − 8) ÷ 100 × x + 4, (h − 8) ÷ 100 × y + 4), in float.
    PixelPoint toPixel(CurvePoint p) const;
    // The top-left corner of the point's square: the same mapping without the half margin,
    // truncated.
    PixelPoint handleTopLeft(CurvePoint p) const;
    // Where table entry `index` (0..100) with the value `tableY` is drawn.
    PixelPoint tablePixel(int index, float tableY) const;
    // The mouse position in whole percent: (m − 15) × 100 ÷ (size − 8), in integer arithmetic.
    // Without room it is (0, 0).
    PercentPoint toPercent(int mouseX, int mouseY) const;

    // Finds the point under the mouse: the nearest in percent (the earlier one on a tie) when it
    // lies within a handle's size of the cursor. Sets the hovered index (−1 when none).
    bool hitTest(const std::vector<CurvePoint>& points, int mouseX, int mouseY);

    // A left press: drags the hovered point, or inserts one at the mouse and drags that. A press
    // left of 1 % replaces the first point, right of 99 % the last, and at the whole-percent x
    // of an existing point that point. Keeps a copy of the points for the Shift drag. A press
    // with Shift held away from every point inserts nothing: it grabs the whole curve, which
    // the drag then moves up or down with the mouse.
    void leftDown(std::vector<CurvePoint>& points, int mouseX, int mouseY, GroupDrag group = GroupDrag::Off);

    // Moves the dragged point to the mouse. The ends keep x = 0 and 100, an inner point stays
    // 1 % from its neighbours and y stays in 0..100. With GroupDrag::On every other point moves
    // up or down by as much as the dragged one since the press (each clamped to 0..100); without
    // it they get their heights at the press back. A grabbed curve moves every point by the
    // mouse's height since the press while Shift is held, and is back as it was without it.
    // False when no drag is under way (a released button ends it).
    bool drag(std::vector<CurvePoint>& points, int mouseX, int mouseY, LeftButton button, GroupDrag group);

    // A right press on the hovered point deletes it unless it is the first or the last one.
    RightPressResult rightDown(std::vector<CurvePoint>& points);

    // The keyboard's hover: the next point (step > 0) or the previous one, starting from the
    // first or the last while none is hovered, and staying at the ends.
    void hoverNeighbour(const std::vector<CurvePoint>& points, int step);
    // The keyboard's insert: a point half-way between the hovered point and the next one (the
    // previous one for the last point), on the straight line between them, which becomes the
    // hovered point. False, and nothing changed, with no point hovered or no whole percent
    // between the two that keeps 1 % from both.
    bool insertAfterHovered(std::vector<CurvePoint>& points);

    void endDrag() { dragIndex_ = kNone; }
    bool wholeCurveGrabbed() const { return dragIndex_ == kWholeCurve; }

    int hoverIndex() const { return hoverIndex_; }
    int dragIndex() const { return dragIndex_; }

    // The grid lines of the drawing area; labels stand at least `labelSpacing` pixels apart.
    CurveGrid grid(int labelSpacing) const;

    // The labels of the hovered point, or nothing when no point is hovered.
    std::optional<HoverLabels> hoverLabels(const std::vector<CurvePoint>& points) const;

private:
    static constexpr int kNone = -1;
    static constexpr int kWholeCurve = -2; // the drag index while the whole curve is grabbed
    static constexpr float kNoDistance = 999.0f;
    static constexpr int kHalfway = 50;

    float xScale() const;
    float yScale() const;
    int insertPoint(std::vector<CurvePoint>& points, PercentPoint at) const;
    void placeDraggedPoint(std::vector<CurvePoint>& points, PercentPoint at) const;
    void moveOtherPoints(std::vector<CurvePoint>& points, GroupDrag group) const;
    void moveWholeCurve(std::vector<CurvePoint>& points, int mouseY, GroupDrag group) const;
    int shownValue(float y) const;

    CurveKind kind_;
    int width_ = 0;
    int height_ = 0;
    int hoverIndex_ = kNone;
    int dragIndex_ = kNone;
    std::vector<CurvePoint> dragSnapshot_;
    int grabbedAtY_ = 0; // percent height of the press that grabbed the whole curve
};

} // namespace vintrel
