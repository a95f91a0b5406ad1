#include "ui/panels/curve_picture.h"

#include "model/node_members.h"
#include "ui/controls/panel_painter.h"
#include "ui/controls/ui_colors.h"
#include "ui/document/project_document.h"
#include "ui/panels/curve_geometry.h"
#include "ui/panels/curve_painter.h"

#include <QCoreApplication>

namespace vintrel {

CurvePicture::CurvePicture(ProjectDocument& document, int slot, const CurveEditState& state, QWidget* parent)
    : QWidget(parent), document_(document), slot_(slot), state_(state) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAccessibleName(QCoreApplication::translate("Curve", curveSlotName(slot)));
}

void CurvePicture::paintEvent(QPaintEvent*) {
    PanelPainter painter(*this);
    const EffectNode* node = document_.state().pSelNode;
    if (node == nullptr || slot_ < 0 || slot_ >= kCurveSlotCount) {
        painter.fill(toQColor(uiColors().client));
        return;
    }
    paintCurveEditor(painter, node->graph(slot_), state_);
}

} // namespace vintrel
