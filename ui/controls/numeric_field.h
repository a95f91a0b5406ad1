#pragma once

#include <QLineEdit>

namespace vintrel {

// A one-line edit for a numeric member. Its value is the first four characters of its text read
// as atoi reads them (see readNumericText), so "12345" is 1234; the field itself limits nothing.
// Values are written as "%d", floats truncated towards zero, unsigned values as they are.
class NumericField final : public QLineEdit {
    Q_OBJECT

public:
    explicit NumericField(QWidget* parent = nullptr);

    int value() const;
    // How many characters of the text are read (four unless set).
    void setReadWidth(int characters);
    void setValue(int value);
    void setValue(float value);
    void setValue(unsigned value);

signals:
    // The user changed the text (typing, pasting, undo in the field); not sent by setValue.
    void valueEdited(int value);

private:
    int readWidth_ = 4;
};

} // namespace vintrel
