#pragma once

#include "model/export_extras.h"

#include <QDialog>
#include <vector>

class QCheckBox;
class QComboBox;
class QFormLayout;
class QLineEdit;
class QSpinBox;

namespace vintrel {

// "書き出しの詳細": the options for engines and video editors beyond the classic dialog: the
// atlas data, the alpha mode, the sheet's padding, border, edge extrusion, trim, power-of-two
// size, largest page and file-name pattern, the extra channels' sheets, and the seamless loop. The sheet's own options are
// disabled for the other outputs. Every control is named by its label for screen readers.
class ExportDetailsDialog final : public QDialog {
    Q_OBJECT

public:
    ExportDetailsDialog(const ExportExtras& extras, bool writesSheet, QWidget* parent);

    // The options as the controls have them (the animated format as it was given).
    ExportExtras extras() const;

private:
    QComboBox* addChoice(const char* label, std::initializer_list<const char*> items, int current);
    QSpinBox* addNumber(const char* label, int low, int high, int value, const char* special = nullptr);
    QCheckBox* addCheck(const char* text, bool checked);
    void followLoop();

    ExportExtras given_;
    QFormLayout* form_ = nullptr;
    QComboBox* atlas_ = nullptr;
    QComboBox* alpha_ = nullptr;
    QSpinBox* padding_ = nullptr;
    QSpinBox* border_ = nullptr;
    QSpinBox* extrude_ = nullptr;
    QComboBox* trim_ = nullptr;
    QCheckBox* powerOfTwo_ = nullptr;
    QSpinBox* maxSide_ = nullptr;
    QLineEdit* namePattern_ = nullptr;
    std::vector<QCheckBox*> channels_; // motion, emissive, depth
    QCheckBox* loop_ = nullptr;
    QSpinBox* loopFrames_ = nullptr;
};

} // namespace vintrel
