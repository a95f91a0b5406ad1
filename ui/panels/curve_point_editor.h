#pragma once

// The small window a double-click on a curve point opens: the point's position along the life
// and its value, typed as the editor shows them (in percent). OK stores the point as one undo
// step; Escape or Cancel leaves the curve as it was.

#include "ui/panels/curve_geometry.h"

#include <QDialog>

class QDoubleSpinBox;

namespace vintrel {

class ProjectDocument;

class CurvePointEditor final : public QDialog {
    Q_OBJECT

public:
    // Edits point `index` of curve `slot` of the selected node, of the given kind. The ends'
    // positions are fixed at 0 and 100 %, so only their value can be typed.
    CurvePointEditor(ProjectDocument& document, int slot, int index, CurveKind kind, QWidget* parent);

    QDoubleSpinBox* lifeField() const { return life_; }
    QDoubleSpinBox* valueField() const { return value_; }

private:
    void store();

    ProjectDocument& document_;
    int slot_;
    int index_;
    CurveKind kind_;
    QDoubleSpinBox* life_ = nullptr;
    QDoubleSpinBox* value_ = nullptr;
};

} // namespace vintrel
