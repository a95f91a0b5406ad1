// The move direction's widgets on the off-screen platform: the move panel's indicator (what it
// shows and when a click asks for the picker) and the picker (dragging on its dials writes
// through the history, Shift snaps, the side dial's range, closing with the one-way switch).
#include "support/test_files.h"
#include "support/test_notifiers.h"
#include "support/test_projects.h"
#include "ui/document/project_document.h"
#include "ui/panels/direction_dial.h"
#include "ui/panels/direction_indicator.h"
#include "ui/panels/direction_picker.h"

#include <QCoreApplication>
#include <QImage>
#include <QLabel>
#include <QMouseEvent>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace vintrel {
namespace {

using test::TempDir;

constexpr MemberId kOneWayPath = memberId("m_move.isOneWay");
constexpr MemberId kDirYPath = memberId("m_move.dirY");
constexpr MemberId kSpeedPath = memberId("m_move.speed");

class DirectionWidgetsTest : public testing::Test {
protected:
    DirectionWidgetsTest() {
        test::startProject(g, dir.path() / "run");
        document = std::make_unique<ProjectDocument>(g, defaults, notifier);
    }

    std::size_t historySize() const { return document->history().entries().size(); }
    const History::Entry& newestEntry() const { return document->history().entries().back(); }

    TempDir dir;
    GlobalState g;
    BuiltInProjectDefaults defaults;
    test::RecordingNotifier notifier;
    std::unique_ptr<ProjectDocument> document;
};

// ---- the indicator ------------------------------------------------------------------------------

class DirectionIndicatorTest : public DirectionWidgetsTest {
protected:
    DirectionIndicatorTest() : indicator(*document, nullptr) { indicator.resize(kWidth, kHeight); }

    // The first square (top view) is centred at a quarter of the width.
    QColor topViewPixel(int dx, int dy) {
        return indicator.grab().toImage().pixelColor(kWidth / 4 + dx, kHeight / 2 + dy);
    }
    static bool isArrowColour(const QColor& c) { return c.red() > 200 && c.green() > 120 && c.blue() < 110; }

    static constexpr int kWidth = 400;
    static constexpr int kHeight = 200;
    DirectionIndicator indicator;
};

TEST_F(DirectionIndicatorTest, AClickAsksForThePickerOnlyWhileTheNodeMovesOneWay) {
    ASSERT_EQ(g.pSelNode->m_move.isOneWay, 0);
    QSignalSpy requests(&indicator, &DirectionIndicator::pickerRequested);
    QTest::mouseClick(&indicator, Qt::LeftButton);
    EXPECT_EQ(requests.count(), 0);

    document->setValue(kOneWayPath, 1);
    QTest::mouseClick(&indicator, Qt::LeftButton);
    EXPECT_EQ(requests.count(), 1);
    QTest::mouseClick(&indicator, Qt::RightButton);
    EXPECT_EQ(requests.count(), 1);
}

TEST_F(DirectionIndicatorTest, ShowsOnlyClientColourWhileOffAndTheDialsWhileOn) {
    const QColor client(70, 70, 70);
    const QImage off = indicator.grab().toImage();
    for (const QPoint p :
         {QPoint(0, 0), QPoint(kWidth / 4, kHeight / 2), QPoint(3 * kWidth / 4, kHeight / 2)}) {
        EXPECT_EQ(off.pixelColor(p), client) << p.x() << "," << p.y();
    }

    document->setValue(kOneWayPath, 1);
    const QImage on = indicator.grab().toImage();
    EXPECT_EQ(on.pixelColor(0, 0), QColor(40, 40, 40));
    EXPECT_NE(on.pixelColor(kWidth / 4, kHeight / 2), client);
    // The side view shows the dial's right half only: left of its centre stays the background.
    EXPECT_EQ(on.pixelColor(3 * kWidth / 4 - kHeight / 4, kHeight / 4), QColor(40, 40, 40));
    EXPECT_NE(on.pixelColor(3 * kWidth / 4 + kHeight / 4, kHeight / 4), QColor(40, 40, 40));
}

// The arrow of the top view turns clockwise with dirY, as the picker changes it.
TEST_F(DirectionIndicatorTest, TheTopViewArrowFollowsDirY) {
    document->setValue(kOneWayPath, 1);
    constexpr int kAlongShaft = 30;
    EXPECT_TRUE(isArrowColour(topViewPixel(0, -kAlongShaft)));
    EXPECT_FALSE(isArrowColour(topViewPixel(kAlongShaft, 0)));

    document->setValue(kDirYPath, 90);
    EXPECT_FALSE(isArrowColour(topViewPixel(0, -kAlongShaft)));
    EXPECT_TRUE(isArrowColour(topViewPixel(kAlongShaft, 0)));
}

// ---- the picker ---------------------------------------------------------------------------------

class DirectionPickerTest : public DirectionWidgetsTest {
protected:
    DirectionPickerTest() {
        document->setValue(kDirYPath, 200);
        document->setValue(kOneWayPath, 1);
        picker = new DirectionPicker(*document, nullptr);
        picker->show();
    }
    ~DirectionPickerTest() override { delete picker.data(); }

