#include "ui/panels/curve_painter.h"

#include "model/curve.h"
#include "ui/controls/panel_painter.h"
#include "ui/controls/ui_colors.h"
#include "ui/panels/curve_geometry.h"

#include <QPen>
#include <QPolygonF>
#include <algorithm>

namespace vintrel {
namespace {

const QColor kEditorBackground(50, 50, 50);
const QColor kSpeedBackground(0x32, 0x32, 0x32);
const QColor kSpeedMiddleLine(0x50, 0x50, 0x50);
const QColor kCrossHair(0xB4, 0xB4, 0xB4);
const QColor kCurveWhite(255, 255, 255);
const QColor kActivePoint(255, 255, 0);
const QColor kGridLine(72, 72, 72);
const QColor kGridText(150, 150, 150);
const QColor kLabelBacking(30, 30, 30, 200);

constexpr qreal kThinPenWidth = 1.0;
constexpr qreal kCurvePenWidth = 3.0;
constexpr qreal kThumbnailPenWidth = 2.0;
// The labels' text is sized from a box of this height (the panel text's size rule: half of it in
// points): 9 points, the interface's own size, so "-100％" still fits its 40-pixel place.
constexpr int kLabelTextHeight = 18;
// The grid's axis values, smaller and grey, so that the curve stays in front.
constexpr int kGridTextHeight = 16;
constexpr int kGridTextWidth = 40;
constexpr int kGridTextGap = 2;
// The thumbnail draws every second table entry.
constexpr int kThumbnailStep = 2;

QPointF toQt(PixelPoint p) {
    return {p.x, p.y};
}

void paintBackground(PanelPainter& painter, const CurveEditState& state) {
    if (state.kind() == CurveKind::Speed) {
        painter.fill(kSpeedBackground);
        const qreal middle = state.height() / 2;
        painter.line(QPen(kSpeedMiddleLine, kThinPenWidth), {0, middle}, {qreal(state.width()), middle});
    } else {
        painter.fill(kEditorBackground);
    }
}

void paintGrid(PanelPainter& painter, const CurveEditState& state) {
    const QPen pen(kGridLine, kThinPenWidth);
    const auto w = static_cast<qreal>(state.width());
    const auto h = static_cast<qreal>(state.height());
    const CurveGrid grid = state.grid(kGridTextHeight);
    for (const CurveGridLine& line : grid.life) {
        painter.line(pen, {line.pixel, 0}, {line.pixel, h});
    }
    for (const CurveGridLine& line : grid.value) {
        painter.line(pen, {0, line.pixel}, {w, line.pixel});
    }
    const auto percent = [](int value) { return QString::number(value) + QStringLiteral("％"); };
    for (const CurveGridLine& line : grid.life) {
        if (line.labelled && line.percent > 0) {
            const QRect box(static_cast<int>(line.pixel) + kGridTextGap, state.height() - kGridTextHeight + kGridTextGap,
                            kGridTextWidth, kGridTextHeight);
            painter.text(percent(line.percent), box, kGridText);
        }
    }
    for (const CurveGridLine& line : grid.value) {
        if (line.labelled) {
            // Above its line, except the top line's, which has no room above it.
            const int top = static_cast<int>(line.pixel) - kGridTextHeight / 2 - kGridTextGap;
            const QRect box(kGridTextGap, std::max(top, static_cast<int>(line.pixel) + kGridTextGap), kGridTextWidth,
                            kGridTextHeight);
            painter.text(percent(line.percent), box, kGridText);
        }
    }
}

// The hovered point's value and position, on a dark backing so that they stay readable over the
// grid and the curve.
void paintLabel(PanelPainter& painter, const CurveLabel& label) {
    // Twice the place's width, so that a wide text runs on instead of being clipped.
    const QRect box(static_cast<int>(label.topLeft.x), static_cast<int>(label.topLeft.y),
                    2 * CurveEditState::kLabelWidth, kLabelTextHeight);
    const QString text = QString::fromStdString(label.text);
    painter.fillRect(painter.textBounds(text, box), kLabelBacking);
    painter.text(text, box, kCurveWhite);
}

void paintCrossHair(PanelPainter& painter, const Graph& graph, const CurveEditState& state) {
    const std::optional<HoverLabels> labels = state.hoverLabels(graph.points());
    if (!labels) {
        return;
    }
    const QPointF at = toQt(state.toPixel(graph.points()[static_cast<std::size_t>(state.hoverIndex())]));
    const QPen pen(kCrossHair, kThinPenWidth);
    painter.line(pen, {at.x(), 0}, {at.x(), qreal(state.height())});
    painter.line(pen, {0, at.y()}, {qreal(state.width()), at.y()});
    paintLabel(painter, labels->value);
    paintLabel(painter, labels->position);
}

void paintTable(PanelPainter& painter, const Graph& graph, const CurveEditState& state) {
    const QPen pen(kCurveWhite, kCurvePenWidth);
    QPointF previous = toQt(state.tablePixel(0, graph.tableEntry(0)));
    for (int i = 1; i < Graph::kTableSize; ++i) {
        const QPointF next = toQt(state.tablePixel(i, graph.tableEntry(i)));
        painter.line(pen, previous, next);
        previous = next;
    }
}

void paintHandles(PanelPainter& painter, const Graph& graph, const CurveEditState& state) {
    QPainter& p = painter.painter();
    p.setBrush(Qt::NoBrush);
    const int count = graph.pointCount();
    for (int i = 0; i < count; ++i) {
        const bool active = i == state.hoverIndex() || i == state.dragIndex();
        p.setPen(QPen(active ? kActivePoint : kCurveWhite, kCurvePenWidth));
        const PixelPoint corner = state.handleTopLeft(graph.point(i));
        p.drawRect(QRectF(corner.x, corner.y, CurveEditState::kHandleSize, CurveEditState::kHandleSize));
    }
}

} // namespace

void paintCurveEditor(PanelPainter& painter, const Graph& graph, const CurveEditState& state) {
    paintBackground(painter, state);
    if (!state.hasRoom()) {
        return;
    }
    paintGrid(painter, state);
    paintCrossHair(painter, graph, state);
    paintTable(painter, graph, state);
    paintHandles(painter, graph, state);
}

void paintCurveThumbnail(PanelPainter& painter, const Graph& graph, QSize size) {
    painter.fill(toQColor(uiColors().client));
    CurveEditState area;
    area.setArea(size.width(), size.height());
    if (!area.hasRoom()) {
        return;
    }
    QPolygonF line;
    for (int i = 0; i < Graph::kTableSize; i += kThumbnailStep) {
        line << toQt(area.tablePixel(i, graph.tableEntry(i)));
    }
    QPainter& p = painter.painter();
    p.setPen(QPen(kCurveWhite, kThumbnailPenWidth));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(line);
}

} // namespace vintrel
