#pragma once

// The curve editor's picture: paints one curve of the selected node with the editor's hover and
// drag state. It takes no mouse input itself: the window around it receives the mouse, in the
// coordinates the editing rules are written for.

#include <QWidget>

namespace vintrel {

class CurveEditState;
class ProjectDocument;

class CurvePicture final : public QWidget {
    Q_OBJECT

public:
    // `state` belongs to the window that edits the curve and outlives the picture.
    CurvePicture(ProjectDocument& document, int slot, const CurveEditState& state, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    ProjectDocument& document_;
    int slot_;
    const CurveEditState& state_;
};

} // namespace vintrel
