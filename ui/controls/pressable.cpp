#include "ui/controls/pressable.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QVariant>

namespace vintrel {

namespace {

constexpr const char* kPressProperty = "vintrelPress";

using Press = std::function<void()>;

const Press* pressOf(const QObject* object) {
    const QVariant value = object->property(kPressProperty);
    return value.isValid() ? static_cast<const Press*>(value.value<void*>()) : nullptr;
}

// A button with the "Press" action for screen readers.
class PressableAccessible final : public QAccessibleWidget {
public:
    explicit PressableAccessible(QWidget* widget) : QAccessibleWidget(widget, QAccessible::Button) {}
    QStringList actionNames() const override { return QAccessibleWidget::actionNames() << pressAction(); }
    void doAction(const QString& name) override {
        if (name == pressAction()) {
            if (const Press* press = pressOf(widget())) {
                (*press)();
            }
            return;
        }
        QAccessibleWidget::doAction(name);
    }
};

QAccessibleInterface* pressableFactory(const QString&, QObject* object) {
    auto* widget = qobject_cast<QWidget*>(object);
    return widget != nullptr && pressOf(widget) != nullptr ? new PressableAccessible(widget) : nullptr;
}

} // namespace

void makePressable(QWidget& widget, std::function<void()> press) {
    static const bool installed = (QAccessible::installFactory(pressableFactory), true);
    (void)installed;
    auto* kept = new Press(std::move(press));
    widget.setProperty(kPressProperty, QVariant::fromValue(static_cast<void*>(kept)));
    QObject::connect(&widget, &QObject::destroyed, [kept] { delete kept; });
    widget.setFocusPolicy(Qt::StrongFocus);
}

bool pressOnKey(QWidget& widget, const QKeyEvent& event) {
    const int key = event.key();
    if (key != Qt::Key_Return && key != Qt::Key_Enter && key != Qt::Key_Space) {
        return false;
    }
    if (const Press* press = pressOf(&widget)) {
        (*press)();
    }
    return true;
}

} // namespace vintrel
