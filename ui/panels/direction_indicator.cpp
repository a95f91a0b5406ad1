#include "ui/panels/direction_indicator.h"

#include "ui/controls/panel_painter.h"
#include "ui/controls/pressable.h"
#include "ui/controls/ui_colors.h"
#include "ui/document/project_document.h"
#include "ui/panels/direction_dial_painting.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace vintrel {
namespace {

constexpr int kQuarters = 4;
constexpr int kFirstSquareQuarter = 1;
constexpr int kSecondSquareQuarter = 3;

// The h × h square centred at `quarter` quarters of the control's width.
QRect squareAt(const QSize& size, int quarter) {
    const int side = size.height();
    return {size.width() * quarter / kQuarters - side / 2, 0, side, side};
}

} // namespace

DirectionIndicator::DirectionIndicator(ProjectDocument& document, QWidget* parent)
    : QWidget(parent), document_(document) {
    // Like a click, the keyboard and a screen reader ask for the picker only while the node
    // moves in one direction.
    makePressable(*this, [this] {
        if (movesOneWay()) {
            emit pickerRequested();
        }
    });
    setAccessibleName(tr("移動方向"));
    const auto repaint = [this] { update(); };
    connect(&document_, &ProjectDocument::nodeValueChanged, this, repaint);
    connect(&document_, &ProjectDocument::projectValueChanged, this, repaint);
    connect(&document_, &ProjectDocument::selectionChanged, this, repaint);
    connect(&document_, &ProjectDocument::historyChanged, this, repaint);
}

bool DirectionIndicator::movesOneWay() const {
    const EffectNode* node = document_.state().pSelNode;
    return node != nullptr && node->m_move.isOneWay != 0;
}

void DirectionIndicator::paintEvent(QPaintEvent*) {
    PanelPainter painter(*this);
    const EffectNode* node = document_.state().pSelNode;
    if (!movesOneWay()) {
        painter.fill(toQColor(uiColors().client));
        return;
    }
    painter.fill(toQColor(uiColors().window));
    paintDirectionDial(painter, squareAt(size(), kFirstSquareQuarter), DialView::Top, node->m_move.dirY);
    paintDirectionDial(painter, squareAt(size(), kSecondSquareQuarter), DialView::Side, node->m_move.dirX);
}

void DirectionIndicator::keyPressEvent(QKeyEvent* event) {
    if (!pressOnKey(*this, *event)) {
        QWidget::keyPressEvent(event);
    }
}

void DirectionIndicator::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) && movesOneWay()) {
        emit pickerRequested();
    }
}

} // namespace vintrel
