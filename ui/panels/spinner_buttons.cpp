#include "ui/panels/spinner_buttons.h"

#include <QCoreApplication>

#include "ui/controls/numeric_field.h"

#include <QKeyEvent>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace vintrel {

int steppedValue(int current, int direction, int low, int high) {
    if (high < low) {
        std::swap(low, high);
    }
    const long long within = std::clamp<long long>(current, low, high);
    return static_cast<int>(std::clamp<long long>(within + direction, low, high));
}

SpinnerButtons::SpinnerButtons(NumericField& field, int low, int high, QWidget* parent)
    : QWidget(parent), field_(field), low_(low), high_(high) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (const auto& [arrow, stepDirection] : {std::pair{Qt::UpArrow, 1}, std::pair{Qt::DownArrow, -1}}) {
        const int direction = stepDirection;
        auto* button = new QToolButton(this);
        button->setArrowType(arrow);
        button->setAutoRepeat(true);
        button->setFocusPolicy(Qt::NoFocus);
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        button->setAccessibleName(field.accessibleName() + QLatin1Char(' ') +
                                   QCoreApplication::translate("Spinner", direction > 0 ? "＋" : "－"));
        connect(button, &QToolButton::clicked, this, [this, direction] { step(direction); });
        layout->addWidget(button);
    }
    field_.installEventFilter(this);
}

void SpinnerButtons::step(int direction) {
    const int value = steppedValue(field_.value(), direction, low_, high_);
    field_.setValue(value);
    emit stepped(value);
}

bool SpinnerButtons::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &field_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            step(key == Qt::Key_Up ? 1 : -1);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace vintrel
