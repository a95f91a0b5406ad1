#pragma once

// The curve editor: a resizable tool window over the main window that shows one curve of the
// selected node large and lets the user hover, insert, drag and delete its points. Every change
// goes to the document (one undo entry per press); the window closes itself when the selection
// changes, since its curve may no longer exist.

#include "ui/panels/curve_geometry.h"
#include "ui/panels/curve_point_editor.h"

#include <QPoint>
#include <QPointer>
#include <QWidget>
#include <vector>

namespace vintrel {

class CurvePicture;
class ProjectDocument;

class GraphZoomPopup final : public QWidget {
    Q_OBJECT

public:
    // The client size on opening, in dialog units of the window's font.
    static constexpr int kInitialWidthDu = 331;
    static constexpr int kInitialHeightDu = 162;
    // The picture stands this far inside every edge of the client area, so that the mouse
    // positions the window receives start at the editing rules' origin.
    static constexpr int kPictureInset = CurveEditState::kMouseOrigin;

    GraphZoomPopup(ProjectDocument& document, int slot, QWidget* parent);

    int slot() const { return slot_; }
    CurvePicture* picture() const { return picture_; }
    const CurveEditState& editState() const { return state_; }
    // The open point window, or null.
    CurvePointEditor* pointEditor() const { return pointEditor_; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    std::vector<CurvePoint> currentPoints() const;
    void remember(const QMouseEvent& event);
    void commit(const std::vector<CurvePoint>& points);
    void pressLeft(GroupDrag group);
    void pressRight(QPoint globalPos);
    void closeSelf();
    // Opens the window that takes the hovered point's position and value as numbers.
    void editHoveredPoint();
    void insertAfterHovered();
    void deleteHovered();
    // Where the right-click menu opens from the keyboard: at the hovered point, else mid-window.
    QPoint hoveredPointOnScreen() const;

    ProjectDocument& document_;
    int slot_;
    CurveEditState state_;
    CurvePicture* picture_ = nullptr;
    QPoint mouse_;
    // Presses count only after the mouse has moved over the window.
    bool mouseSeen_ = false;
    QPointer<CurvePointEditor> pointEditor_;
};

} // namespace vintrel
