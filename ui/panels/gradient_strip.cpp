#include "ui/panels/gradient_strip.h"

#include "ui/controls/panel_painter.h"
#include "ui/controls/ui_colors.h"
#include "ui/document/project_document.h"

#include <QColorDialog>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

namespace vintrel {
namespace {

QString text(const char* source) {
    return QCoreApplication::translate("Gradient", source);
}

constexpr int kMargin = 4;      // the strip stands this far inside the left and right edges
constexpr int kMarkerHeight = 7; // the markers' triangles below the strip
constexpr int kMarkerHalfWidth = 4;
constexpr int kCheckerSize = 4;
constexpr float kFull = 100.0f;
constexpr float kKeyStep = 1.0f; // percent a stop moves per arrow key
const QColor kCheckerLight(200, 200, 200);
const QColor kCheckerDark(130, 130, 130);
const QColor kMarkerOutline(255, 255, 255);
const QColor kSelectedOutline(255, 255, 0);

int toByte(float component) {
    return static_cast<int>(std::lround(std::clamp(component, 0.0f, 1.0f) * 255.0f));
}

QColor toQColor(const GradientColour& c) {
    return QColor(toByte(c.red), toByte(c.green), toByte(c.blue), toByte(c.alpha));
}

GradientColour fromQColor(const QColor& c) {
    return {static_cast<float>(c.redF()), static_cast<float>(c.greenF()), static_cast<float>(c.blueF()),
            static_cast<float>(c.alphaF())};
}

void paintChecker(QPainter& p, const QRect& area) {
    p.save();
    p.setClipRect(area);
    for (int y = area.top(); y <= area.bottom(); y += kCheckerSize) {
        for (int x = area.left(); x <= area.right(); x += kCheckerSize) {
            const bool light = (((x - area.left()) / kCheckerSize) + ((y - area.top()) / kCheckerSize)) % 2 == 0;
            p.fillRect(QRect(x, y, kCheckerSize, kCheckerSize), light ? kCheckerLight : kCheckerDark);
        }
    }
    p.restore();
}

} // namespace

GradientStrip::GradientStrip(ProjectDocument& document, QWidget* parent) : QWidget(parent), document_(document) {
    const EffectNode* node = document_.state().pSelNode;
    nodeId_ = node != nullptr ? node->m_ID : 0;
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(text("カラーグラデーション"));
    setAccessibleDescription(text("←→で点を選び、Shift+←→で移動、Enterで色、Insertで追加、Deleteで削除"));
    connect(&document_, &ProjectDocument::curveChanged, this, qOverload<>(&QWidget::update));
    connect(&document_, &ProjectDocument::historyChanged, this, qOverload<>(&QWidget::update));
    // Another node starts at its first stop; an undo that selects the same node again keeps the stop.
    connect(&document_, &ProjectDocument::selectionChanged, this, [this] {
        const EffectNode* node = document_.state().pSelNode;
        const int id = node != nullptr ? node->m_ID : 0;
        if (id != nodeId_) {
            nodeId_ = id;
            selected_ = 0;
        }
        update();
    });
}

std::optional<ColourGradient> GradientStrip::gradient() const {
    const EffectNode* node = document_.state().pSelNode;
    if (node == nullptr) {
        return std::nullopt;
    }
    return ColourGradient::of(*node);
}

int GradientStrip::stripHeight() const {
    return std::max(1, height() - kMarkerHeight);
}

float GradientStrip::lifeAt(int x) const {
    const int span = std::max(1, width() - 2 * kMargin - 1);
    // Whole percent, as the curve editor places its points.
    return std::clamp(std::round(static_cast<float>(x - kMargin) * kFull / static_cast<float>(span)), 0.0f, kFull);
}

int GradientStrip::columnOf(float life) const {
    const int span = std::max(1, width() - 2 * kMargin - 1);
    return kMargin + static_cast<int>(std::lround(life * static_cast<float>(span) / kFull));
}

int GradientStrip::stopAt(int x) const {
    const std::optional<ColourGradient> g = gradient();
    if (!g) {
        return -1;
    }
    int best = -1;
    int bestDistance = kMarkerHalfWidth + 1;
    for (int i = 0; i < g->stopCount(); ++i) {
        const int distance = std::abs(columnOf(g->stops()[static_cast<std::size_t>(i)].x) - x);
        if (distance < bestDistance) {
            best = i;
            bestDistance = distance;
        }
    }
    return best;
}

void GradientStrip::paintEvent(QPaintEvent*) {
    PanelPainter painter(*this);
    painter.fill(toQColor(uiColors().client));
    const EffectNode* node = document_.state().pSelNode;
    if (node == nullptr) {
        return;
    }
    QPainter& p = painter.painter();
    const QRect strip(kMargin, 0, width() - 2 * kMargin, stripHeight());
    paintChecker(p, strip);
    // Every column in the colour the particles have at that age.
    for (int x = strip.left(); x <= strip.right(); ++x) {
        p.fillRect(QRect(x, strip.top(), 1, strip.height()), toQColor(colourOverLife(*node, lifeAt(x))));
    }
    const ColourGradient g = ColourGradient::of(*node);
    selected_ = std::clamp(selected_, 0, g.stopCount() - 1);
    for (int i = 0; i < g.stopCount(); ++i) {
        const GradientStop& stop = g.stops()[static_cast<std::size_t>(i)];
        const int x = columnOf(stop.x);
        QPainterPath marker;
        marker.moveTo(x, stripHeight());
        marker.lineTo(x - kMarkerHalfWidth, height() - 1);
        marker.lineTo(x + kMarkerHalfWidth, height() - 1);
        marker.closeSubpath();
        QColor fill = toQColor(stop.colour);
        fill.setAlpha(255);
        p.setBrush(fill);
        p.setPen(QPen(i == selected_ && hasFocus() ? kSelectedOutline : kMarkerOutline, 1));
        p.drawPath(marker);
    }
    if (hasFocus()) {
        p.setPen(QPen(toQColor(uiColors().cursor), 1, Qt::DotLine));
        p.setBrush(Qt::NoBrush);
        p.drawRect(strip.adjusted(0, 0, -1, -1));
    }
}

void GradientStrip::write(const ColourGradient& g, CurveMerge merge) {
    document_.setGradientCurves(g.curves(), merge);
    update();
}

void GradientStrip::selectStop(int index) {
    const std::optional<ColourGradient> g = gradient();
    if (g) {
        selected_ = std::clamp(index, 0, g->stopCount() - 1);
        update();
    }
}

void GradientStrip::addStopAt(float life) {
    std::optional<ColourGradient> g = gradient();
    if (!g) {
        return;
    }
    const int added = g->addStop(life);
    if (added >= 0) {
        selected_ = added;
        write(*g, CurveMerge::Alone);
    }
}

void GradientStrip::removeSelectedStop() {
    std::optional<ColourGradient> g = gradient();
    if (g && g->removeStop(selected_)) {
        selected_ = std::max(0, selected_ - 1);
        write(*g, CurveMerge::Alone);
    }
}

void GradientStrip::moveSelectedStop(float life) {
    std::optional<ColourGradient> g = gradient();
    if (g) {
        g->moveStop(selected_, life);
        write(*g, CurveMerge::Successive);
    }
}

// The chooser is a window of its own (no nested event loop); its colour goes to the stop that
// was selected when it opened.
void GradientStrip::chooseColourOfSelectedStop() {
    const std::optional<ColourGradient> g = gradient();
    if (!g || chooser_) {
        return;
    }
    const int stop = selected_;
    chooser_ = new QColorDialog(toQColor(g->stops()[static_cast<std::size_t>(stop)].colour), this);
    chooser_->setOption(QColorDialog::ShowAlphaChannel);
    chooser_->setAttribute(Qt::WA_DeleteOnClose);
    chooser_->setWindowTitle(text("点の色"));
    connect(chooser_, &QColorDialog::colorSelected, this, [this, stop](const QColor& colour) {
        std::optional<ColourGradient> now = gradient();
        if (now && stop < now->stopCount()) {
            now->setColour(stop, fromQColor(colour));
            write(*now, CurveMerge::Alone);
        }
    });
    chooser_->open();
}

void GradientStrip::mousePressEvent(QMouseEvent* event) {
    const int x = static_cast<int>(event->position().x());
    const int stop = stopAt(x);
    if (stop >= 0) {
        selectStop(stop);
    }
    if (event->button() == Qt::LeftButton && stop >= 0) {
        dragging_ = true;
        dragMoved_ = false;
    }
}

void GradientStrip::mouseMoveEvent(QMouseEvent* event) {
    if (!dragging_ || !event->buttons().testFlag(Qt::LeftButton)) {
        return;
    }
    // The drag becomes one undo entry when it first moves the stop.
    if (!dragMoved_) {
        dragMoved_ = true;
        document_.beginGradientEdit();
    }
    moveSelectedStop(lifeAt(static_cast<int>(event->position().x())));
}

void GradientStrip::mouseReleaseEvent(QMouseEvent*) {
    dragging_ = false;
}

void GradientStrip::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    dragging_ = false;
    const int x = static_cast<int>(event->position().x());
    const int stop = stopAt(x);
    if (stop >= 0) {
        selectStop(stop);
        chooseColourOfSelectedStop();
    } else {
        addStopAt(lifeAt(x));
    }
}

