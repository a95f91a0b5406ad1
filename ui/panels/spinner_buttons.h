#pragma once

#include <QWidget>

class QToolButton;

namespace vintrel {

class NumericField;

// The little up and down arrows at the right end of a number field. A step reads the field as
// it reads itself, brings the value into the spinner's range, adds or takes one within the range
// and writes it back, then reports it like typing would. The Up and Down keys in the field step
// too. Holding an arrow repeats.
class SpinnerButtons final : public QWidget {
    Q_OBJECT

public:
    SpinnerButtons(NumericField& field, int low, int high, QWidget* parent);

    // One step up (+1) or down (-1), as a click on an arrow does.
    void step(int direction);

    static constexpr int kWidth = 12;

signals:
    // The field's new value after a step.
    void stepped(int value);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    NumericField& field_;
    int low_;
    int high_;
};

// The value a step leaves: the current value brought into low..high, then one step within it.
int steppedValue(int current, int direction, int low, int high);

} // namespace vintrel
