#include "ui/dialogs/dialog_form_builder.h"

#include "ui/controls/font_dialog_units.h"
#include "ui/controls/numeric_field.h"
#include "ui/panels/spinner_buttons.h"

#include <QCheckBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

namespace vintrel {

DialogFormBuilder::DialogFormBuilder(QDialog& dialog)
    : dialog_(dialog), units_(dialogUnitScaleFor(dialog.font())) {}

void DialogFormBuilder::fixSize(int widthDu, int heightDu) {
    dialog_.setFixedSize(units_.toPixelsX(widthDu), units_.toPixelsY(heightDu));
}

QWidget& DialogFormBuilder::parentFor(QWidget* in) const {
    return in != nullptr ? *in : static_cast<QWidget&>(dialog_);
}

// The rectangle is the dialog's; a control inside a frame is moved by the frame's offset.
void DialogFormBuilder::place(QWidget& widget, const DuRect& rect) const {
    QPoint topLeft(units_.toPixelsX(rect.x), units_.toPixelsY(rect.y));
    if (widget.parentWidget() != &dialog_ && widget.parentWidget() != nullptr) {
        topLeft -= widget.parentWidget()->pos();
    }
    const QSize natural = widget.sizeHint();
    const int width = rect.w != 0 ? units_.toPixelsX(rect.w) : natural.width();
    const int height = rect.h != 0 ? units_.toPixelsY(rect.h) : natural.height();
    widget.setGeometry(QRect(topLeft, QSize(width, height)));
}

QGroupBox* DialogFormBuilder::frame(const QString& caption, const DuRect& rect) {
    auto* frame = new QGroupBox(caption, &dialog_);
    frame->setAccessibleName(caption);
    place(*frame, rect);
    return frame;
}

QLabel* DialogFormBuilder::label(const QString& text, const DuRect& rect, QWidget* in) {
    auto* label = new QLabel(text, &parentFor(in));
    place(*label, rect);
    return label;
}

NumberControls DialogFormBuilder::number(const QString& name, const DuRect& rect, const IntRange& range,
                                         QWidget* in) {
    QWidget& parent = parentFor(in);
    auto* field = new NumericField(&parent);
    field->setReadWidth(readWidthFor(range));
    field->setEntry(range.low < 0 ? NumericField::Entry::Signed : NumericField::Entry::Digits);
    // The arrows take their names from the field's, so the name comes first.
    field->setAccessibleName(name);
    place(*field, rect);
    auto* spinner = new SpinnerButtons(*field, range.low, range.high, &parent);
    spinner->setGeometry(field->x() + field->width() - SpinnerButtons::kWidth, field->y(),
                         SpinnerButtons::kWidth, field->height());
    field->setTextMargins(0, 0, SpinnerButtons::kWidth, 0);
    return {field, spinner};
}

QCheckBox* DialogFormBuilder::check(const QString& text, const DuRect& rect, QWidget* in) {
    auto* box = new QCheckBox(text, &parentFor(in));
    box->setAccessibleName(text);
    place(*box, rect);
    return box;
}

QPushButton* DialogFormBuilder::button(const QString& text, const DuRect& rect) {
    auto* button = new QPushButton(text, &dialog_);
    button->setAccessibleName(text);
    place(*button, rect);
    return button;
}

} // namespace vintrel
