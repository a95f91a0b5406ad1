#include "ui/controls/widget_text_fit.h"

#include "ui/controls/text_fit.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QStyle>
#include <QStyleOption>
#include <QWidget>
#include <algorithm>
#include <limits>
#include <vector>

namespace vintrel {

namespace {

FitBox boxOf(QWidget& widget) {
    FitBox box;
    box.x = widget.x();
    box.y = widget.y();
    box.w = widget.width();
    box.h = widget.height();
    if (auto* label = qobject_cast<QLabel*>(&widget); label != nullptr && !label->wordWrap()) {
        box.kind = FitBox::Kind::Text;
        box.needed = label->sizeHint().width();
    } else if (auto* list = qobject_cast<QComboBox*>(&widget)) {
        // The shown entry with the room the style keeps around the text (the arrow, the frame).
        QStyleOptionComboBox option;
        option.initFrom(list);
        const QRect field =
            list->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, list);
        box.kind = FitBox::Kind::Text;
        box.needed =
            list->fontMetrics().horizontalAdvance(list->currentText()) + 4 + (list->width() - field.width());
    } else if (widget.inherits("QCheckBox") || widget.inherits("QRadioButton")) {
        box.kind = FitBox::Kind::Text;
        box.needed = widget.sizeHint().width();
    } else if (auto* group = qobject_cast<QGroupBox*>(&widget)) {
        box.kind = FitBox::Kind::Frame;
        // The title with the room the style leaves before and after it.
        box.needed =
            group->title().isEmpty() ? 0 : group->fontMetrics().horizontalAdvance(group->title()) + 16;
    }
    return box;
}

std::vector<QWidget*> placedChildren(const QWidget& container) {
    std::vector<QWidget*> children;
    for (QObject* object : container.children()) {
        auto* widget = qobject_cast<QWidget*>(object);
        if (widget != nullptr && !widget->isWindow() && !widget->isHidden()) {
            children.push_back(widget);
        }
    }
    return children;
}

int contentRight(const QWidget& container) {
    int right = 0;
    for (const QWidget* child : placedChildren(container)) {
        right = std::max(right, child->x() + child->width());
    }
    return right;
}

// Fits the children of `container` (a frame with its own children first) and gives the width
// that the container needs for them, keeping the margin it had at their right.
int fitLevel(QWidget& container, int limit) {
    const std::vector<QWidget*> children = placedChildren(container);
    const int margin = std::max(4, container.width() - contentRight(container));
    std::vector<FitBox> boxes;
    for (QWidget* child : children) {
        FitBox box = boxOf(*child);
        if (box.kind == FitBox::Kind::Frame && !placedChildren(*child).empty()) {
            box.needed = std::max(box.needed, fitLevel(*child, std::numeric_limits<int>::max()));
        }
        boxes.push_back(box);
    }
    fitTexts(boxes, limit);
    for (std::size_t k = 0; k < children.size(); ++k) {
        const FitBox& box = boxes[k];
        if (box.x != children[k]->x() || box.w != children[k]->width()) {
            children[k]->setGeometry(box.x, box.y, box.w, box.h);
        }
    }
    return contentRight(container) + margin;
}

} // namespace

void fitChildTexts(QWidget& container) {
    fitLevel(container, container.width());
}

void fitDialogTexts(QWidget& dialog) {
    const int needed = fitLevel(dialog, std::numeric_limits<int>::max());
    if (needed <= dialog.width()) {
        return;
    }
    if (dialog.minimumWidth() == dialog.maximumWidth()) {
        dialog.setFixedWidth(needed);
    } else {
        dialog.resize(needed, dialog.height());
    }
}

} // namespace vintrel
