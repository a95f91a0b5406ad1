#pragma once

#include <QWidget>

namespace vintrel {

class ProjectDocument;

// The move panel's picture of the selected node's move direction: two squares as high as the
// control, centred at a quarter and three quarters of its width, the first seen from above
// (m_move.dirY), the second from the side (m_move.dirX). While the node does not move in one
// direction (m_move.isOneWay is 0) the control is a plain CLIENT_COLOR field. A click asks for
// the direction picker, and only while the node moves in one direction.
class DirectionIndicator final : public QWidget {
    Q_OBJECT

public:
    DirectionIndicator(ProjectDocument& document, QWidget* parent);

signals:
    void pickerRequested();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool movesOneWay() const;

    ProjectDocument& document_;
};

} // namespace vintrel
