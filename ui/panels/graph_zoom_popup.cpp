#include "ui/panels/graph_zoom_popup.h"

#include "model/node_members.h"
#include "ui/controls/font_dialog_units.h"
#include "ui/document/project_document.h"
#include "ui/panels/curve_menu.h"
#include "ui/panels/curve_picture.h"
#include "ui/panels/curve_point_editor.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <algorithm>
#include <cmath>

namespace vintrel {
namespace {

CurveKind kindOf(const ProjectDocument& document, int slot) {
    const EffectNode* node = document.state().pSelNode;
    const bool valid = node != nullptr && slot >= 0 && slot < kCurveSlotCount;
    return valid && node->graph(slot).isBipolar() ? CurveKind::Speed : CurveKind::Value;
}

// Mouse positions as whole pixels in the signed 16-bit range the editing rules expect.
int mouseCoordinate(qreal value) {
    const auto limit = static_cast<qreal>(CurveEditState::kMouseLimit);
    return static_cast<int>(std::floor(std::clamp(value, -limit, limit)));
}

// Screen readers see the curve window as a window of its own, as they see dialogs.
QAccessibleInterface* curveWindowFactory(const QString& className, QObject* object) {
    if (className == QLatin1String(GraphZoomPopup::staticMetaObject.className()) && object->isWidgetType()) {
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Window);
    }
    return nullptr;
}

} // namespace

GraphZoomPopup::GraphZoomPopup(ProjectDocument& document, int slot, QWidget* parent)
    : QWidget(parent, Qt::Tool), document_(document), slot_(slot), state_(kindOf(document, slot)) {
    static const bool installed = (QAccessible::installFactory(curveWindowFactory), true);
    (void)installed;
    const QString name = QCoreApplication::translate("Curve", curveSlotName(slot));
    setWindowTitle(name);
    setAccessibleName(name);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    picture_ = new CurvePicture(document_, slot_, state_, this);
    const DialogUnitScale units = dialogUnitScaleFor(font());
    resize(units.toPixelsX(kInitialWidthDu), units.toPixelsY(kInitialHeightDu));

    connect(&document_, &ProjectDocument::selectionChanged, this, &GraphZoomPopup::closeSelf);
    connect(&document_, &ProjectDocument::curveChanged, picture_, [this](int changed) {
        if (changed == slot_) {
            picture_->update();
        }
    });
    connect(&document_, &ProjectDocument::historyChanged, picture_, qOverload<>(&QWidget::update));
}

// Escape closes the curve window, as it closes a dialog. The keyboard reaches everything the
// mouse does: Left and Right hover the previous and next point, Enter types the hovered point,
// Insert adds one after it, Delete removes it (as a right press does), and the menu key or
// Shift+F10 opens the right-click menu.
void GraphZoomPopup::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (key == Qt::Key_Escape) {
        closeSelf();
        return;
    }
    if (key == Qt::Key_Left || key == Qt::Key_Right) {
        state_.hoverNeighbour(currentPoints(), key == Qt::Key_Right ? 1 : -1);
        picture_->update();
        return;
    }
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && state_.hoverIndex() >= 0) {
        editHoveredPoint();
        return;
    }
    if (key == Qt::Key_Insert) {
        insertAfterHovered();
        return;
    }
    if (key == Qt::Key_Delete) {
        deleteHovered();
        return;
    }
    if (key == Qt::Key_Menu || (key == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier)) {
        showCurveMenu(document_, slot_, this, hoveredPointOnScreen());
        return;
    }
    QWidget::keyPressEvent(event);
}

void GraphZoomPopup::insertAfterHovered() {
    std::vector<CurvePoint> points = currentPoints();
    // Each key press is an undo step of its own, as a typed point is.
    if (state_.insertAfterHovered(points)) {
        document_.setCurvePoints(slot_, points, CurveMerge::Alone);
    }
    picture_->update();
}

void GraphZoomPopup::deleteHovered() {
    std::vector<CurvePoint> points = currentPoints();
    if (state_.hoverIndex() >= 0 && state_.rightDown(points) == RightPressResult::Deleted) {
        document_.setCurvePoints(slot_, points, CurveMerge::Alone);
    }
    picture_->update();
}

