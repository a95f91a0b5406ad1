#include "ui/controls/scrollbar_model.h"

#include <algorithm>
#include <cstdint>

namespace vintrel {
namespace {

// The cursor counts as over the thumb from the first to the thirteenth pixel across the bar.
constexpr int kHoverAcrossFirst = 1;
constexpr int kHoverAcrossLast = ScrollbarModel::kThickness - 1;

int clampToInt(std::int64_t v, int low, int high) {
    return static_cast<int>(std::clamp<std::int64_t>(v, low, high));
}

// numerator * factor / denominator, truncated towards zero; 0 for a denominator of 0 or less.
// The product is exact in 64 bits for any int operands, so the result is the formula's exact
// value truncated, with no floating-point rounding to nudge a whole number below itself.
std::int64_t scaleTruncated(std::int64_t numerator, std::int64_t factor, std::int64_t denominator) {
    if (denominator <= 0) {
        return 0;
    }
    return numerator * factor / denominator;
}

} // namespace

ScrollbarModel::RangeChange ScrollbarModel::setRange(int contentSize, int viewSize) {
    const bool wasShown = shown_;
    content_ = std::max(contentSize, 0);
    view_ = std::max(viewSize, 0);
    shown_ = view_ < content_;
    if (!shown_) {
        position_ = 0;
        hot_ = false;
        dragOffset_ = kNotDragging;
    }
    settle();
    return {shown_, wasShown && !shown_};
}

void ScrollbarModel::computeThumb() {
    if (!shown_) {
        thumbLength_ = 0;
        thumbPosition_ = 0;
        return;
    }
    thumbLength_ = static_cast<int>(scaleTruncated(view_, view_, content_));
    const std::int64_t t = scaleTruncated(maxThumbPosition(), position_, maxPosition());
    thumbPosition_ = clampToInt(t, 0, std::max(maxThumbPosition(), 0));
}

// The thumb position grows with the position and both clamps meet at the same ends (P = 0 at
// t = 0, P = C - V at t = V - T), so clamping P first and then deriving t draws the same thumb as
// deriving t and clamping both.
void ScrollbarModel::settle() {
    position_ = shown_ ? std::clamp(position_, 0, maxPosition()) : 0;
    computeThumb();
}

bool ScrollbarModel::isOverThumb(int along, int across) const {
    const std::int64_t thumbEnd = std::int64_t{thumbPosition_} + thumbLength_;
    return across >= kHoverAcrossFirst && across <= kHoverAcrossLast && along > thumbPosition_ &&
           along < thumbEnd;
}

void ScrollbarModel::press(int along, int across) {
    if (!shown_) {
        return;
    }
    computeThumb();
    hot_ = isOverThumb(along, across);
    if (hot_) {
        dragOffset_ = along - thumbPosition_;
    } else if (along < thumbPosition_) {
        position_ -= view_;
    } else {
        position_ += view_;
    }
    settle();
}

void ScrollbarModel::dragThumbTo(int along) {
    // Where the cursor puts the thumb, held inside the track: positions beyond either end map to
    // the first or last content position, exactly as clamping the result afterwards would.
    const std::int64_t wanted = std::int64_t{along} - dragOffset_;
    const int t = clampToInt(wanted, 0, std::max(maxThumbPosition(), 0));
    thumbPosition_ = t;
    position_ = clampToInt(scaleTruncated(t, maxPosition(), maxThumbPosition()), 0, maxPosition());
}

void ScrollbarModel::move(int along, int across, LeftButton button) {
    if (!shown_) {
        return;
    }
    computeThumb();
    if (button == LeftButton::Up) {
        dragOffset_ = kNotDragging;
    }
    if (isDragging()) {
        dragThumbTo(along);
        hot_ = true;
    } else {
        hot_ = isOverThumb(along, across);
    }
    settle();
}

void ScrollbarModel::release(int along, int across) {
    dragOffset_ = kNotDragging;
    if (!shown_) {
        return;
    }
    computeThumb();
    hot_ = isOverThumb(along, across);
    settle();
}

void ScrollbarModel::leave() {
    if (!isDragging()) {
        hot_ = false;
    }
}

bool ScrollbarModel::wheelScroll(int pixels) {
    if (!shown_) {
        return false;
    }
    const int before = position_;
    position_ = clampToInt(std::int64_t{position_} + pixels, 0, maxPosition());
    settle();
    return position_ != before;
}

} // namespace vintrel