    static QPoint centreOf(const DirectionDial& dial) { return {dial.width() / 2, dial.width() / 2}; }
    static void press(DirectionDial& dial) { QTest::mousePress(&dial, Qt::LeftButton, {}, centreOf(dial)); }
    static void moveBy(DirectionDial& dial, QPointF offset, Qt::KeyboardModifiers modifiers = {}) {
        const QPointF at = QPointF(centreOf(dial)) + offset;
        QMouseEvent move(QEvent::MouseMove, at, dial.mapToGlobal(at), Qt::NoButton, Qt::LeftButton,
                         modifiers);
        QCoreApplication::sendEvent(&dial, &move);
    }
    static void release(DirectionDial& dial) {
        QTest::mouseRelease(&dial, Qt::LeftButton, {}, centreOf(dial));
    }
    static void processDeletions() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    QPointer<DirectionPicker> picker;
};

TEST_F(DirectionPickerTest, OpensModelessWithTheNodesAnglesAndNamedDials) {
    EXPECT_EQ(picker->windowTitle(), QStringLiteral("移動方向"));
    EXPECT_FALSE(picker->isModal());
    EXPECT_EQ(picker->topDial()->accessibleName(), QStringLiteral("【上】から見た図"));
    EXPECT_EQ(picker->sideDial()->accessibleName(), QStringLiteral("【横】から見た図"));
    EXPECT_EQ(picker->topAngleText(), QStringLiteral("200°"));
    EXPECT_EQ(picker->sideAngleText(), QStringLiteral("0°"));
}

TEST_F(DirectionPickerTest, EveryTextStandsInsideTheDialogAndClearOfTheOtherTexts) {
    const QList<QLabel*> labels = picker->findChildren<QLabel*>();
    ASSERT_EQ(labels.size(), 10) << "two captions, six marks, two angles";
    for (const QLabel* label : labels) {
        EXPECT_TRUE(picker->rect().contains(label->geometry())) << label->text().toStdString();
        for (const QLabel* other : labels) {
            EXPECT_TRUE(label == other || !label->geometry().intersects(other->geometry()))
                << label->text().toStdString() << " / " << other->text().toStdString();
        }
    }
}

// One drag, however many moves, is one history entry holding the value from before the drag.
TEST_F(DirectionPickerTest, DraggingUpOnTheTopDialRecordsZeroAsOneEntry) {
    DirectionDial& dial = *picker->topDial();
    const std::size_t before = historySize();
    press(dial);
    EXPECT_EQ(historySize(), before) << "a press alone changes nothing";
    moveBy(dial, {30, 0});
    EXPECT_EQ(g.pSelNode->m_move.dirY, 90.0f);
    moveBy(dial, {0, -30});
    release(dial);

    EXPECT_EQ(g.pSelNode->m_move.dirY, 0.0f);
    ASSERT_EQ(historySize(), before + 1);
    const auto& edit = std::get<History::ValueEdit>(newestEntry().edit);
    EXPECT_EQ(edit.target, ValueTarget(kDirYPath));
    EXPECT_EQ(edit.before, History::Number(200.0f));
    EXPECT_EQ(newestEntry().title, "ノード1-移動方向（上から見た図）");
    EXPECT_EQ(picker->topAngleText(), QStringLiteral("0°"));

    moveBy(dial, {0, 30});
    EXPECT_EQ(g.pSelNode->m_move.dirY, 0.0f) << "moves after the release change nothing";
}

TEST_F(DirectionPickerTest, DraggingRightGives90AndUndoRestoresTheValueFromBefore) {
    DirectionDial& dial = *picker->topDial();
    press(dial);
    moveBy(dial, {25, 0});
    release(dial);
    EXPECT_EQ(g.pSelNode->m_move.dirY, 90.0f);
    EXPECT_EQ(picker->topAngleText(), QStringLiteral("90°"));
    ASSERT_TRUE(document->undo());
    EXPECT_EQ(g.pSelNode->m_move.dirY, 200.0f);
}

// 50° from straight up, with Shift held, stores 45.
TEST_F(DirectionPickerTest, ShiftSnapsFiftyDegreesToFortyFive) {
    DirectionDial& dial = *picker->topDial();
    press(dial);
    moveBy(dial, {31, -26}, Qt::ShiftModifier);
    release(dial);
    EXPECT_EQ(g.pSelNode->m_move.dirY, 45.0f);
}

TEST_F(DirectionPickerTest, TheSideDialStaysWithinZeroTo180) {
    DirectionDial& dial = *picker->sideDial();
    press(dial);
    moveBy(dial, {-30, 10});
    EXPECT_EQ(g.pSelNode->m_move.dirX, 180.0f);
    EXPECT_EQ(picker->sideAngleText(), QStringLiteral("90°"));
    moveBy(dial, {-30, -10});
    EXPECT_EQ(g.pSelNode->m_move.dirX, 0.0f);
    EXPECT_EQ(picker->sideAngleText(), QStringLiteral("-90°"));
    moveBy(dial, {30, -30});
    EXPECT_EQ(g.pSelNode->m_move.dirX, 45.0f);
    release(dial);
    EXPECT_EQ(g.pSelNode->m_move.dirY, 200.0f) << "the side dial leaves dirY alone";
}

TEST_F(DirectionPickerTest, ClosesWhenOneWayIsTurnedOffButNotForOtherValues) {
    document->setValue(kSpeedPath, 12);
    processDeletions();
    ASSERT_FALSE(picker.isNull());
    EXPECT_TRUE(picker->isVisible());

    document->setValue(kOneWayPath, 0);
    processDeletions();
    EXPECT_TRUE(picker.isNull());
}

TEST_F(DirectionPickerTest, ClosesWhenAnotherNodeIsSelected) {
    document->select(nullptr);
    processDeletions();
    EXPECT_TRUE(picker.isNull());
}

} // namespace
} // namespace vintrel
