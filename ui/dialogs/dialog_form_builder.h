#pragma once

#include "model/parameter_panels.h"
#include "ui/controls/dialog_units.h"
#include "ui/dialogs/int_range.h"

#include <QString>

class QCheckBox;
class QDialog;
class QGroupBox;
class QLabel;
class QPushButton;
class QWidget;

namespace vintrel {

class NumericField;
class SpinnerButtons;

// A number field and the arrows at its right end.
struct NumberControls {
    NumericField* field = nullptr;
    SpinnerButtons* spinner = nullptr;
};

// Lays out a settings dialog from dialog-unit rectangles, converted by the dialog font's metrics.
// Rectangles are measured from the dialog's top-left corner, also for controls that go into a
// frame: `in` names the frame, which becomes the control's parent so that the accessibility
// interface finds a field below its frame (the camera dialog has two "左右"). Every control gets
// the accessible name it is found by: a field the name given, a check box or button its text.
// A rectangle's width or height of 0 gives the control its natural width or height.
class DialogFormBuilder {
public:
    explicit DialogFormBuilder(QDialog& dialog);

    const DialogUnitScale& units() const { return units_; }

    // The dialog's size, fixed (the modal settings dialogs are not resizable).
    void fixSize(int widthDu, int heightDu);

    QGroupBox* frame(const QString& caption, const DuRect& rect);
    QLabel* label(const QString& text, const DuRect& rect, QWidget* in = nullptr);
    // The field reads as many characters as the range's ends need; the arrows hold the range.
    NumberControls number(const QString& name, const DuRect& rect, const IntRange& range,
                          QWidget* in = nullptr);
    QCheckBox* check(const QString& text, const DuRect& rect, QWidget* in = nullptr);
    QPushButton* button(const QString& text, const DuRect& rect);

    // Puts a control made elsewhere (already a child of the dialog or of one of its frames) at
    // `rect`; a width or height of 0 takes the control's natural one.
    void place(QWidget& widget, const DuRect& rect) const;

private:
    QWidget& parentFor(QWidget* in) const;

    QDialog& dialog_;
    DialogUnitScale units_;
};

} // namespace vintrel
