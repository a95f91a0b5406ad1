#pragma once

// The mouse as the view's camera control reads it: Qt delivers mouse events on the GUI thread,
// they are gathered here, and the worker thread polls the gathered state once per view frame.

#include "render/camera.h"

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <mutex>

namespace vintrel {

struct ScreenPoint {
    int x = 0;
    int y = 0;
    bool operator==(const ScreenPoint&) const = default;
};

// Thread-safe: the GUI thread feeds it, the worker thread polls it.
class MouseInput {
public:
    // GUI thread. The left button went down (at `global`, screen pixels) or up.
    void pressLeft(ScreenPoint global);
    void releaseLeft();
    // GUI thread. The middle button went down in the view (`pan`: with Shift) or up.
    void pressMiddle(bool pan);
    void releaseMiddle();
    // GUI thread. The wheel turned over the view by `angleDelta` (120 a notch).
    void turnWheel(int angleDelta);
    // GUI thread. The cursor is at `global`; `bar` is the same point in the info bar's client
    // coordinates. The motion since the previous event is added to the relative counts.
    void moveTo(ScreenPoint global, ScreenPoint bar);
    // GUI thread. The cursor was put back to `global`; motion is measured from there on.
    void cursorPutBack(ScreenPoint global);
    // Where the latest press of the left button happened: where a camera drag puts the cursor
    // back to.
    ScreenPoint dragOrigin() const;

    // Worker thread, once per view frame. The left button now and at the previous poll, the
    // motion gathered since the previous poll (which is then cleared) and the cursor in the
    // info bar's coordinates. A press and release that both fall between two polls still reads
    // as held at the first of them, so a quick click is never lost. `barWidth` is the info bar's
    // width the caller hit-tests the icons against; the cursor is reported as it is, also when
    // it lies outside 0..barWidth.
    MouseSample poll(int barWidth);

private:
    mutable std::mutex mutex_;
    bool leftDown_ = false;
    bool pressedSincePoll_ = false;
    bool leftAtPoll_ = false;
    bool hasPosition_ = false;
    ScreenPoint last_;
    ScreenPoint barCursor_;
    ScreenPoint pressOrigin_;
    int dx_ = 0;
    int dy_ = 0;
    DragMode middleDrag_ = DragMode::None;
    int wheel_ = 0;
};

// Feeds a MouseInput from the mouse events of the widgets and windows it is installed on (the
// view and the info bar): it only listens, the events go on to their targets. Positions are
// converted into the coordinates of `infoBar`.
class MouseEventFeeder final : public QObject {
public:
    MouseEventFeeder(MouseInput& input, QWidget* infoBar, QObject* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    MouseInput& input_;
    QPointer<QWidget> infoBar_;
};

} // namespace vintrel
