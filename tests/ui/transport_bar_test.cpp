// The transport's widgets in the info bar: what each button and key asks of the document, and
// where the bar sits between the readouts and the camera mode icons.
#include "support/test_files.h"
#include "support/test_notifiers.h"
#include "support/test_projects.h"
#include "ui/document/project_document.h"
#include "ui/shell/control_window.h"
#include "ui/hints/hint_tracker.h"
#include "ui/hints/status_window.h"
#include "ui/shell/transport_bar.h"

#include <QSlider>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace vintrel {
namespace {

class TransportBarTest : public testing::Test {
protected:
    QToolButton* button(const QString& name) {
        for (QToolButton* b : bar->findChildren<QToolButton*>()) {
            if (b->accessibleName() == name) {
                return b;
            }
        }
        ADD_FAILURE() << "no button " << name.toStdString();
        return nullptr;
    }

    test::TempDir dir;
    GlobalState g;
    bool started = (test::startProject(g, dir.path() / "run"), true); // before the document
    BuiltInProjectDefaults defaults;
    test::FailingNotifier notifier;
    ProjectDocument document{g, defaults, notifier};
    int shown = 1;
    ControlWindow infoBar{g, [] { return 1; }};
    TransportBar* bar = new TransportBar(document, [this] { return shown; });
};

TEST_F(TransportBarTest, ButtonsAndKeysPlayPauseAndStep) {
    infoBar.setTransport(bar);
    QToolButton* play = button(QStringLiteral("一時停止"));
    ASSERT_NE(play, nullptr);
    play->click();
    EXPECT_FALSE(document.isPlaying());
    EXPECT_EQ(play->accessibleName(), QStringLiteral("再生"));
    play->click();
    EXPECT_TRUE(document.isPlaying());

    // A step holds the preview; going to the first frame keeps playing as it was.
    button(QStringLiteral("1フレーム進む"))->click();
    EXPECT_FALSE(document.isPlaying());
    document.setPlaying(true);
    button(QStringLiteral("最初のフレームへ"))->click();
    EXPECT_TRUE(document.isPlaying());
    button(QStringLiteral("1フレーム戻る"))->click();
    EXPECT_FALSE(document.isPlaying());

    // The hint strip names the control under the mouse, the play button by what it does now.
    StatusWindow strip([] { return 0; });
    HintTracker hints(strip);
    QEvent enter(QEvent::Enter);
    hints.eventFilter(button(QStringLiteral("1フレーム戻る")), &enter);
    EXPECT_EQ(strip.accessibleName(), QStringLiteral("1フレーム戻る"));
    hints.eventFilter(play, &enter);
    EXPECT_EQ(strip.accessibleName(), QStringLiteral("再生"));

    // Space on the view toggles; with a modifier it is left to the window.
    QWidget view;
    TransportKeys keys(document);
    view.installEventFilter(&keys);
    QTest::keyClick(&view, Qt::Key_Space);
    EXPECT_TRUE(document.isPlaying());
    QTest::keyClick(&view, Qt::Key_Space, Qt::ControlModifier);
    EXPECT_TRUE(document.isPlaying());
    QTest::keyClick(&view, Qt::Key_Right);
    EXPECT_FALSE(document.isPlaying());
}

TEST_F(TransportBarTest, SliderCoversTheEffectAndFollowsTheShownFrame) {
    infoBar.setTransport(bar);
    auto* slider = bar->findChild<QSlider*>();
    ASSERT_NE(slider, nullptr);
    EXPECT_EQ(slider->minimum(), 1);
    EXPECT_EQ(slider->maximum(), g.project.frame);
    shown = 17;
    bar->follow();
    EXPECT_EQ(slider->value(), 17);
    EXPECT_TRUE(document.isPlaying()); // following the view asks for nothing
    slider->setValue(5);               // a click on the groove
    EXPECT_FALSE(document.isPlaying());
}

TEST_F(TransportBarTest, SitsBetweenTheReadoutsAndTheIconsAndHidesWhenItCannotFit) {
    infoBar.resize(722, ControlWindow::kHeight);
    infoBar.show();
    infoBar.setTransport(bar);
    infoBar.setDisplay({true, false, false});
    EXPECT_EQ(bar->geometry(), QRect(136, 0, 722 - 136 - 8 - 136, ControlWindow::kHeight));
    EXPECT_TRUE(bar->isVisibleTo(&infoBar));
    infoBar.setDisplay({true, true, true});
    // The readouts' labels are at least as wide as the English ones were laid out (55 and 32
    // pixels, each with its 80-pixel number) and grow with a longer Japanese text.
    const int englishEnd = 128 + 135 + 112 + 8;
    EXPECT_GT(bar->x(), englishEnd);
    EXPECT_LT(bar->x(), englishEnd + 120);
    infoBar.resize(400, ControlWindow::kHeight);
    EXPECT_FALSE(bar->isVisibleTo(&infoBar));
}

} // namespace
} // namespace vintrel
