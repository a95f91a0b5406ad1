#include "ui/hints/status_window.h"

#include "ui/controls/ui_colors.h"
#include "ui/hints/hint_table.h"

#include <QCoreApplication>
#include <QPainter>
#include <utility>

namespace vintrel {

namespace {

constexpr int kTextLeftMargin = 8;
constexpr int kFontHeightDivisor = 2; // the text is half as high as the strip

// What a screen reader calls the strip while it shows no hint yet.
constexpr const char* kEmptyStripName = "ヒント";

} // namespace

QString translatedHint(std::string_view hint) {
    // The table's texts are literals: null-terminated, as translate() needs.
    return QCoreApplication::translate("Hint", hint.data());
}

StatusWindow::StatusWindow(std::function<int()> selectedShapeType, QWidget* parent)
    : QWidget(parent), selectedShapeType_(std::move(selectedShapeType)) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAccessibleName(QCoreApplication::translate("Pane", kEmptyStripName));
}

void StatusWindow::showHint(int id) {
    const int shapeType = selectedShapeType_ ? selectedShapeType_() : 0;
    if (const std::optional<std::string_view> text = hintFor(id, shapeType)) {
        showText(translatedHint(*text));
    }
}

void StatusWindow::showCameraModeHint(int mode) {
    if (const std::optional<std::string_view> text = cameraModeHint(mode)) {
        showText(translatedHint(*text));
    }
}

void StatusWindow::showText(const QString& text) {
    if (text == hint_) {
        return;
    }
    hint_ = text;
    setAccessibleName(hint_.isEmpty() ? QCoreApplication::translate("Pane", kEmptyStripName) : hint_);
    update();
}

void StatusWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), toQColor(uiColors().window));
    if (hint_.isEmpty()) {
        return;
    }
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setFont(panelFont(height() / kFontHeightDivisor));
    painter.setPen(toQColor(kPanelTextColor));
    const QRect textArea = rect().adjusted(kTextLeftMargin, 0, 0, 0);
    painter.drawText(textArea, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, hint_);
}

} // namespace vintrel
