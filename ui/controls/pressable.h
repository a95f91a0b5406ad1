#pragma once

#include <QWidget>
#include <functional>

class QKeyEvent;

namespace vintrel {

// Makes a picture that opens something on a click reachable without the mouse: it takes focus
// by Tab and by a click, Enter, Return and Space press it, and screen readers see a button with
// a "Press" action. `press` is what a click does. Called before anything asks for the widget's
// accessible interface (setting its accessible name does), which is made once.
void makePressable(QWidget& widget, std::function<void()> press);

// For the widget's keyPressEvent: presses it on Enter, Return or Space; false for other keys.
bool pressOnKey(QWidget& widget, const QKeyEvent& event);

} // namespace vintrel
