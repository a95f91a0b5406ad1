#pragma once

// The rules of the move direction's two dials, without pixels or Qt: which angle a cursor on a
// dial stands for, how Shift snaps it, where the dial face sits in its control, and the whole
// degrees shown under each dial.

namespace vintrel {

// The two views of the move direction. The top view edits m_move.dirY: 0 points away from the
// viewer (up on the dial), 90 to the right, the full turn 0..360. The side view edits
// m_move.dirX: 0 straight up, 90 level, 180 straight down; only the right half of its dial is
// shown and its value never leaves 0..180.
enum class DialView { Top, Side };

// Whether the drag snaps to the nearest eighth of a turn (Shift held).
enum class AngleSnap { Free, EighthTurns };

inline constexpr double kFullTurnDegrees = 360.0;
inline constexpr double kSideDialMaxDegrees = 180.0;
inline constexpr double kSnapStepDegrees = 45.0;
// The side view shows dirX as degrees below the horizon.
inline constexpr double kSideViewLevelDegrees = 90.0;

// The angle of a cursor at (dx, dy) from a dial's centre, dx to the right and dy downwards, in
// degrees clockwise from straight up: atan2(dy, dx) + 90, so -90 < angle <= 270. The centre
// itself gives 90.
double cursorAngle(double dx, double dy);

// ⌊(degrees + 22.5) / 45⌋ · 45: the nearest multiple of 45, halves rounding up. 359 gives 360.
double snapToEighthTurn(double degrees);

// The value a drag with the cursor at (dx, dy) from the dial's centre sets. Top view: the cursor
// angle, plus 360 when below 0 (0 where that sum rounds to 360). Side view: the cursor angle
// clamped to 0..180, so a cursor left of the centre gives 0 above the centre line and 180 on or
// below it. Snapping comes last and keeps each view's range.
double dialValue(DialView view, double dx, double dy, AngleSnap snap);

// The same for a cursor at (x, y) in a dial control `width` pixels wide, whose centre is
// (width / 2, width / 2) in whole pixels.
double dialValueAt(DialView view, double x, double y, int width, AngleSnap snap);

// Where a dial face is drawn in a control width × height: a square centred on the drag centre
// (width / 2, width / 2), as large as fits inside the control (empty when the centre lies
// outside it).
struct DialSquare {
    int left = 0;
    int top = 0;
    int side = 0;
};
DialSquare dialSquare(int width, int height);

// The whole degrees written under the dials: dirY, and dirX - 90 (0 level, negative above the
// horizon), each truncated towards zero. NaN shows 0; values beyond the int range show the
// nearest int.
int shownTopAngle(float dirY);
int shownSideAngle(float dirX);

} // namespace vintrel
