// The scrollbar widget driven by mouse events: drag, paging, wheel, hiding and what it paints.

#include "ui/controls/original_scrollbar.h"

#include <QImage>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>
#include <gtest/gtest.h>

namespace vintrel {
namespace {

constexpr int kContent = 1000;
constexpr int kView = 250;
constexpr int kMiddle = OriginalScrollbar::kThickness / 2;

class OriginalScrollbarTest : public testing::Test {
protected:
    void SetUp() override {
        owner_.resize(300, 300);
        owner_.show();
    }

    // A vertical bar down the owner's right edge, or a horizontal one along its bottom.
    OriginalScrollbar& makeBar(Qt::Orientation orientation) {
        bar_ = new OriginalScrollbar(orientation, &owner_);
        const bool vertical = orientation == Qt::Vertical;
        EXPECT_TRUE(bar_->setRange(vertical ? 286 : 0, vertical ? 0 : 286, kContent, kView));
        spy_ = std::make_unique<QSignalSpy>(bar_, &OriginalScrollbar::positionChanged);
        return *bar_;
    }

    std::vector<int> reported() const {
        std::vector<int> positions;
        for (const QList<QVariant>& arguments : *spy_) {
            positions.push_back(arguments.at(0).toInt());
        }
        return positions;
    }

    QWidget owner_;
    OriginalScrollbar* bar_ = nullptr;
    std::unique_ptr<QSignalSpy> spy_;
};

TEST_F(OriginalScrollbarTest, DraggingBeyondTheBarsEndClampsToTheLastPosition) {
    OriginalScrollbar& bar = makeBar(Qt::Vertical);
    QTest::mousePress(&bar, Qt::LeftButton, {}, QPoint(kMiddle, 31));
    QTest::mouseMove(&bar, QPoint(kMiddle, 31 + 94));
    EXPECT_EQ(bar.position(), 375);
    QTest::mouseMove(&bar, QPoint(40, 900)); // below and beside the bar
    EXPECT_EQ(bar.position(), 750);
    EXPECT_EQ(bar.model().thumbPosition(), 188);
    QTest::mouseRelease(&bar, Qt::LeftButton, {}, QPoint(40, 900));
    EXPECT_FALSE(bar.model().isDragging());
    EXPECT_EQ(reported(), (std::vector<int>{375, 750}));
}

TEST_F(OriginalScrollbarTest, ClickingBelowTheThumbPagesByOneView) {
    OriginalScrollbar& bar = makeBar(Qt::Vertical);
    QTest::mouseClick(&bar, Qt::LeftButton, {}, QPoint(kMiddle, 240));
    EXPECT_EQ(bar.position(), 250);
    QTest::mouseClick(&bar, Qt::LeftButton, {}, QPoint(kMiddle, 240));
    EXPECT_EQ(bar.position(), 500);
    EXPECT_EQ(reported(), (std::vector<int>{250, 500}));
}

TEST_F(OriginalScrollbarTest, AHorizontalBarWorksAlongX) {
    OriginalScrollbar& bar = makeBar(Qt::Horizontal);
    EXPECT_EQ(bar.geometry(), QRect(0, 286, 250, 14));
    QTest::mouseClick(&bar, Qt::LeftButton, {}, QPoint(240, kMiddle));
    EXPECT_EQ(bar.position(), 250);
    QTest::mousePress(&bar, Qt::LeftButton, {}, QPoint(70, kMiddle)); // thumb 62..124
    QTest::mouseMove(&bar, QPoint(-300, kMiddle));
    QTest::mouseRelease(&bar, Qt::LeftButton, {}, QPoint(-300, kMiddle));
    EXPECT_EQ(bar.position(), 0);
}

TEST_F(OriginalScrollbarTest, TheWheelScrollsTheBar) {
    OriginalScrollbar& bar = makeBar(Qt::Vertical);
    const QPointF at(kMiddle, 100);
    QWheelEvent turnTowardsUser(at, bar.mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton,
                                Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&bar, &turnTowardsUser);
    EXPECT_EQ(bar.position(), OriginalScrollbar::kWheelPixelsPerNotch);
    bar.wheelScroll(-1000);
    EXPECT_EQ(bar.position(), 0);
}

TEST_F(OriginalScrollbarTest, HidingTellsTheOwnerOnceThatThePositionIsZero) {
    OriginalScrollbar& bar = makeBar(Qt::Vertical);
    EXPECT_TRUE(bar.isVisible());
    EXPECT_EQ(bar.geometry(), QRect(286, 0, 14, 250));
    QTest::mouseClick(&bar, Qt::LeftButton, {}, QPoint(kMiddle, 240));
    ASSERT_EQ(bar.position(), 250);

    EXPECT_FALSE(bar.setRange(286, 0, 250, 250));
    EXPECT_FALSE(bar.isVisible());
    EXPECT_EQ(bar.position(), 0);
    EXPECT_FALSE(bar.setRange(286, 0, 200, 250));
    EXPECT_EQ(reported(), (std::vector<int>{250, 0}));

    EXPECT_TRUE(bar.setRange(286, 0, kContent, kView));
    EXPECT_TRUE(bar.isVisible());
}

// Black track, lighter thumb where the model puts it, lighter still when hot.
TEST_F(OriginalScrollbarTest, PaintsTheThumbWhereItIsOnABlackTrack) {
    OriginalScrollbar& bar = makeBar(Qt::Vertical);
    bar.wheelScroll(750); // thumb 188..250
    const QColor normal = bar.grab().toImage().pixelColor(kMiddle, 220);
    EXPECT_EQ(bar.grab().toImage().pixelColor(kMiddle, 100), QColor(Qt::black));
    EXPECT_GT(normal.lightness(), 60);

    QMouseEvent hover(QEvent::MouseMove, QPointF(kMiddle, 220), bar.mapToGlobal(QPointF(kMiddle, 220)),
                      Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&bar, &hover);
    ASSERT_TRUE(bar.model().isHot());
    EXPECT_GT(bar.grab().toImage().pixelColor(kMiddle, 220).lightness(), normal.lightness());

    OriginalScrollbar& horizontal = makeBar(Qt::Horizontal);
    const QImage across = horizontal.grab().toImage();
    EXPECT_GT(across.pixelColor(30, kMiddle).lightness(), 60); // thumb 0..62
    EXPECT_EQ(across.pixelColor(100, kMiddle), QColor(Qt::black));
}

} // namespace
} // namespace vintrel
