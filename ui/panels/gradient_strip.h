#pragma once

// The colour tab's gradient: the colour and opacity over a particle's life, drawn from the
// selected node's red, green, blue and opacity curves over a checkerboard, with a marker under
// every stop.
//
// Mouse: drag a marker along the life; double-click a marker to choose its colour, empty strip
// to add a stop there; right-click for the same as a menu and to remove a stop. Keyboard: Left
// and Right select a stop, Shift with them moves it, Enter or Space chooses its colour, Insert
// adds a stop after it, Delete removes it. Every change writes the four curves as one undo step.

#include "ui/panels/colour_gradient.h"

#include <QColorDialog>
#include <QPoint>
#include <QPointer>
#include <optional>
#include <QWidget>

namespace vintrel {

class ProjectDocument;

class GradientStrip final : public QWidget {
    Q_OBJECT

public:
    GradientStrip(ProjectDocument& document, QWidget* parent);

    int selectedStop() const { return selected_; }
    // The open colour chooser, or null.
    QColorDialog* colourChooser() const { return chooser_; }

    // The life position under pixel column `x` (whole percent, 0..100), and back.
    float lifeAt(int x) const;
    int columnOf(float life) const;

    // The stop whose marker is under pixel column `x`, or −1.
    int stopAt(int x) const;

    // The editing steps the mouse, the keyboard and the menu share.
    void selectStop(int index);
    void addStopAt(float life);
    void removeSelectedStop();
    void chooseColourOfSelectedStop();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    std::optional<ColourGradient> gradient() const;
    void write(const ColourGradient& gradient, CurveMerge merge);
    void moveSelectedStop(float life);
    int stripHeight() const;

    ProjectDocument& document_;
    int selected_ = 0;
    int nodeId_ = 0; // the node whose stops are shown
    bool dragging_ = false;
    bool dragMoved_ = false;
    QPointer<QColorDialog> chooser_;
};

} // namespace vintrel