QPoint GraphZoomPopup::hoveredPointOnScreen() const {
    const std::vector<CurvePoint> points = currentPoints();
    const int hovered = state_.hoverIndex();
    if (hovered < 0 || hovered >= static_cast<int>(points.size())) {
        return mapToGlobal(rect().center());
    }
    const PixelPoint at = state_.toPixel(points[static_cast<std::size_t>(hovered)]);
    return picture_->mapToGlobal(QPoint(static_cast<int>(at.x), static_cast<int>(at.y)));
}

void GraphZoomPopup::resizeEvent(QResizeEvent*) {
    const int width = std::max(0, this->width() - 2 * kPictureInset);
    const int height = std::max(0, this->height() - 2 * kPictureInset);
    picture_->setGeometry(kPictureInset, kPictureInset, width, height);
    state_.setArea(width, height);
}

std::vector<CurvePoint> GraphZoomPopup::currentPoints() const {
    const EffectNode* node = document_.state().pSelNode;
    if (node == nullptr || slot_ < 0 || slot_ >= kCurveSlotCount) {
        return {};
    }
    return node->graph(slot_).points();
}

void GraphZoomPopup::remember(const QMouseEvent& event) {
    mouse_ = {mouseCoordinate(event.position().x()), mouseCoordinate(event.position().y())};
}

void GraphZoomPopup::commit(const std::vector<CurvePoint>& points) {
    document_.setCurvePoints(slot_, points);
}

void GraphZoomPopup::mouseMoveEvent(QMouseEvent* event) {
    remember(*event);
    mouseSeen_ = true;
    std::vector<CurvePoint> points = currentPoints();
    const LeftButton button =
        event->buttons().testFlag(Qt::LeftButton) ? LeftButton::Held : LeftButton::Released;
    const GroupDrag group = event->modifiers().testFlag(Qt::ShiftModifier) ? GroupDrag::On : GroupDrag::Off;
    if (state_.drag(points, mouse_.x(), mouse_.y(), button, group)) {
        commit(points);
    } else {
        state_.hitTest(points, mouse_.x(), mouse_.y());
    }
    picture_->update();
}

void GraphZoomPopup::mousePressEvent(QMouseEvent* event) {
    if (!mouseSeen_) {
        return;
    }
    remember(*event);
    if (event->button() == Qt::LeftButton) {
        pressLeft(event->modifiers().testFlag(Qt::ShiftModifier) ? GroupDrag::On : GroupDrag::Off);
    } else if (event->button() == Qt::RightButton) {
        pressRight(event->globalPosition().toPoint());
    }
    picture_->update();
}

// The curve as it was before the press becomes one undo entry; the insert and the drag that
// follow change the curve under that entry.
void GraphZoomPopup::pressLeft(GroupDrag group) {
    document_.beginCurveEdit(slot_);
    std::vector<CurvePoint> points = currentPoints();
    state_.leftDown(points, mouse_.x(), mouse_.y(), group);
    commit(points);
}

void GraphZoomPopup::pressRight(QPoint globalPos) {
    std::vector<CurvePoint> points = currentPoints();
    switch (state_.rightDown(points)) {
    case RightPressResult::Deleted:
        commit(points);
        break;
    case RightPressResult::ShowMenu:
        showCurveMenu(document_, slot_, this, globalPos);
        break;
    case RightPressResult::Kept:
        break;
    }
}

void GraphZoomPopup::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        state_.endDrag();
        picture_->update();
    }
}

// A double-click on a point opens its number window; elsewhere it is a press like the first one.
void GraphZoomPopup::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && state_.hoverIndex() >= 0) {
        state_.endDrag();
        editHoveredPoint();
        return;
    }
    mousePressEvent(event);
}

void GraphZoomPopup::editHoveredPoint() {
    if (pointEditor_) {
        pointEditor_->raise();
        return;
    }
    const CurveKind kind = state_.kind();
    pointEditor_ = new CurvePointEditor(document_, slot_, state_.hoverIndex(), kind, this);
    pointEditor_->open();
}

void GraphZoomPopup::closeSelf() {
    hide();
    deleteLater();
}

} // namespace vintrel
