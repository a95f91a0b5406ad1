#include "ui/shell/tab_window.h"

#include "ui/controls/original_scrollbar.h"

#include <QCoreApplication>
#include <QWheelEvent>
#include <algorithm>

namespace vintrel {

namespace {
// One notch of a mouse wheel (120 eighths of a degree) scrolls this many pixels.
constexpr int kWheelStepPixels = 40;
constexpr int kWheelNotch = 120;
} // namespace

TabWindow::TabWindow(QWidget* parent) : QWidget(parent) {
    setAccessibleName(QCoreApplication::translate("Pane", "パラメーター"));
    setAutoFillBackground(true);
    content_ = new QWidget(this);
    content_->setAutoFillBackground(true);
    scrollbar_ = new OriginalScrollbar(Qt::Vertical, this);
    scrollbar_->setAccessibleName(QCoreApplication::translate("Pane", "パラメーターのスクロールバー"));
    connect(scrollbar_, &OriginalScrollbar::positionChanged, this, [this](int position) {
        offset_ = position;
        placeContent();
    });
}

void TabWindow::applyLayout(const LayoutRect& rect) {
    setGeometry(rect.x, rect.y, rect.w, rect.h);
    scrollbar_->setRange(kScrollbarX, 0, kParameterContentHeight, rect.h);
    scrollbar_->raise();
    placeContent();
}

bool TabWindow::scrollbarShown() const {
    return scrollbar_->isVisibleTo(this);
}

void TabWindow::placeContent() {
    content_->setGeometry(0, -offset_, width(), std::max(kParameterContentHeight, height()));
}

void TabWindow::wheelEvent(QWheelEvent* event) {
    const int notches = event->angleDelta().y();
    if (notches == 0 || !scrollbarShown()) {
        event->ignore();
        return;
    }
    scrollbar_->wheelScroll(-notches * kWheelStepPixels / kWheelNotch);
    event->accept();
}

} // namespace vintrel
