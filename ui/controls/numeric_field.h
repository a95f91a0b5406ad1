#pragma once

#include <QLineEdit>

class QRegularExpressionValidator;

namespace vintrel {

// A one-line edit for a numeric member. Its value is the first four characters of its text read
// as atoi reads them (see readNumericText). Typing and pasting take only what the field can
// read: digits, with a leading minus where the field is signed, and no more characters than it
// reads. A value set by the program is shown whole, even when it is longer. Values are written
// as "%d", floats truncated towards zero, unsigned values as they are.
class NumericField final : public QLineEdit {
    Q_OBJECT

public:
    enum class Entry { Digits, Signed };

    explicit NumericField(QWidget* parent = nullptr);

    int value() const;
    // How many characters of the text are read and can be typed (four unless set).
    void setReadWidth(int characters);
    int readWidth() const { return readWidth_; }
    // What can be typed: digits only, or a leading minus and digits (the default).
    void setEntry(Entry entry);
    void setValue(int value);
    void setValue(float value);
    void setValue(unsigned value);

signals:
    // The user changed the text (typing, pasting, undo in the field); not sent by setValue.
    void valueEdited(int value);

private:
    void updateValidator();

    QRegularExpressionValidator* validator_;
    int readWidth_ = 4;
    Entry entry_ = Entry::Signed;
};

} // namespace vintrel
