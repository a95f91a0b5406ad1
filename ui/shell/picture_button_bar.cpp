#include "ui/shell/picture_button_bar.h"

#include "ui/shell/button_artwork.h"
#include "ui/shell/command_actions.h"
#include "ui/hints/hint_table.h"
#include "ui/hints/hint_tracker.h"
#include "ui/hints/status_window.h"

#include <QAction>
#include <QCoreApplication>
#include <QPainter>

namespace vintrel {

namespace {

// The strip behind the buttons repeats this column of the artwork's first cell.
constexpr int kBackgroundColumnX = 2;
constexpr int kBackgroundColumnWidth = 3;
constexpr qreal kDisabledOpacity = 0.35;

} // namespace

PictureButton::PictureButton(const QImage& artwork, const PictureButtonPlace& place, QAction& action,
                             QWidget* parent)
    : QAbstractButton(parent), artwork_(artwork), position_(place.position) {
    const int id = static_cast<int>(place.command);
    if (const std::optional<std::string_view> hint = hintFor(id, 0)) {
        setAccessibleName(translatedHint(*hint));
    }
    setHintId(this, id);
    setFocusPolicy(Qt::NoFocus);
    setEnabled(action.isEnabled());
    connect(this, &QAbstractButton::clicked, &action, &QAction::trigger);
    connect(&action, &QAction::enabledChanged, this, &QWidget::setEnabled);
}

void PictureButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (!isEnabled()) {
        painter.setOpacity(kDisabledOpacity);
    }
    const QRect cell = pictureButtonCell(position_, isDown());
    const qreal scale = artwork_.devicePixelRatio();
    painter.drawImage(QRectF(rect()), artwork_,
                      QRectF(cell.x() * scale, cell.y() * scale, cell.width() * scale, cell.height() * scale));
}

PictureButtonBar::PictureButtonBar(const CommandActions& actions, QWidget* parent)
    : QWidget(parent), artwork_(pictureButtonStrip(parent != nullptr ? parent->devicePixelRatioF() : 1.0)) {
    setAccessibleName(QCoreApplication::translate("Pane", "ツールバー"));
    for (const PictureButtonPlace& place : pictureButtonRow()) {
        QAction* action = actions.action(place.command);
        auto* button = new PictureButton(artwork_, place, *action, this);
        button->setGeometry(place.x, 0, kPictureButtonWidth, kPictureButtonHeight);
    }
}

void PictureButtonBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const qreal scale = artwork_.devicePixelRatio();
    painter.drawImage(QRectF(0, 0, width(), kPictureButtonHeight), artwork_,
                      QRectF(kBackgroundColumnX * scale, 0, kBackgroundColumnWidth * scale, kPictureButtonHeight * scale));
}

} // namespace vintrel