void GradientStrip::keyPressEvent(QKeyEvent* event) {
    const std::optional<ColourGradient> g = gradient();
    if (!g) {
        QWidget::keyPressEvent(event);
        return;
    }
    const bool shift = event->modifiers().testFlag(Qt::ShiftModifier);
    const float at = g->stops()[static_cast<std::size_t>(std::clamp(selected_, 0, g->stopCount() - 1))].x;
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right: {
        const int direction = event->key() == Qt::Key_Left ? -1 : 1;
        if (shift) {
            document_.beginGradientEdit();
            moveSelectedStop(at + static_cast<float>(direction) * kKeyStep);
        } else {
            selectStop(selected_ + direction);
        }
        return;
    }
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        chooseColourOfSelectedStop();
        return;
    case Qt::Key_Insert: {
        const int next = std::min(selected_ + 1, g->stopCount() - 1);
        addStopAt((at + g->stops()[static_cast<std::size_t>(next)].x) / 2);
        return;
    }
    case Qt::Key_Delete:
        removeSelectedStop();
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

void GradientStrip::contextMenuEvent(QContextMenuEvent* event) {
    if (!gradient()) {
        return;
    }
    const int stop = stopAt(event->pos().x());
    const float life = lifeAt(event->pos().x());
    auto* menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    if (stop >= 0) {
        selectStop(stop);
        connect(menu->addAction(text("色を選ぶ...")), &QAction::triggered, this,
                &GradientStrip::chooseColourOfSelectedStop);
        QAction* remove = menu->addAction(text("点を削除"));
        remove->setEnabled(stop > 0 && stop < gradient()->stopCount() - 1);
        connect(remove, &QAction::triggered, this, &GradientStrip::removeSelectedStop);
    } else {
        connect(menu->addAction(text("ここに点を追加")), &QAction::triggered, this,
                [this, life] { addStopAt(life); });
    }
    menu->popup(event->globalPos());
}

} // namespace vintrel
