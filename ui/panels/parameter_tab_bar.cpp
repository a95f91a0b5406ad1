#include "ui/panels/parameter_tab_bar.h"

#include "model/parameter_panels.h"
#include "ui/controls/ui_colors.h"

#include <QCoreApplication>
#include <QLinearGradient>
#include <QPainter>

namespace vintrel {

namespace {

// Kana and kanji stack one character under the other; other scripts are turned.
bool isStackedScript(const QString& text) {
    for (const QChar ch : text) {
        const char16_t u = ch.unicode();
        if ((u >= 0x3040 && u <= 0x30ff) || (u >= 0x3400 && u <= 0x9fff) || (u >= 0xff00 && u <= 0xffef)) {
            return true;
        }
    }
    return false;
}

} // namespace

namespace {

const QColor kTabLight(205, 205, 205);
const QColor kTabShade(160, 160, 160);
const QColor kTabPressed(130, 130, 130);
const QColor kTabCurrent(70, 95, 160);
const QColor kTabCurrentShade(44, 70, 144);
constexpr int kTextPointSize = 12;

} // namespace

ParameterTabButton::ParameterTabButton(int tabId, const QString& text, QWidget* parent)
    : QAbstractButton(parent), tabId_(tabId) {
    setText(text);
    setAccessibleName(text);
    setFocusPolicy(Qt::TabFocus);
}

QSize ParameterTabButton::sizeHint() const {
    return {ParameterTabBar::kTabWidth, ParameterTabBar::kTabHeight};
}

void ParameterTabButton::setCurrent(bool current) {
    current_ = current;
    update();
}

// The text stands upright, one character under the other, centred, as vertical Japanese reads.
void ParameterTabButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient fill(0, 0, width(), 0);
    if (current_) {
        fill.setColorAt(0, kTabCurrent);
        fill.setColorAt(1, kTabCurrentShade);
    } else if (isDown()) {
        fill.setColorAt(0, kTabPressed);
        fill.setColorAt(1, kTabPressed.darker(110));
    } else {
        fill.setColorAt(0, kTabLight);
        fill.setColorAt(1, kTabShade);
    }
    painter.fillRect(rect().adjusted(0, 1, -1, -1), fill);
    QFont font = verticalLabelFont();
    font.setPointSize(kTextPointSize);
    painter.setFont(font);
    painter.setPen(current_ ? Qt::white : Qt::black);
    const QFontMetrics metrics(font);
    const QString label = text();
    if (isStackedScript(label)) {
        // Japanese reads top to bottom one character under the other.
        const int lineHeight = metrics.height() * 4 / 5;
        int y = (height() - lineHeight * static_cast<int>(label.size())) / 2;
        for (const QChar ch : label) {
            painter.drawText(QRect(0, y, width(), lineHeight), Qt::AlignCenter, QString(ch));
            y += lineHeight;
        }
    } else {
        // Latin words are turned a quarter clockwise and read downwards, as vertical tabs do.
        painter.save();
        painter.translate(width(), 0);
        painter.rotate(90);
        const QRect turned(0, 0, height(), width());
        painter.drawText(turned, Qt::AlignCenter, metrics.elidedText(label, Qt::ElideRight, height() - 4));
        painter.restore();
    }
    if (hasFocus()) {
        painter.setPen(QPen(current_ ? Qt::white : Qt::black, 1, Qt::DotLine));
        painter.drawRect(rect().adjusted(2, 2, -3, -3));
    }
}

ParameterTabBar::ParameterTabBar(QWidget* parent) : QWidget(parent) {
    setAccessibleName(QCoreApplication::translate("Panel", "パラメーターのタブ"));
    int y = 0;
    for (const ParameterPanelLayout& tab : parameterTabs()) {
        const QString label = QCoreApplication::translate(
            "Panel", QByteArray(tab.tabText.data(), static_cast<qsizetype>(tab.tabText.size())).constData());
        auto* button = new ParameterTabButton(tab.tabId, label, this);
        button->setGeometry(0, y, kTabWidth, kTabHeight);
        y += kTabHeight;
        connect(button, &QAbstractButton::clicked, this, [this, id = tab.tabId] { emit tabChosen(id); });
        buttons_.push_back(button);
    }
    setFixedSize(kTabWidth, y);
}

void ParameterTabBar::setCurrentTab(int tabId) {
    for (ParameterTabButton* button : buttons_) {
        button->setCurrent(button->tabId() == tabId);
    }
}

ParameterTabButton* ParameterTabBar::button(int tabId) const {
    for (ParameterTabButton* button : buttons_) {
        if (button->tabId() == tabId) {
            return button;
        }
    }
    return nullptr;
}

void ParameterTabBar::paintEvent(QPaintEvent*) {
    QPainter(this).fillRect(rect(), Qt::black);
}

} // namespace vintrel
