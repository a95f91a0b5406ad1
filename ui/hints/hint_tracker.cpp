#include "ui/hints/hint_tracker.h"

#include "ui/hints/status_window.h"

#include <QEvent>
#include <QVariant>
#include <QWidget>

namespace vintrel {

namespace {

bool isEnterEvent(const QEvent& event) {
    return event.type() == QEvent::Enter || event.type() == QEvent::HoverEnter;
}

} // namespace

void setHintId(QWidget* widget, int id) {
    widget->setProperty(kHintIdProperty, id);
}

void setHintText(QWidget* widget, const QString& text) {
    widget->setProperty(kHintTextProperty, text);
}

HintTracker::HintTracker(StatusWindow& strip) : QObject(&strip), strip_(&strip) {}

bool HintTracker::eventFilter(QObject* watched, QEvent* event) {
    if (strip_ == nullptr || !watched->isWidgetType() || !isEnterEvent(*event)) {
        return false;
    }
    const QVariant id = watched->property(kHintIdProperty);
    if (id.isValid()) {
        strip_->showHint(id.toInt());
    } else if (const QVariant text = watched->property(kHintTextProperty); text.isValid()) {
        strip_->showText(text.toString());
    }
    return false;
}

} // namespace vintrel
