#pragma once

#include "model/parameter_panels.h"
#include "ui/controls/dialog_units.h"

#include <QPointer>
#include <QWidget>
#include <map>
#include <vector>

class QButtonGroup;

namespace vintrel {

class ProjectDocument;

// One parameter panel, built from its table for the selected node: every control shows its
// member as the node holds it, and every change the user makes goes to the document at once (a
// keystroke in a number field is one edit; the history merges a field's consecutive edits).
// Merely showing a panel writes nothing. A panel holds no copy of the node: the parameter area
// builds a new one whenever the selection, the tab or the project changes.
class ParameterPanel final : public QWidget {
    Q_OBJECT

public:
    ParameterPanel(ProjectDocument& document, const ParameterPanelLayout& layout, const DialogUnitScale& units,
                   QWidget* parent);

    const ParameterPanelLayout& layout() const { return layout_; }
    // The widget of the control with this id (tests, accessibility), or null.
    QWidget* control(int id) const;

signals:
    void curveEditorRequested(int slot);
    void directionPickerRequested();

private:
    struct Bound {
        const PanelControl* control;
        QWidget* widget;
    };

    void build();
    // Tab goes through the fields frame by frame, line by line, as they are read.
    void orderTabs();
    QWidget* makeFrame(const PanelControl& c);
    QWidget* makeLabel(const PanelControl& c);
    QWidget* makeNumber(const PanelControl& c);
    QWidget* makeDropDown(const PanelControl& c);
    QWidget* makeRadio(const PanelControl& c);
    QWidget* makeCheck(const PanelControl& c);
    QWidget* makeCurve(const PanelControl& c);
    QWidget* makeDirection(const PanelControl& c);
    void place(QWidget* widget, const DuRect& rect);

    // The member's value as an int (floats truncated); 0 when nothing is selected.
    int memberInt(MemberId member) const;
    double memberValue(MemberId member) const;
    void write(const PanelControl& c, double value);
    void applyEnableRules();

    ProjectDocument& document_;
    const ParameterPanelLayout& layout_;
    DialogUnitScale units_;
    std::vector<Bound> bound_;
    std::map<MemberId, QButtonGroup*> radioGroups_;
    std::map<const PanelControl*, QWidget*> spinners_;
};

} // namespace vintrel
