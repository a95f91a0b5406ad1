#include "ui/controls/ui_colors.h"

#include <QApplication>
#include <QPalette>
#include <QStringList>
#include <QStyle>
#include <QStyleFactory>
#include <algorithm>

namespace vintrel {
namespace {

constexpr int kVerticalLabelPointSize = 12;

// The light controls of the original dialogs: edit fields and buttons.
constexpr Rgb kEditBase{255, 255, 255};
constexpr Rgb kEditText{0, 0, 0};
constexpr Rgb kDisabledEditText{120, 120, 120};
constexpr Rgb kButtonFace{225, 225, 225};

InterfaceColors& colorsStorage() {
    static InterfaceColors colors;
    return colors;
}

void setAllGroups(QPalette& palette, QPalette::ColorRole role, Rgb rgb) {
    palette.setColor(QPalette::All, role, toQColor(rgb));
}

QPalette dialogPalette(const QPalette& base, const InterfaceColors& colors) {
    QPalette palette = base;
    setAllGroups(palette, QPalette::Window, colors.window);
    setAllGroups(palette, QPalette::WindowText, kPanelTextColor);
    palette.setColor(QPalette::Disabled, QPalette::WindowText, toQColor(kDisabledLabelColor));
    setAllGroups(palette, QPalette::Base, kEditBase);
    setAllGroups(palette, QPalette::Text, kEditText);
    palette.setColor(QPalette::Disabled, QPalette::Text, toQColor(kDisabledEditText));
    setAllGroups(palette, QPalette::Button, kButtonFace);
    setAllGroups(palette, QPalette::ButtonText, kEditText);
    palette.setColor(QPalette::Disabled, QPalette::ButtonText, toQColor(kDisabledEditText));
    setAllGroups(palette, QPalette::Highlight, colors.cursor);
    setAllGroups(palette, QPalette::HighlightedText, kPanelTextColor);
    return palette;
}

// Lists, tables and trees: white text on CLIENT_COLOR.
QPalette listPalette(const QPalette& dialog, const InterfaceColors& colors) {
    QPalette palette = dialog;
    setAllGroups(palette, QPalette::Base, colors.client);
    setAllGroups(palette, QPalette::AlternateBase, colors.client);
    setAllGroups(palette, QPalette::Text, kPanelTextColor);
    palette.setColor(QPalette::Disabled, QPalette::Text, toQColor(kDisabledLabelColor));
    return palette;
}

} // namespace

void setUiColors(const InterfaceColors& colors) {
    colorsStorage() = colors;
}

const InterfaceColors& uiColors() {
    return colorsStorage();
}

QColor toQColor(Rgb rgb) {
    return QColor(rgb.r, rgb.g, rgb.b);
}

void applyDarkLook(QApplication& app) {
    QStyle* fusion = QStyleFactory::create(QStringLiteral("Fusion"));
    if (fusion != nullptr) {
        // The application takes ownership of the style.
        QApplication::setStyle(fusion);
    }
    const InterfaceColors& colors = uiColors();
    const QPalette dialog = dialogPalette(QApplication::style()->standardPalette(), colors);
    app.setPalette(dialog);
    app.setPalette(listPalette(dialog, colors), "QAbstractItemView");
}

QFont panelFont(int pixelHeight) {
    QFont font;
    font.setFamilies(
        {QStringLiteral("Meiryo"), QStringLiteral("メイリオ"), QStringLiteral("Noto Sans CJK JP")});
    font.setPixelSize(std::max(pixelHeight, 1));
    return font;
}

QFont verticalLabelFont() {
    QFont font;
    font.setFamilies({QStringLiteral("Meiryo UI"), QStringLiteral("Noto Sans CJK JP")});
    font.setPointSize(kVerticalLabelPointSize);
    return font;
}

} // namespace vintrel
