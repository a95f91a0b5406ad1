#include "ui/input/mouse_input.h"

#include <QMouseEvent>
#include <QWheelEvent>

namespace vintrel {

void MouseInput::pressLeft(ScreenPoint global) {
    const std::lock_guard lock(mutex_);
    leftDown_ = true;
    pressedSincePoll_ = true;
    pressOrigin_ = global;
}

void MouseInput::releaseLeft() {
    const std::lock_guard lock(mutex_);
    leftDown_ = false;
}

void MouseInput::pressMiddle(bool pan) {
    const std::lock_guard lock(mutex_);
    middleDrag_ = pan ? DragMode::Pan : DragMode::Orbit;
}

void MouseInput::releaseMiddle() {
    const std::lock_guard lock(mutex_);
    middleDrag_ = DragMode::None;
}

void MouseInput::turnWheel(int angleDelta) {
    const std::lock_guard lock(mutex_);
    wheel_ += angleDelta;
}

void MouseInput::moveTo(ScreenPoint global, ScreenPoint bar) {
    const std::lock_guard lock(mutex_);
    if (hasPosition_) {
        dx_ += global.x - last_.x;
        dy_ += global.y - last_.y;
    }
    hasPosition_ = true;
    last_ = global;
    barCursor_ = bar;
}

void MouseInput::cursorPutBack(ScreenPoint global) {
    const std::lock_guard lock(mutex_);
    // The cursor jumps without the user moving the mouse: no motion, the next event counts
    // from here.
    last_ = global;
    hasPosition_ = true;
}

ScreenPoint MouseInput::dragOrigin() const {
    const std::lock_guard lock(mutex_);
    return pressOrigin_;
}

MouseSample MouseInput::poll(int /*barWidth*/) {
    const std::lock_guard lock(mutex_);
    MouseSample sample;
    sample.leftNow = leftDown_ || pressedSincePoll_;
    sample.leftBefore = leftAtPoll_;
    sample.dx = dx_;
    sample.dy = dy_;
    sample.x = barCursor_.x;
    sample.y = barCursor_.y;
    sample.viewDrag = middleDrag_;
    sample.wheel = wheel_;
    wheel_ = 0;
    leftAtPoll_ = sample.leftNow;
    pressedSincePoll_ = false;
    dx_ = 0;
    dy_ = 0;
    return sample;
}

MouseEventFeeder::MouseEventFeeder(MouseInput& input, QWidget* infoBar, QObject* parent)
    : QObject(parent), input_(input), infoBar_(infoBar) {}

bool MouseEventFeeder::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    const bool inView = watched != infoBar_.data();
    if (type == QEvent::Wheel && inView) {
        input_.turnWheel(static_cast<QWheelEvent*>(event)->angleDelta().y());
        return QObject::eventFilter(watched, event);
    }
    if (type != QEvent::MouseMove && type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease &&
        type != QEvent::MouseButtonDblClick) {
        return QObject::eventFilter(watched, event);
    }
    const auto* mouse = static_cast<QMouseEvent*>(event);
    const QPoint global = mouse->globalPosition().toPoint();
    const QPoint bar = infoBar_ ? infoBar_->mapFromGlobal(global) : global;
    input_.moveTo({global.x(), global.y()}, {bar.x(), bar.y()});
    if (mouse->button() == Qt::LeftButton) {
        if (type == QEvent::MouseButtonRelease) {
            input_.releaseLeft();
        } else {
            input_.pressLeft({global.x(), global.y()});
        }
    } else if (mouse->button() == Qt::MiddleButton && (inView || type == QEvent::MouseButtonRelease)) {
        if (type == QEvent::MouseButtonRelease) {
            input_.releaseMiddle();
        } else {
            input_.pressMiddle(mouse->modifiers().testFlag(Qt::ShiftModifier));
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace vintrel
