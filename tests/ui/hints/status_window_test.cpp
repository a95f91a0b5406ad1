// The hint strip: what it shows when the mouse enters a control, and how it draws it.

#include "ui/controls/ui_colors.h"
#include "model/effect_node.h"
#include "ui/hints/hint_table.h"
#include "ui/hints/hint_tracker.h"
#include "ui/hints/status_window.h"

#include <QApplication>
#include <QEnterEvent>
#include <QImage>
#include <QPushButton>
#include <gtest/gtest.h>
#include <memory>

namespace vintrel {
namespace {

constexpr int kCylinderShapeType = ShapeParams::Cylinder;
constexpr int kTrailShapeType = ShapeParams::Trail;

const QString kNewHint = QString::fromUtf8("新しくエフェクトを作成する。");
const QString kOpenHint = QString::fromUtf8("エフェクトを開く。");

void enter(QWidget& widget) {
    QEnterEvent event(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    QApplication::sendEvent(&widget, &event);
}

class HintStripTest : public testing::Test {
protected:
    HintStripTest() : strip_([this] { return shapeType_; }, &window_) {
        qApp->installEventFilter(new HintTracker(strip_));
        setHintId(&newButton_, 40009);
        setHintId(&openButton_, 40010);
    }

    int shapeType_ = 0;
    QWidget window_;
    StatusWindow strip_;
    QPushButton newButton_{&window_};
    QPushButton openButton_{&window_};
    QPushButton plainButton_{&window_};
};

TEST_F(HintStripTest, EnteringAControlShowsItsHint) {
    enter(newButton_);
    EXPECT_EQ(strip_.hint(), kNewHint);
    EXPECT_EQ(strip_.accessibleName(), kNewHint);
    enter(openButton_);
    EXPECT_EQ(strip_.hint(), kOpenHint);
}

TEST_F(HintStripTest, ControlsWithoutAHintKeepThePreviousOne) {
    enter(newButton_);
    enter(plainButton_);
    EXPECT_EQ(strip_.hint(), kNewHint);

    QPushButton unknownId(&window_);
    setHintId(&unknownId, 40014); // a command without a hint
    enter(unknownId);
    EXPECT_EQ(strip_.hint(), kNewHint);

    // Only the entered widget counts: a child does not show its parent's hint.
    QWidget child(&newButton_);
    enter(openButton_);
    enter(child);
    EXPECT_EQ(strip_.hint(), kOpenHint);
}

TEST_F(HintStripTest, SizeCurveHintFollowsTheSelectedShape) {
    shapeType_ = kCylinderShapeType;
    strip_.showHint(1241);
    EXPECT_EQ(strip_.hint(), QString::fromUtf8("円柱の底の半径の変化。"));
    shapeType_ = kTrailShapeType;
    strip_.showHint(1241);
    EXPECT_EQ(strip_.hint(), QString::fromUtf8("パーティクルの太さの変化。"));
}

TEST_F(HintStripTest, CameraModesShowTheirHints) {
    strip_.showCameraModeHint(3);
    EXPECT_EQ(strip_.hint(), QString::fromUtf8("ドラッグでズームイン／ズームアウト。"));
    strip_.showCameraModeHint(0);
    EXPECT_EQ(strip_.hint(), QString::fromUtf8("ドラッグでズームイン／ズームアウト。"));
}

TEST_F(HintStripTest, TrackerGoesWithTheStrip) {
    auto strip = std::make_unique<StatusWindow>([] { return 0; });
    qApp->installEventFilter(new HintTracker(*strip));
    strip.reset();
    enter(newButton_); // must reach no deleted strip
    EXPECT_EQ(strip_.hint(), kNewHint);
}

bool isNearWhite(QColor c) {
    constexpr int kThreshold = 200;
    return c.red() > kThreshold && c.green() > kThreshold && c.blue() > kThreshold;
}

TEST(StatusWindowPaintTest, DrawsTheHintInWhiteOnTheWindowColour) {
    StatusWindow strip([] { return 0; });
    strip.resize(600, 35);
    strip.showHint(40009);
    const QImage image = strip.grab().toImage();
    const QColor background = toQColor(uiColors().window);
    EXPECT_EQ(image.pixelColor(0, 0), background);
    EXPECT_EQ(image.pixelColor(image.width() - 1, image.height() - 1), background);
    int whiteInTop = 0;
    int whiteInMiddle = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (isNearWhite(image.pixelColor(x, y))) {
                ++(y < image.height() / 4 ? whiteInTop : whiteInMiddle);
            }
        }
    }
    // Text half as high as the strip, centred: nothing in the top quarter.
    EXPECT_GT(whiteInMiddle, 0);
    EXPECT_EQ(whiteInTop, 0);
}

} // namespace
} // namespace vintrel
