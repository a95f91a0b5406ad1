#include "ui/controls/numeric_field.h"

#include "ui/controls/numeric_text.h"

#include <QRegularExpression>
#include <QRegularExpressionValidator>

namespace vintrel {

NumericField::NumericField(QWidget* parent)
    : QLineEdit(parent), validator_(new QRegularExpressionValidator(this)) {
    setValidator(validator_);
    updateValidator();
    connect(this, &QLineEdit::textEdited, this, [this] { emit valueEdited(value()); });
}

// The validator sees only typed and pasted text; setText() shows whatever the program gives.
void NumericField::updateValidator() {
    // The sign takes one of the characters read.
    const QString pattern = entry_ == Entry::Digits
                                ? QStringLiteral("[0-9]{0,%1}").arg(readWidth_)
                                : QStringLiteral("-[0-9]{0,%1}|[0-9]{0,%2}").arg(readWidth_ - 1).arg(readWidth_);
    validator_->setRegularExpression(QRegularExpression(pattern));
}

void NumericField::setEntry(Entry entry) {
    entry_ = entry;
    updateValidator();
}

int NumericField::value() const {
    return readNumericText(text().toStdString(), static_cast<std::size_t>(readWidth_));
}

void NumericField::setReadWidth(int characters) {
    readWidth_ = characters > 0 ? characters : 1;
    updateValidator();
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
