#pragma once

namespace vintrel {

// Whether the left mouse button is held while the cursor moves.
enum class LeftButton { Up, Held };

// The arithmetic of the editor's own scrollbar for one axis, in pixels, without any drawing.
//
// The bar scrolls a content of C pixels through a view of V pixels; the position P runs from 0 to
// C - V. It is shown only while V < C. The thumb is T = V*V/C pixels long (integer division) and
// starts t = (V - T) / (C - V) * P pixels down the bar (truncated). "Along" is the cursor's
// coordinate in the bar's long direction, "across" the one in its 14-pixel direction, both relative
// to the bar's top-left corner.
//
// Every operation recomputes T and t from P first and ends by settling: t is recomputed from P and
// both are clamped into range, as the widget would then draw and report them. Sizes below 0 count
// as 0, and every division is guarded, so no range or cursor makes the arithmetic fail.
class ScrollbarModel {
public:
    static constexpr int kThickness = 14;
    static constexpr int kNotDragging = -1;

    struct RangeChange {
        bool shown = false;
        // The bar was shown and hides now, so the position went back to 0. The owner must be
        // told once, or its content would stay scrolled while no bar is there to scroll it back.
        bool hiddenNow = false;
    };

    RangeChange setRange(int contentSize, int viewSize);

    // Left button down: starts a drag when the cursor is over the thumb, otherwise pages one view
    // towards the cursor. The hover test is taken again here, so a thumb that moved under a still
    // cursor (wheel, new range) is judged where it is now.
    void press(int along, int across);
    // The cursor moved; while a drag runs the thumb follows it. A move without the button held
    // ends any drag (a release outside the window may never have arrived).
    void move(int along, int across, LeftButton button);
    // Left button up: ends the drag; the thumb stays hot only when the cursor is still over it.
    void release(int along, int across);
    // The cursor left the bar without a drag running.
    void leave();
    // Scrolls by `pixels` (positive: towards the content's end), clamped to the range. Returns
    // whether the position changed.
    bool wheelScroll(int pixels);

    bool isShown() const { return shown_; }
    int contentSize() const { return content_; }
    int viewSize() const { return view_; }
    int position() const { return position_; }
    int thumbLength() const { return thumbLength_; }
    int thumbPosition() const { return thumbPosition_; }
    bool isHot() const { return hot_; }
    bool isDragging() const { return dragOffset_ != kNotDragging; }
    // Cursor minus thumb position when the drag began; kNotDragging when none runs.
    int dragOffset() const { return dragOffset_; }

private:
    int maxPosition() const { return content_ - view_; }
    int maxThumbPosition() const { return view_ - thumbLength_; }
    void computeThumb();
    void settle();
    bool isOverThumb(int along, int across) const;
    void dragThumbTo(int along);

    int content_ = 0;
    int view_ = 0;
    bool shown_ = false;
    int position_ = 0;
    int thumbLength_ = 0;
    int thumbPosition_ = 0;
    bool hot_ = false;
    int dragOffset_ = kNotDragging;
};

} // namespace vintrel
