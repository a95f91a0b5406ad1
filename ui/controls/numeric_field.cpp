#include "ui/controls/numeric_field.h"

#include "ui/controls/numeric_text.h"

namespace vintrel {

NumericField::NumericField(QWidget* parent) : QLineEdit(parent) {
    connect(this, &QLineEdit::textEdited, this, [this] { emit valueEdited(value()); });
}

int NumericField::value() const {
    return readNumericText(text().toStdString());
}

void NumericField::setValue(int value) {
    setText(QString::fromStdString(numericText(value)));
}

void NumericField::setValue(float value) {
    setText(QString::fromStdString(numericText(value)));
}

void NumericField::setValue(unsigned value) {
    setText(QString::fromStdString(numericText(value)));
}

} // namespace vintrel
