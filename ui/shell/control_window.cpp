#include "ui/shell/control_window.h"

#include "render/camera.h"
#include "ui/shell/transport_bar.h"

#include <QCoreApplication>
#include <QCursor>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace vintrel {

namespace {

constexpr int kIconSize = 32;
constexpr int kIconStripOffset = 136; // the first icon starts this far left of the right edge
constexpr int kTextTop = 8;
constexpr int kTextHeight = 16;
constexpr int kParticleLabelWidth = 55;
constexpr int kFpsLabelWidth = 32;
constexpr int kFrameReadoutEnd = 128;
// A readout's number after its label.
constexpr int kNumberWidth = 80;
constexpr int kLabelGap = 4;

QString particleLabel() {
    return QCoreApplication::translate("InfoBar", "パーティクル");
}
QString fpsLabel() {
    return QCoreApplication::translate("InfoBar", "フレームレート");
}
constexpr int kTransportMargin = 8;

const QColor kIconNormal(150, 150, 150);
const QColor kIconHighlight(255, 255, 255);
const QColor kIconHighlightBack(70, 70, 70);

// An arrow head at `tip` pointing in direction `angle` (radians, screen coordinates).
void arrowHead(QPainter& p, QPointF tip, double angle, double size) {
    const double spread = 0.5;
    const QPointF a = tip - QPointF(std::cos(angle - spread), std::sin(angle - spread)) * size;
    const QPointF b = tip - QPointF(std::cos(angle + spread), std::sin(angle + spread)) * size;
    p.drawLine(tip, a);
    p.drawLine(tip, b);
}

// The neutral mode: an eye.
void drawViewIcon(QPainter& p, QPointF c) {
    QPainterPath eye;
    eye.moveTo(c + QPointF(-10, 0));
    eye.quadTo(c + QPointF(0, -9), c + QPointF(10, 0));
    eye.quadTo(c + QPointF(0, 9), c + QPointF(-10, 0));
    p.drawPath(eye);
    p.drawEllipse(c, 3.0, 3.0);
}

// Pan: four arrows out of the centre.
void drawPanIcon(QPainter& p, QPointF c) {
    const double r = 10;
    for (int i = 0; i < 4; ++i) {
        const double angle = i * std::numbers::pi / 2;
        const QPointF dir(std::cos(angle), std::sin(angle));
        p.drawLine(c + dir * 2.0, c + dir * r);
        arrowHead(p, c + dir * r, angle, 4);
    }
}

// Orbit: a circular arrow, open at the upper right, its head at the right end pointing up.
void drawOrbitIcon(QPainter& p, QPointF c) {
    const double r = 9;
    const QRectF box(c.x() - r, c.y() - r, 2 * r, 2 * r);
    p.drawArc(box, 60 * 16, 300 * 16); // Qt angles in 1/16 degree, counter-clockwise
    arrowHead(p, c + QPointF(r, 0), -std::numbers::pi / 2, 5);
}

// Zoom: a magnifier.
void drawZoomIcon(QPainter& p, QPointF c) {
    const QPointF lens = c + QPointF(-3, -3);
    p.drawEllipse(lens, 6.5, 6.5);
    p.drawLine(lens + QPointF(4.6, 4.6), c + QPointF(9, 9));
}

QString paddedNumber(int value, int width) {
    return QStringLiteral("%1").arg(value, width, 10, QLatin1Char('0'));
}

} // namespace

ControlWindow::ControlWindow(const GlobalState& g, std::function<int()> currentFrame, QWidget* parent)
    : QWidget(parent), g_(g), currentFrame_(std::move(currentFrame)) {
    setFixedHeight(kHeight);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    font_.setFamilies({QStringLiteral("Meiryo UI"), QStringLiteral("Noto Sans CJK JP")});
    font_.setPixelSize(12);
    connect(&timer_, &QTimer::timeout, this, qOverload<>(&QWidget::update));
    timer_.start(kRepaintMs);
}

void ControlWindow::setDisplay(const Display& display) {
    display_ = display;
    placeTransport();
    update();
}

void ControlWindow::setTransport(TransportBar* transport) {
    transport_ = transport;
    transport_->setParent(this);
    connect(&timer_, &QTimer::timeout, transport_, &TransportBar::follow);
    placeTransport();
    transport_->show();
}

