#include "ui/controls/numeric_field.h"

#include "ui/controls/numeric_text.h"

namespace vintrel {

NumericField::NumericField(QWidget* parent) : QLineEdit(parent) {
    connect(this, &QLineEdit::textEdited, this, [this] { emit valueEdited(value()); });
}

int NumericField::value() const {
    return readNumericText(text().toStdString(), static_cast<std::size_t>(readWidth_));
}

void NumericField::setReadWidth(int characters) {
    readWidth_ = characters > 0 ? characters : 1;
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
