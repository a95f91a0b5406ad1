#include "ui/panels/curve_geometry.h"

#include "platform/number_format.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace vintrel {
namespace {

constexpr int kPercentScale = 100;
// The last whole percent a hover can lie on; a press beyond it means the right end.
constexpr int kLastHoverPercent = 99;
// A press left of this whole percent means the left end.
constexpr int kFirstInnerPercent = 1;
constexpr const char* kPercentSign = "％";

float clampPercent(float value) {
    return std::clamp(value, 0.0f, CurveEditState::kMaxPercent);
}

int clampMouse(int value) {
    return std::clamp(value, -CurveEditState::kMouseLimit, CurveEditState::kMouseLimit);
}

std::string percentText(int value) {
    return std::to_string(value) + kPercentSign;
}

bool isValidIndex(int index, const std::vector<CurvePoint>& points) {
    return index >= 0 && index < static_cast<int>(points.size());
}

} // namespace

void CurveEditState::setArea(int width, int height) {
    width_ = width;
    height_ = height;
}

bool CurveEditState::hasRoom() const {
    return width_ > kHandleSize && height_ > kHandleSize;
}

float CurveEditState::xScale() const {
    return static_cast<float>(width_ - kHandleSize) / kPercentScale;
}

float CurveEditState::yScale() const {
    return static_cast<float>(height_ - kHandleSize) / kPercentScale;
}

PixelPoint CurveEditState::toPixel(CurvePoint p) const {
    constexpr float kHalfMargin = kHandleSize / 2;
    return {xScale() * p.x + kHalfMargin, yScale() * p.y + kHalfMargin};
}

PixelPoint CurveEditState::handleTopLeft(CurvePoint p) const {
    return {static_cast<float>(truncateToInt(xScale() * p.x)),
            static_cast<float>(truncateToInt(yScale() * p.y))};
}

PixelPoint CurveEditState::tablePixel(int index, float tableY) const {
    constexpr int kHalfMargin = kHandleSize / 2;
    const int x = (width_ - kHandleSize) * index / kPercentScale + kHalfMargin;
    return {static_cast<float>(x), static_cast<float>(height_ - kHandleSize) * tableY / kPercentScale +
                                       static_cast<float>(kHalfMargin)};
}

PercentPoint CurveEditState::toPercent(int mouseX, int mouseY) const {
    if (!hasRoom()) {
        return {};
    }
    return {(clampMouse(mouseX) - kMouseOrigin) * kPercentScale / (width_ - kHandleSize),
            (clampMouse(mouseY) - kMouseOrigin) * kPercentScale / (height_ - kHandleSize)};
}

bool CurveEditState::hitTest(const std::vector<CurvePoint>& points, int mouseX, int mouseY) {
    hoverIndex_ = kNone;
    const PercentPoint at = toPercent(mouseX, mouseY);
    const auto inHoverRange = [](int percent) { return percent >= 0 && percent <= kLastHoverPercent; };
    if (!hasRoom() || !inHoverRange(at.x) || !inHoverRange(at.y) || points.empty()) {
        return false;
    }
    int nearest = kNone;
    float best = kNoDistance;
    for (int i = 0; i < static_cast<int>(points.size()); ++i) {
        const CurvePoint& p = points[static_cast<std::size_t>(i)];
        const float distance = std::hypot(static_cast<float>(at.x) - p.x, static_cast<float>(at.y) - p.y);
        if (distance < best) {
            best = distance;
            nearest = i;
        }
    }
    if (nearest == kNone) {
        return false;
    }
    const CurvePoint& p = points[static_cast<std::size_t>(nearest)];
    const float offsetX = static_cast<float>(clampMouse(mouseX) - kMouseOrigin) - xScale() * p.x;
    const float offsetY = static_cast<float>(clampMouse(mouseY) - kMouseOrigin) - yScale() * p.y;
    if (std::abs(offsetX) > kHandleSize || std::abs(offsetY) > kHandleSize) {
        return false;
    }
    hoverIndex_ = nearest;
    return true;
}

void CurveEditState::leftDown(std::vector<CurvePoint>& points, int mouseX, int mouseY, GroupDrag group) {
    if (!hasRoom()) {
        return;
    }
    if (isValidIndex(hoverIndex_, points)) {
        dragIndex_ = hoverIndex_;
    } else if (group == GroupDrag::On) {
        dragIndex_ = kWholeCurve;
        grabbedAtY_ = toPercent(mouseX, mouseY).y;
    } else {
        const int inserted = insertPoint(points, toPercent(mouseX, mouseY));
        dragIndex_ = inserted;
        hoverIndex_ = inserted;
    }
    dragSnapshot_ = points;
}

