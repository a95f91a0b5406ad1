#include "ui/panels/direction_geometry.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <numbers>

namespace vintrel {
namespace {

constexpr double kQuarterTurnDegrees = 90.0;
constexpr double kDegreesPerHalfTurn = 180.0;

double toDegrees(double radians) {
    return radians * kDegreesPerHalfTurn / std::numbers::pi;
}

int truncatedDegrees(double degrees) {
    if (std::isnan(degrees)) {
        return 0;
    }
    if (degrees >= static_cast<double>(INT_MAX)) {
        return INT_MAX;
    }
    if (degrees <= static_cast<double>(INT_MIN)) {
        return INT_MIN;
    }
    return static_cast<int>(degrees);
}

double viewValue(DialView view, double angle) {
    if (view == DialView::Side) {
        return std::clamp(angle, 0.0, kSideDialMaxDegrees);
    }
    if (angle >= 0.0) {
        return angle;
    }
    // An angle a hair below 0 (a cursor a hair left of straight up) would round up to a full
    // turn; it stands for 0.
    const double turned = angle + kFullTurnDegrees;
    return turned < kFullTurnDegrees ? turned : 0.0;
}

} // namespace

double cursorAngle(double dx, double dy) {
    return toDegrees(std::atan2(dy, dx)) + kQuarterTurnDegrees;
}

double snapToEighthTurn(double degrees) {
    return std::floor((degrees + kSnapStepDegrees / 2) / kSnapStepDegrees) * kSnapStepDegrees;
}

double dialValue(DialView view, double dx, double dy, AngleSnap snap) {
    const double value = viewValue(view, cursorAngle(dx, dy));
    return snap == AngleSnap::EighthTurns ? snapToEighthTurn(value) : value;
}

double dialValueAt(DialView view, double x, double y, int width, AngleSnap snap) {
    const int centre = width / 2;
    return dialValue(view, x - centre, y - centre, snap);
}

DialSquare dialSquare(int width, int height) {
    const int centre = width / 2;
    const int radius = std::max(0, std::min({centre, width - centre, height - centre}));
    return {centre - radius, centre - radius, 2 * radius};
}

int shownTopAngle(float dirY) {
    return truncatedDegrees(dirY);
}

int shownSideAngle(float dirX) {
    return truncatedDegrees(static_cast<double>(dirX) - kSideViewLevelDegrees);
}

} // namespace vintrel
