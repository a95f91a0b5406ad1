#include "ui/panels/curve_thumbnail.h"

#include "model/node_members.h"
#include "ui/controls/panel_painter.h"
#include "ui/controls/pressable.h"
#include "ui/controls/ui_colors.h"
#include "ui/document/project_document.h"
#include "ui/panels/curve_menu.h"
#include "ui/panels/curve_painter.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPen>

namespace vintrel {

CurveThumbnail::CurveThumbnail(ProjectDocument& document, int slot, QWidget* parent)
    : QWidget(parent), document_(document), slot_(slot) {
    makePressable(*this, [this] { emit openRequested(slot_); });
    setAccessibleName(QCoreApplication::translate("Curve", curveSlotName(slot)));
    connect(&document_, &ProjectDocument::curveChanged, this, [this](int changed) {
        if (changed == slot_) {
            update();
        }
    });
    connect(&document_, &ProjectDocument::selectionChanged, this, qOverload<>(&QWidget::update));
    connect(&document_, &ProjectDocument::historyChanged, this, qOverload<>(&QWidget::update));
}

void CurveThumbnail::paintEvent(QPaintEvent*) {
    PanelPainter painter(*this);
    const EffectNode* node = document_.state().pSelNode;
    if (node == nullptr || slot_ < 0 || slot_ >= kCurveSlotCount) {
        painter.fill(toQColor(uiColors().client));
        return;
    }
    paintCurveThumbnail(painter, node->graph(slot_), size());
    if (hasFocus()) {
        // Keyboard focus: a dotted frame in the cursor colour.
        painter.painter().setPen(QPen(toQColor(uiColors().cursor), 1, Qt::DotLine));
        painter.painter().setBrush(Qt::NoBrush);
        painter.painter().drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

void CurveThumbnail::keyPressEvent(QKeyEvent* event) {
    if (!pressOnKey(*this, *event)) {
        QWidget::keyPressEvent(event);
    }
}

void CurveThumbnail::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        emit openRequested(slot_);
    } else if (event->button() == Qt::RightButton) {
        showCurveMenu(document_, slot_, this, event->globalPosition().toPoint());
    }
}

} // namespace vintrel