// Replaces the point at the same whole-percent x (an end when the press lies beyond 1 or 99 %)
// and returns the new point's index in the sorted points.
int CurveEditState::insertPoint(std::vector<CurvePoint>& points, PercentPoint at) const {
    int x = at.x;
    if (x > kLastHoverPercent) {
        x = kPercentScale;
    } else if (x < kFirstInnerPercent) {
        x = 0;
    }
    const CurvePoint added{static_cast<float>(x), clampPercent(static_cast<float>(at.y))};
    const auto sameX = std::find_if(points.begin(), points.end(),
                                    [x](const CurvePoint& p) { return truncateToInt(p.x) == x; });
    if (sameX != points.end()) {
        points.erase(sameX);
    }
    points.push_back(added);
    std::stable_sort(points.begin(), points.end(),
                     [](const CurvePoint& a, const CurvePoint& b) { return a.x < b.x; });
    const auto found = std::find(points.begin(), points.end(), added);
    return static_cast<int>(found - points.begin());
}

bool CurveEditState::drag(std::vector<CurvePoint>& points, int mouseX, int mouseY, LeftButton button,
                          GroupDrag group) {
    if (button == LeftButton::Released || !hasRoom()) {
        dragIndex_ = kNone;
        return false;
    }
    if (dragIndex_ == kWholeCurve) {
        moveWholeCurve(points, toPercent(mouseX, mouseY).y, group);
        return true;
    }
    if (!isValidIndex(dragIndex_, points)) {
        dragIndex_ = kNone;
        return false;
    }
    placeDraggedPoint(points, toPercent(mouseX, mouseY));
    moveOtherPoints(points, group);
    return true;
}

void CurveEditState::placeDraggedPoint(std::vector<CurvePoint>& points, PercentPoint at) const {
    const auto index = static_cast<std::size_t>(dragIndex_);
    const std::size_t last = points.size() - 1;
    CurvePoint& p = points[index];
    p = {static_cast<float>(at.x), clampPercent(static_cast<float>(at.y))};
    if (index == 0) {
        p.x = 0;
    } else if (index == last) {
        p.x = kMaxPercent;
    } else {
        if (p.x <= points[index - 1].x) {
            p.x = points[index - 1].x + kNeighbourGap;
        }
        if (p.x >= points[index + 1].x) {
            p.x = points[index + 1].x - kNeighbourGap;
        }
    }
}

void CurveEditState::moveOtherPoints(std::vector<CurvePoint>& points, GroupDrag group) const {
    if (dragSnapshot_.size() != points.size()) {
        return; // the curve was replaced since the press: nothing to move the others by
    }
    const auto dragged = static_cast<std::size_t>(dragIndex_);
    const float shift = points[dragged].y - dragSnapshot_[dragged].y;
    for (std::size_t i = 0; i < points.size(); ++i) {
        if (i == dragged) {
            continue;
        }
        const float pressY = dragSnapshot_[i].y;
        points[i].y = group == GroupDrag::On ? clampPercent(pressY + shift) : pressY;
    }
}

void CurveEditState::moveWholeCurve(std::vector<CurvePoint>& points, int mouseY, GroupDrag group) const {
    if (dragSnapshot_.size() != points.size()) {
        return; // the curve was replaced since the press
    }
    const float shift = group == GroupDrag::On ? static_cast<float>(mouseY - grabbedAtY_) : 0.0f;
    for (std::size_t i = 0; i < points.size(); ++i) {
        points[i].y = clampPercent(dragSnapshot_[i].y + shift);
    }
}

RightPressResult CurveEditState::rightDown(std::vector<CurvePoint>& points) {
    if (!isValidIndex(hoverIndex_, points)) {
        hoverIndex_ = kNone;
        return RightPressResult::ShowMenu;
    }
    const bool isEnd = hoverIndex_ == 0 || hoverIndex_ == static_cast<int>(points.size()) - 1;
    if (isEnd) {
        return RightPressResult::Kept;
    }
    points.erase(points.begin() + hoverIndex_);
    // The index would now name the next point; the next mouse move finds the hovered one again.
    hoverIndex_ = kNone;
    return RightPressResult::Deleted;
}

