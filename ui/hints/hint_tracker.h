#pragma once

// Shows a control's hint in the hint strip when the mouse enters the control. Controls carry
// their hint id in a dynamic property; a control without one leaves the strip as it is.

#include <QObject>
#include <QPointer>
#include <QString>

class QWidget;

namespace vintrel {

class StatusWindow;

// The dynamic property holding a widget's hint id (an int).
inline constexpr const char* kHintIdProperty = "vintrelHintId";

// The dynamic property holding a widget's own hint text (a QString), for controls that have no
// id in the hint table.
inline constexpr const char* kHintTextProperty = "vintrelHintText";

// Gives `widget` the hint of the control or command `id`.
void setHintId(QWidget* widget, int id);
// Gives `widget` a hint text of its own (already in the interface's language).
void setHintText(QWidget* widget, const QString& text);

// An event filter for the whole application (QApplication::installEventFilter): on every enter
// into a widget that carries a hint id or a hint text, the strip shows that hint. Only the entered widget
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
