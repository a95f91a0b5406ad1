#include "ui/panels/curve_menu.h"

#include "model/curve.h"
#include "ui/document/project_document.h"
#include "ui/panels/curve_shapes.h"

#include <QCoreApplication>
#include <QMenu>

namespace vintrel {
namespace {

constexpr const char* kContext = "CurveMenu";

QString menuText(const char* source) {
    return QCoreApplication::translate(kContext, source);
}

void copyCurve(const ProjectDocument& document, int slot) {
    const EffectNode* node = document.state().pSelNode;
    if (node != nullptr && slot >= 0 && slot < kCurveSlotCount) {
        node->graph(slot).copyToClipboard();
    }
}

// The starting shapes replace the curve, each as an undo step of its own.
void addShapeMenu(QMenu& menu, ProjectDocument& document, int slot) {
    QMenu* shapes = menu.addMenu(menuText("形から始める"));
    for (const CurveShapeEntry& entry : kCurveShapes) {
        QAction* action = shapes->addAction(menuText(entry.menuText));
        QObject::connect(action, &QAction::triggered, &menu, [&document, slot, shape = entry.shape] {
            const EffectNode* node = document.state().pSelNode;
            if (node == nullptr || slot < 0 || slot >= kCurveSlotCount) {
                return;
            }
            const CurveKind kind = node->graph(slot).isBipolar() ? CurveKind::Speed : CurveKind::Value;
            document.setCurvePoints(slot, curveShapePoints(shape, kind), CurveMerge::Alone);
        });
    }
}

} // namespace

QMenu* showCurveMenu(ProjectDocument& document, int slot, QWidget* parent, QPoint globalPos) {
    auto* menu = new QMenu(parent);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->setAccessibleName(menuText("グラフ"));
    QAction* copy = menu->addAction(menuText("コピー"));
    QAction* paste = menu->addAction(menuText("貼り付け"));
    paste->setEnabled(!curveClipboard().empty());
    QObject::connect(copy, &QAction::triggered, menu, [&document, slot] { copyCurve(document, slot); });
    QObject::connect(paste, &QAction::triggered, menu, [&document, slot] { document.pasteCurve(slot); });
    menu->addSeparator();
    addShapeMenu(*menu, document, slot);
    menu->popup(globalPos);
    return menu;
}

} // namespace vintrel
