#pragma once

// Shows a control's hint in the hint strip when the mouse enters the control. Controls carry
// their hint id in a dynamic property; a control without one leaves the strip as it is.

#include <QObject>
#include <QPointer>

class QWidget;

namespace vintrel {

class StatusWindow;

// The dynamic property holding a widget's hint id (an int).
inline constexpr const char* kHintIdProperty = "vintrelHintId";

// Gives `widget` the hint of the control or command `id`.
void setHintId(QWidget* widget, int id);

// An event filter for the whole application (QApplication::installEventFilter): on every enter
// into a widget that carries a hint id, the strip shows that id's hint. Only the entered widget
// counts; its parents' ids are not looked at. It is a child of the strip and goes with it.
class HintTracker final : public QObject {
    Q_OBJECT

public:
    explicit HintTracker(StatusWindow& strip);

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPointer<StatusWindow> strip_;
};

} // namespace vintrel
