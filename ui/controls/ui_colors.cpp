#include "ui/controls/ui_colors.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QEvent>
#include <QPalette>
#include <QStringList>
#include <QStyle>
#include <QStyleFactory>
#include <algorithm>
#include <utility>

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

// Drop-down lists: the combo box gives its popup the palette of a menu each time its own
// palette changes, which draws the entries in the edit text colour on the window colour (black
// on dark grey). The popup gets the list colours as it is shown, after any such change.
class DropDownLook final : public QObject {
public:
    static constexpr const char* kName = "vintrel-drop-down-look";

    DropDownLook(QPalette palette, QObject* parent) : QObject(parent), palette_(std::move(palette)) {
        setObjectName(QString::fromLatin1(kName));
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && watched->inherits("QComboBoxPrivateContainer")) {
            auto* popup = static_cast<QWidget*>(watched);
            popup->setPalette(palette_);
            for (QAbstractItemView* view : popup->findChildren<QAbstractItemView*>()) {
                view->setPalette(palette_);
            }
        }
        return false;
    }

private:
    QPalette palette_;
};

// White text on CLIENT_COLOR, the selection on CURSOR_COLOR.
QPalette dropDownPalette(const QPalette& list, const InterfaceColors& colors) {
    QPalette palette = list;
    setAllGroups(palette, QPalette::Window, colors.client);
    setAllGroups(palette, QPalette::WindowText, kPanelTextColor);
    setAllGroups(palette, QPalette::ButtonText, kPanelTextColor);
    palette.setColor(QPalette::Disabled, QPalette::WindowText, toQColor(kDisabledLabelColor));
    palette.setColor(QPalette::Disabled, QPalette::ButtonText, toQColor(kDisabledLabelColor));
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
    const QPalette list = listPalette(dialog, colors);
    app.setPalette(list, "QAbstractItemView");
    // One filter however often the look is applied.
    delete app.findChild<QObject*>(QString::fromLatin1(DropDownLook::kName), Qt::FindDirectChildrenOnly);
    app.installEventFilter(new DropDownLook(dropDownPalette(list, colors), &app));
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
