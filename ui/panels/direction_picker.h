#pragma once

#include "model/node_members.h"

#include <QDialog>

class QLabel;

namespace vintrel {

class DirectionDial;
class ProjectDocument;

// The modeless picker of the selected node's move direction: a dial seen from above for
// m_move.dirY and one seen from the side for m_move.dirX, each with its angle written below it.
// Dragging on a dial writes the value through the document's history at every move, so one drag
// makes one undo entry (successive edits of one field merge) and the move panel's indicator
// follows. The picker closes itself when another node is selected or the project is replaced,
// and when the node stops moving in one direction. Its owner keeps at most one open (a QPointer
// to it says whether one is).
class DirectionPicker final : public QDialog {
    Q_OBJECT

public:
    DirectionPicker(ProjectDocument& document, QWidget* parent);

    DirectionDial* topDial() const { return topDial_; }
    DirectionDial* sideDial() const { return sideDial_; }
    QString topAngleText() const;
    QString sideAngleText() const;

private:
    void writeAngle(const DirectionDial& dial, double degrees);
    void showNode();
    void onMemberChanged(MemberId member);
    void closeSelf();

    ProjectDocument& document_;
    DirectionDial* topDial_ = nullptr;
    DirectionDial* sideDial_ = nullptr;
    QLabel* topAngle_ = nullptr;
    QLabel* sideAngle_ = nullptr;
};

} // namespace vintrel
