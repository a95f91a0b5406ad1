#include "render/view_layout.h"

#include <algorithm>
#include <cmath>

namespace vintrel {

namespace {

constexpr int kLeftPanelWidth = 210;
constexpr int kTopBarsHeight = 67;

// trunc(v) clamped to [1, hi], without undefined behaviour for values beyond the int range.
int truncClamped(float v, int hi) {
    const double t = std::trunc(static_cast<double>(v));
    if (!(t >= 1.0)) {
        return 1;
    }
    if (t >= static_cast<double>(hi)) {
        return hi;
    }
    return static_cast<int>(t);
}

} // namespace

ViewRect fitViewRect(int availableW, int availableH, int projectW, int projectH) {
    const int W = std::max(availableW, 1);
    const int H = std::max(availableH, 1);
    const float pw = static_cast<float>(std::max(projectW, 1));
    const float ph = static_cast<float>(std::max(projectH, 1));

    // Full height first; when that is too wide, full width and the height that keeps the aspect.
    const float fullHeightWidth = pw / ph * static_cast<float>(H);
    if (std::trunc(static_cast<double>(fullHeightWidth)) <= static_cast<double>(W)) {
        const int w = truncClamped(fullHeightWidth, W);
        return ViewRect{(W - w) / 2 + kLeftPanelWidth, kTopBarsHeight, w, H};
    }
    const int h = truncClamped(ph / pw * static_cast<float>(W), H);
    return ViewRect{kLeftPanelWidth, kTopBarsHeight, W, h};
}

} // namespace vintrel

namespace vintrel {

SideBySideHalves sideBySideHalves(int viewW, int viewH, int projectW, int projectH) {
    const int W = std::max(viewW, 1);
    const int H = std::max(viewH, 1);
    const long long pw = std::max(projectW, 1);
    const long long ph = std::max(projectH, 1);
    const int halfW = std::max((W - kSideBySideGap) / 2, 1);
    // As wide as half the view; narrower when that would be taller than the view.
    int w = halfW;
    int h = static_cast<int>(std::min<long long>(H, std::max<long long>(1, halfW * ph / pw)));
    if (halfW * ph / pw > H) {
        w = static_cast<int>(std::clamp<long long>(H * pw / ph, 1, halfW));
    }
    const int y0 = (H - h) / 2;
    if (W < kSideBySideGap + 2) {
        // No room for two: both get the one column there is.
        return {PixelRect{0, y0, 1, y0 + h}, PixelRect{0, y0, 1, y0 + h}};
    }
    const int leftEnd = W / 2 - kSideBySideGap / 2;
    const int rightStart = leftEnd + kSideBySideGap;
    return {PixelRect{leftEnd - w, y0, leftEnd, y0 + h}, PixelRect{rightStart, y0, rightStart + w, y0 + h}};
}

} // namespace vintrel