void CurveEditState::hoverNeighbour(const std::vector<CurvePoint>& points, int step) {
    if (points.empty() || step == 0) {
        return;
    }
    const int last = static_cast<int>(points.size()) - 1;
    if (!isValidIndex(hoverIndex_, points)) {
        hoverIndex_ = step > 0 ? 0 : last;
        return;
    }
    hoverIndex_ = std::clamp(hoverIndex_ + step, 0, last);
}

bool CurveEditState::insertAfterHovered(std::vector<CurvePoint>& points) {
    if (!isValidIndex(hoverIndex_, points) || points.size() < 2) {
        return false;
    }
    const auto at = static_cast<std::size_t>(hoverIndex_);
    const std::size_t next = at + 1 < points.size() ? at + 1 : at - 1;
    const CurvePoint& a = points[std::min(at, next)];
    const CurvePoint& b = points[std::max(at, next)];
    const int left = truncateToInt(a.x);
    const int right = truncateToInt(b.x);
    if (right - left < 2) {
        return false;
    }
    const int x = (left + right) / 2;
    const float t = (static_cast<float>(x) - a.x) / (b.x - a.x);
    const CurvePoint added{static_cast<float>(x), clampPercent(a.y + (b.y - a.y) * t)};
    const auto position = points.begin() + static_cast<std::ptrdiff_t>(std::max(at, next));
    hoverIndex_ = static_cast<int>(points.insert(position, added) - points.begin());
    return true;
}

int CurveEditState::shownValue(float y) const {
    return truncateToInt(shownValueOf({0, static_cast<float>(truncateToInt(y))}, kind_));
}

std::optional<HoverLabels> CurveEditState::hoverLabels(const std::vector<CurvePoint>& points) const {
    if (!isValidIndex(hoverIndex_, points)) {
        return std::nullopt;
    }
    const CurvePoint& p = points[static_cast<std::size_t>(hoverIndex_)];
    const PixelPoint at = toPixel(p);
    HoverLabels labels{{percentText(shownValue(p.y)), {0, at.y - kLabelHeight}},
                       {percentText(truncateToInt(p.x)), {at.x - kLabelWidth, 0}}};
    if (p.y < kHalfway) {
        labels.value.topLeft.y = at.y;
        labels.position.topLeft.y = static_cast<float>(height_ - kLabelHeight);
    }
    if (p.x < kHalfway) {
        labels.value.topLeft.x = static_cast<float>(width_ - kLabelWidth);
        labels.position.topLeft.x = at.x;
    }
    return labels;
}

float shownValueOf(CurvePoint p, CurveKind kind) {
    return kind == CurveKind::Speed ? kPercentScale - p.y * 2 : kPercentScale - p.y;
}

std::vector<CurvePoint> withTypedPoint(std::vector<CurvePoint> points, int index, CurveKind kind, float life,
                                       float value) {
    if (!isValidIndex(index, points)) {
        return points;
    }
    const auto i = static_cast<std::size_t>(index);
    const float height = kind == CurveKind::Speed ? (kPercentScale - value) / 2 : kPercentScale - value;
    CurvePoint& p = points[i];
    p.y = clampPercent(height);
    if (i == 0) {
        p.x = 0;
    } else if (i == points.size() - 1) {
        p.x = CurveEditState::kMaxPercent;
    } else {
        p.x = clampPercent(life);
        if (p.x <= points[i - 1].x) {
            p.x = points[i - 1].x + CurveEditState::kNeighbourGap;
        }
        if (p.x >= points[i + 1].x) {
            p.x = points[i + 1].x - CurveEditState::kNeighbourGap;
        }
    }
    return points;
}

CurveGrid CurveEditState::grid(int labelSpacing) const {
    constexpr int kStep = 10;
    CurveGrid grid;
    if (!hasRoom()) {
        return grid;
    }
    // Every line, or every second or fifth, gets its text: as many as the room allows.
    const auto labelEvery = [labelSpacing](float pixelsPerStep) {
        for (const int every : {1, 2, 5}) {
            if (pixelsPerStep * static_cast<float>(every) >= static_cast<float>(labelSpacing)) {
                return every;
            }
        }
        return 10;
    };
    const int lifeEvery = labelEvery(xScale() * kStep);
    const int valueEvery = labelEvery(yScale() * kStep);
    for (int k = 0; k <= kPercentScale / kStep; ++k) {
        const auto at = static_cast<float>(k * kStep);
        grid.life.push_back({toPixel({at, 0}).x, k * kStep, k % lifeEvery == 0});
        grid.value.push_back({toPixel({0, at}).y, truncateToInt(shownValueOf({0, at}, kind_)), k % valueEvery == 0});
    }
    return grid;
}

} // namespace vintrel
