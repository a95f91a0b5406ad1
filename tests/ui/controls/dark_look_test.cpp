// The dark look: label colours of check boxes, list and edit backgrounds.

#include "ui/controls/ui_colors.h"

#include <QApplication>
#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QStyleOptionButton>
#include <QTest>
#include <algorithm>
#include <gtest/gtest.h>
#include <map>
#include <utility>

namespace vintrel {
namespace {

class DarkLookTest : public testing::Test {
protected:
    void SetUp() override {
        setUiColors(InterfaceColors{});
        applyDarkLook(*qApp);
    }
};

// The brightest grey level among the pixels of the check box's label.
int brightestLabelLevel(QCheckBox& box) {
    QStyleOptionButton option;
    option.initFrom(&box);
    option.text = box.text();
    const QRect label = box.style()->subElementRect(QStyle::SE_CheckBoxContents, &option, &box);
    const QImage image = box.grab().toImage();
    int brightest = 0;
    for (int y = label.top(); y <= label.bottom(); ++y) {
        for (int x = label.left(); x <= label.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            brightest = std::max({brightest, c.red(), c.green(), c.blue()});
        }
    }
    return brightest;
}

TEST_F(DarkLookTest, CheckBoxLabelsAreWhiteAndGreyWhenDisabled) {
    QCheckBox box(QStringLiteral("■■ 表示"));
    QFont large = box.font();
    large.setPixelSize(28); // solid glyph strokes: some pixels take the pen's colour exactly
    box.setFont(large);
    box.adjustSize();

    EXPECT_GE(brightestLabelLevel(box), 250);
    box.setEnabled(false);
    const int disabled = brightestLabelLevel(box);
    EXPECT_NEAR(disabled, kDisabledLabelColor.r, 2);
}

TEST_F(DarkLookTest, ListsAreDarkWhileEditFieldsStayLight) {
    QListWidget list;
    list.ensurePolished(); // class palettes take effect when a widget is polished, as on first show
    EXPECT_EQ(list.palette().color(QPalette::Base), toQColor(uiColors().client));
    EXPECT_EQ(list.palette().color(QPalette::Text), QColor(Qt::white));
    EXPECT_EQ(list.palette().color(QPalette::Highlight), toQColor(uiColors().cursor));
    QLineEdit edit;
    edit.ensurePolished();
    EXPECT_EQ(edit.palette().color(QPalette::Base), QColor(Qt::white));
    EXPECT_EQ(edit.palette().color(QPalette::Text), QColor(Qt::black));
    EXPECT_EQ(edit.palette().color(QPalette::Window), toQColor(uiColors().window));
}

// The entries of a popped-up drop-down list: white text on CLIENT_COLOR, the chosen one on
// CURSOR_COLOR.
TEST_F(DarkLookTest, DropDownEntriesAreWhiteOnTheListColour) {
    QComboBox box;
    box.addItems({QStringLiteral("■■■■■■"), QStringLiteral("■■■■■■"), QStringLiteral("■■■■■■")});
    QFont large = box.font();
    large.setPixelSize(24);
    box.setFont(large);
    box.show();
    box.showPopup();
    QAbstractItemView* view = box.view();
    QTRY_VERIFY(view->isVisible());
    const QImage image = view->grab().toImage();
    const auto rowColours = [&](int row) {
        const QRect r = view->visualRect(box.model()->index(row, 0)).adjusted(2, 2, -2, -2).intersected(image.rect());
        std::map<QRgb, int> counts;
        int brightest = 0;
        for (int y = r.top(); y <= r.bottom(); ++y) {
            for (int x = r.left(); x <= r.right(); ++x) {
                const QColor c = image.pixelColor(x, y);
                ++counts[c.rgb()];
                brightest = std::max(brightest, std::min({c.red(), c.green(), c.blue()}));
            }
        }
        const auto most = std::max_element(counts.begin(), counts.end(),
                                           [](const auto& a, const auto& b) { return a.second < b.second; });
        return std::pair{QColor(most->first), brightest};
    };
    const auto [chosenGround, chosenText] = rowColours(0);
    EXPECT_EQ(chosenGround, toQColor(uiColors().cursor));
    for (int row : {1, 2}) {
        const auto [ground, text] = rowColours(row);
        EXPECT_EQ(ground, toQColor(uiColors().client)) << row;
        EXPECT_GE(text, 250) << row;
    }
    box.hidePopup();
}

} // namespace
} // namespace vintrel
