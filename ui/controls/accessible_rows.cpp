#include "ui/controls/accessible_rows.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPointer>
#include <QVariant>
#include <QWidget>
#include <map>

namespace vintrel {

namespace {

constexpr const char* kRowsProperty = "vintrelAccessibleRows";
constexpr const char* kRowsOnlyProperty = "vintrelAccessibleRowsOnly";

AccessibleRowSource* rowsOf(const QObject* object) {
    const QVariant value = object->property(kRowsProperty);
    return value.isValid() ? static_cast<AccessibleRowSource*>(value.value<void*>()) : nullptr;
}

// One drawn row: no object of its own, everything read from the list when asked.
class RowAccessible final : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    RowAccessible(QWidget* list, int row) : list_(list), row_(row) {}

    bool isValid() const override { return source() != nullptr && row_ < source()->accessibleRowCount(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override {
        return list_ != nullptr ? list_->window()->windowHandle() : nullptr;
    }
    QList<std::pair<QAccessibleInterface*, QAccessible::Relation>>
    relations(QAccessible::Relation) const override {
        return {};
    }
    QAccessibleInterface* focusChild() const override { return nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override {
        return list_ != nullptr ? QAccessible::queryAccessibleInterface(list_.data()) : nullptr;
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Name && isValid() ? source()->accessibleRowText(row_) : QString();
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override {
        if (!isValid()) {
            return {};
        }
        const QRect local = source()->accessibleRowRect(row_);
        return {list_->mapToGlobal(local.topLeft()), local.size()};
    }
    QAccessible::Role role() const override { return QAccessible::ListItem; }
    QAccessible::State state() const override {
        QAccessible::State state;
        state.selectable = true;
        state.focusable = true;
        if (!isValid()) {
            state.invalid = true;
            return state;
        }
        state.selected = source()->isAccessibleRowSelected(row_);
        state.focused = list_->hasFocus() && source()->accessibleFocusRow() == row_;
        if (!source()->accessibleRowRect(row_).intersects(list_->rect())) {
            state.invisible = true;
            state.offscreen = true;
        }
        return state;
    }
    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this) : nullptr;
    }

    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& name) override {
        if (name == pressAction() && isValid()) {
            source()->pressAccessibleRow(row_);
        }
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    AccessibleRowSource* source() const { return list_ != nullptr ? rowsOf(list_.data()) : nullptr; }

    QPointer<QWidget> list_;
    int row_;
};

// The list: its rows first, then (unless told otherwise) its child widgets.
class RowListAccessible final : public QAccessibleWidget {
public:
    explicit RowListAccessible(QWidget* list)
        : QAccessibleWidget(list, QAccessible::List), rowsOnly_(list->property(kRowsOnlyProperty).toBool()) {}
    ~RowListAccessible() override {
        for (const auto& [row, id] : rowIds_) {
            QAccessible::deleteAccessibleInterface(id);
        }
    }

    int childCount() const override { return rowCount() + widgetCount(); }
    QAccessibleInterface* child(int index) const override {
        if (index < 0 || index >= childCount()) {
            return nullptr;
        }
        return index < rowCount() ? rowInterface(index) : QAccessibleWidget::child(index - rowCount());
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        for (const auto& [row, id] : rowIds_) {
            if (QAccessible::accessibleInterface(id) == child) {
                return row < rowCount() ? row : -1;
            }
        }
        const int widgetIndex = rowsOnly_ ? -1 : QAccessibleWidget::indexOfChild(child);
        return widgetIndex < 0 ? -1 : rowCount() + widgetIndex;
    }
    QAccessibleInterface* focusChild() const override {
        const int row = rows().accessibleFocusRow();
        if (widget()->hasFocus() && row >= 0 && row < rowCount()) {
            return rowInterface(row);
        }
        return QAccessibleWidget::focusChild();
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        const QPoint local = widget()->mapFromGlobal(QPoint(x, y));
        for (int row = 0; row < rowCount(); ++row) {
            if (rows().accessibleRowRect(row).contains(local)) {
                return rowInterface(row);
            }
        }
        return rowsOnly_ ? nullptr : QAccessibleWidget::childAt(x, y);
    }

private:
    int widgetCount() const { return rowsOnly_ ? 0 : QAccessibleWidget::childCount(); }
    AccessibleRowSource& rows() const { return *rowsOf(widget()); }
    int rowCount() const { return rows().accessibleRowCount(); }
    QAccessibleInterface* rowInterface(int row) const {
        const auto found = rowIds_.find(row);
        if (found != rowIds_.end()) {
            return QAccessible::accessibleInterface(found->second);
        }
        auto* made = new RowAccessible(widget(), row);
        rowIds_.emplace(row, QAccessible::registerAccessibleInterface(made));
        return made;
    }

    bool rowsOnly_;
    mutable std::map<int, QAccessible::Id> rowIds_;
};

QAccessibleInterface* rowListFactory(const QString&, QObject* object) {
    auto* widget = qobject_cast<QWidget*>(object);
    return widget != nullptr && rowsOf(widget) != nullptr ? new RowListAccessible(widget) : nullptr;
}

} // namespace

void makeRowsAccessible(QWidget& list, AccessibleRowSource& rows, RowListChildren children) {
    static const bool installed = (QAccessible::installFactory(rowListFactory), true);
    (void)installed;
    list.setProperty(kRowsProperty, QVariant::fromValue(static_cast<void*>(&rows)));
    list.setProperty(kRowsOnlyProperty, children == RowListChildren::RowsOnly);
}

void announceAccessibleRow(QWidget& list, int row) {
    if (!QAccessible::isActive() || row < 0) {
        return;
    }
    QAccessibleEvent selection(&list, QAccessible::Selection);
    selection.setChild(row);
    QAccessible::updateAccessibility(&selection);
    if (list.hasFocus()) {
        QAccessibleEvent focus(&list, QAccessible::Focus);
        focus.setChild(row);
        QAccessible::updateAccessibility(&focus);
    }
}

} // namespace vintrel
