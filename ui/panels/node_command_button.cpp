#include "ui/panels/node_command_button.h"

#include "ui/panels/node_panel_artwork.h"

#include <QPainter>

namespace vintrel {

namespace {
const QColor kFocusFrame(20, 20, 20);
constexpr int kFocusInset = 2;
} // namespace

NodeCommandButton::NodeCommandButton(const QImage& artwork, int position, QWidget* parent)
    : QAbstractButton(parent), artwork_(artwork), position_(position) {
    setFocusPolicy(Qt::TabFocus);
}

QSize NodeCommandButton::sizeHint() const {
    return {NodeArtworkLayout::kButtonWidth, NodeArtworkLayout::kButtonHeight};
}

void NodeCommandButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const NodeButtonLook look = isDown() ? NodeButtonLook::Pressed : NodeButtonLook::Normal;
    painter.drawImage(rect(), artwork_, nodeButtonCell(position_, look));
    if (hasFocus()) {
        painter.setPen(QPen(kFocusFrame, 1, Qt::DotLine));
        painter.drawRect(rect().adjusted(kFocusInset, kFocusInset, -kFocusInset - 1, -kFocusInset - 1));
    }
}

} // namespace vintrel