// A label is as wide as its text needs, and never narrower than the English one was laid out.
int ControlWindow::labelWidth(const QString& label, int minimum) const {
    return std::max(minimum, QFontMetrics(font_).horizontalAdvance(label) + kLabelGap);
}

int ControlWindow::readoutsEnd() const {
    int x = display_.frame ? kFrameReadoutEnd : kTransportMargin;
    if (display_.particles) {
        x += labelWidth(particleLabel(), kParticleLabelWidth) + kNumberWidth;
    }
    if (display_.fps) {
        x += labelWidth(fpsLabel(), kFpsLabelWidth) + kNumberWidth;
    }
    return x;
}

// The buttons keep their size; the slider gets the room up to the icons, and the whole
// transport hides when not even the buttons fit.
void ControlWindow::placeTransport() {
    if (transport_ == nullptr) {
        return;
    }
    const int left = readoutsEnd() + kTransportMargin;
    const int right = width() - kIconStripOffset - kTransportMargin;
    transport_->setGeometry(left, 0, std::max(right - left, 0), kHeight);
    transport_->setVisible(right - left >= TransportBar::buttonsWidth());
}

void ControlWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    placeTransport();
}

int ControlWindow::hovered() const {
    const QPoint cursor = mapFromGlobal(QCursor::pos());
    return hoveredIcon(cursor.x(), cursor.y(), width());
}

void ControlWindow::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        const QPoint at = event->position().toPoint();
        const int icon = hoveredIcon(at.x(), at.y(), width());
        if (icon > 0) {
            emit cameraModeChosen(icon);
        }
    }
    QWidget::mousePressEvent(event);
}

void ControlWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    paintIcons(painter);
    paintReadouts(painter);
}

void ControlWindow::paintIcons(QPainter& painter) {
    using IconPainter = void (*)(QPainter&, QPointF);
    static constexpr IconPainter kIcons[4] = {drawViewIcon, drawPanIcon, drawOrbitIcon, drawZoomIcon};
    const int highlighted = hovered();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    for (int i = 0; i < 4; ++i) {
        const QRect cell(width() - kIconStripOffset + kIconSize * i, 0, kIconSize, kIconSize);
        const bool lit = i == highlighted;
        if (lit) {
            painter.fillRect(cell.adjusted(1, 1, -1, -1), kIconHighlightBack);
        }
        painter.setPen(QPen(lit ? kIconHighlight : kIconNormal, 1.6, Qt::SolidLine, Qt::RoundCap));
        painter.setBrush(Qt::NoBrush);
        kIcons[i](painter, QRectF(cell).center());
    }
    painter.restore();
}

void ControlWindow::paintReadouts(QPainter& painter) {
    painter.setFont(font_);
    painter.setPen(Qt::white);
    const auto text = [&](int x, int width, const QString& s) {
        painter.drawText(QRect(x, kTextTop, width, kTextHeight), Qt::AlignLeft | Qt::AlignVCenter, s);
    };
    int x = 8;
    if (display_.frame) {
        const int frame = currentFrame_ ? currentFrame_() : 1;
        text(x, 120, paddedNumber(frame - 1, 4) + QLatin1Char('/') + paddedNumber(g_.project.frame, 4));
        x = kFrameReadoutEnd;
    }
    if (display_.particles) {
        const unsigned count = g_.sim.particleCount.load();
        // The root particle and the two camera marker particles are not counted.
        const unsigned shown = count > 3 ? count - 3 : 0;
        const int width = labelWidth(particleLabel(), kParticleLabelWidth);
        text(x, width, particleLabel());
        text(x + width, kNumberWidth, QLatin1Char(':') + QStringLiteral("%1").arg(shown, 4, 10, QLatin1Char('0')));
        x += width + kNumberWidth;
    }
    if (display_.fps) {
        const int width = labelWidth(fpsLabel(), kFpsLabelWidth);
        text(x, width, fpsLabel());
        text(x + width, kNumberWidth, QLatin1Char(':') + QString::number(g_.sim.measuredFps.load()));
    }
}

} // namespace vintrel
