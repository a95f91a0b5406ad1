#include "ui/shell/transport_bar.h"

#include "ui/document/project_document.h"
#include "ui/hints/hint_tracker.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>
#include <QSignalBlocker>
#include <QSlider>
#include <QToolButton>
#include <array>

namespace vintrel {

namespace {

constexpr int kButtonSize = 24;
constexpr int kIconSize = 16;
constexpr int kGap = 4;
const QColor kIconColor(200, 200, 200);

QString text(const char* japanese) {
    return QCoreApplication::translate("Transport", japanese);
}

enum Artwork { kFirst, kBack, kPlay, kPause, kForward };

// A right-pointing triangle in the box (x, y, w, h), or a left-pointing one.
void triangle(QPainterPath& path, qreal x, qreal y, qreal w, qreal h, bool right) {
    const qreal tip = right ? x + w : x;
    const qreal base = right ? x : x + w;
    path.moveTo(base, y);
    path.lineTo(tip, y + h / 2);
    path.lineTo(base, y + h);
    path.closeSubpath();
}

// The button pictures, drawn in code on a 16-unit grid.
QPainterPath artworkPath(int artwork) {
    QPainterPath path;
    switch (artwork) {
    case kFirst:
        path.addRect(2, 3, 2, 10);
        triangle(path, 4, 3, 9, 10, false);
        break;
    case kBack:
        path.addRect(11, 3, 2, 10);
        triangle(path, 3, 3, 8, 10, false);
        break;
    case kPlay:
        triangle(path, 4, 2, 10, 12, true);
        break;
    case kPause:
        path.addRect(4, 3, 3, 10);
        path.addRect(9, 3, 3, 10);
        break;
    case kForward:
        path.addRect(3, 3, 2, 10);
        triangle(path, 5, 3, 8, 10, true);
        break;
    }
    return path;
}

// Drawn at twice the size, so that the picture stays sharp on a screen scaled by 2.
QIcon artworkIcon(int artwork) {
    constexpr qreal kRatio = 2.0;
    QPixmap pixmap(kIconSize * kRatio, kIconSize * kRatio);
    pixmap.setDevicePixelRatio(kRatio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillPath(artworkPath(artwork), kIconColor);
    return QIcon(pixmap);
}

} // namespace

TransportBar::TransportBar(ProjectDocument& document, std::function<int()> shownFrame, QWidget* parent)
    : QWidget(parent), document_(document), shownFrame_(std::move(shownFrame)) {
    setAccessibleName(text("再生コントロール"));
    addButton(kFirst, text("最初のフレームへ"), &ProjectDocument::goToFirstFrame);
    addButton(kBack, text("1フレーム戻る"), &ProjectDocument::stepBack);
    playButton_ = addButton(kPause, text("一時停止"), &ProjectDocument::togglePlaying);
    addButton(kForward, text("1フレーム進む"), &ProjectDocument::stepForward);

    slider_ = new QSlider(Qt::Horizontal, this);
    slider_->setAccessibleName(text("フレーム"));
    slider_->setToolTip(slider_->accessibleName());
    setHintText(slider_, slider_->accessibleName());
    slider_->setFocusPolicy(Qt::NoFocus);
    connect(slider_, &QSlider::valueChanged, this, [this](int frame) {
        if (slider_->isSliderDown() || frame != shownFrame_()) {
            document_.goToFrame(frame);
        }
    });
    connect(&document_, &ProjectDocument::playbackChanged, this, &TransportBar::showPlayState);
    showPlayState();
    follow();
}

QToolButton* TransportBar::addButton(int artwork, const QString& name, void (ProjectDocument::*command)()) {
    auto* button = new QToolButton(this);
    button->setIcon(artworkIcon(artwork));
    button->setIconSize(QSize(kIconSize, kIconSize));
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setAccessibleName(name);
    button->setToolTip(name);
    setHintText(button, name);
    const int index = static_cast<int>(findChildren<QToolButton*>(Qt::FindDirectChildrenOnly).size()) - 1;
    button->setGeometry(index * kButtonSize, 0, kButtonSize, kButtonSize);
    connect(button, &QToolButton::clicked, this, [this, command] { (document_.*command)(); });
    return button;
}

int TransportBar::buttonsWidth() {
    return 4 * kButtonSize + kGap;
}

void TransportBar::resizeEvent(QResizeEvent*) {
    const int top = (height() - kButtonSize) / 2;
    const auto buttons = findChildren<QToolButton*>(Qt::FindDirectChildrenOnly);
    for (int i = 0; i < buttons.size(); ++i) {
        buttons[i]->move(i * kButtonSize, top);
    }
    const int sliderLeft = buttonsWidth();
    slider_->setGeometry(sliderLeft, top, std::max(width() - sliderLeft, 0), kButtonSize);
    slider_->setVisible(width() - sliderLeft >= 40);
}

void TransportBar::follow() {
    const int length = std::max(document_.effectLength(), 1);
    const QSignalBlocker quiet(slider_);
    slider_->setRange(1, length);
    slider_->setPageStep(std::max(length / 10, 1));
    if (!slider_->isSliderDown()) {
        slider_->setValue(shownFrame_());
    }
}

void TransportBar::showPlayState() {
    const bool playing = document_.isPlaying();
    const QString name = playing ? text("一時停止") : text("再生");
    playButton_->setIcon(artworkIcon(playing ? kPause : kPlay));
    playButton_->setAccessibleName(name);
    playButton_->setToolTip(name);
    setHintText(playButton_, name);
}

TransportKeys::TransportKeys(ProjectDocument& document, QObject* parent) : QObject(parent), document_(document) {}

bool TransportKeys::eventFilter(QObject* watched, QEvent* event) {
    struct Binding {
        int key;
        void (ProjectDocument::*command)();
    };
    static constexpr std::array<Binding, 4> kBindings{{
        {Qt::Key_Space, &ProjectDocument::togglePlaying},
        {Qt::Key_Right, &ProjectDocument::stepForward},
        {Qt::Key_Left, &ProjectDocument::stepBack},
        {Qt::Key_Home, &ProjectDocument::goToFirstFrame},
    }};
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
        for (const Binding& binding : kBindings) {
            if (key->key() == binding.key && modifiers == Qt::NoModifier) {
                (document_.*binding.command)();
                return true;
            }
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace vintrel
