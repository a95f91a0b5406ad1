// The curve editor's widgets on the off-screen platform: the popup's press, drag and release as
// one undo entry, its right press, its title and closing; the thumbnail's clicks and menu; and
// what the pictures paint.
#include "support/test_files.h"
#include "support/test_notifiers.h"
#include "support/test_projects.h"
#include "ui/controls/ui_colors.h"
#include "ui/document/project_document.h"
#include "ui/panels/curve_picture.h"
#include "ui/panels/curve_point_editor.h"
#include "ui/panels/curve_shapes.h"
#include "ui/panels/gradient_strip.h"
#include "ui/panels/curve_thumbnail.h"
#include "ui/panels/graph_zoom_popup.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QColorDialog>
#include <QDoubleSpinBox>
#include <QMenu>
#include <QMouseEvent>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace vintrel {
namespace {

using Points = std::vector<CurvePoint>;
using test::TempDir;

// With the popup's client this size the picture is 108 × 108 pixels, one pixel per percent: the
// mouse at (15 + x, 15 + y) in the popup is the point (x, y).
constexpr int kUnitPopupSide = 108 + 2 * GraphZoomPopup::kPictureInset;

QPoint mouseAt(int x, int y) {
    return {CurveEditState::kMouseOrigin + x, CurveEditState::kMouseOrigin + y};
}

void send(QWidget& widget, QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held,
          Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QMouseEvent event(type, at, widget.mapToGlobal(at), button, held, modifiers);
    QApplication::sendEvent(&widget, &event);
}

void move(QWidget& widget, QPoint at, Qt::MouseButtons held = Qt::NoButton,
          Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    send(widget, QEvent::MouseMove, at, Qt::NoButton, held, modifiers);
}

void press(QWidget& widget, QPoint at, Qt::MouseButton button) {
    send(widget, QEvent::MouseButtonPress, at, button, button);
}

void release(QWidget& widget, QPoint at, Qt::MouseButton button) {
    send(widget, QEvent::MouseButtonRelease, at, button, Qt::NoButton);
}

// The copy-and-paste menu a right press opened on `owner`.
QMenu* openMenu(QWidget& owner) {
    QMenu* menu = owner.findChild<QMenu*>();
    EXPECT_NE(menu, nullptr);
    return menu;
}

QAction* menuAction(QMenu& menu, const QString& text) {
    for (QAction* action : menu.actions()) {
        if (action->text() == text) {
            return action;
        }
    }
    ADD_FAILURE() << "no menu item " << text.toStdString();
    return nullptr;
}

void putOnClipboard(const Points& points) {
    Graph source("source", 0);
    source.clearPoints();
    for (const CurvePoint& p : points) {
        source.addPoint(p);
    }
    source.copyToClipboard();
}

class CurveWidgetsTest : public testing::Test {
protected:
    CurveWidgetsTest() {
        test::startProject(g, dir.path() / "run");
        document = std::make_unique<ProjectDocument>(g, defaults, notifier);
    }

    std::unique_ptr<GraphZoomPopup> openPopup(int slot) {
        auto popup = std::make_unique<GraphZoomPopup>(*document, slot, nullptr);
        popup->resize(kUnitPopupSide, kUnitPopupSide);
        popup->show();
        return popup;
    }
    const Points& curve(int slot) const { return g.pSelNode->graph(slot).points(); }
    std::size_t historySize() const { return document->history().entries().size(); }

    TempDir dir;
    GlobalState g;
    BuiltInProjectDefaults defaults;
    test::FailingNotifier notifier;
    std::unique_ptr<ProjectDocument> document;
};

// ---- the popup -----------------------------------------------------------------------------

TEST_F(CurveWidgetsTest, PopupIsTitledWithTheCurvesNameAndInsetsItsPicture) {
    auto popup = openPopup(SlotRed);
    EXPECT_EQ(popup->windowTitle(), QString::fromUtf8("カラー【赤】"));
    EXPECT_EQ(popup->accessibleName(), popup->windowTitle());
    EXPECT_EQ(popup->picture()->accessibleName(), popup->windowTitle());
    EXPECT_TRUE(popup->windowFlags().testFlag(Qt::Tool));

    popup->resize(300, 200);
    EXPECT_EQ(popup->picture()->geometry(), QRect(15, 15, 270, 170));
    EXPECT_EQ(popup->editState().width(), 270);
    EXPECT_EQ(popup->editState().height(), 170);
    EXPECT_EQ(popup->editState().kind(), CurveKind::Value);
    EXPECT_EQ(openPopup(SlotSpeed)->editState().kind(), CurveKind::Speed);
}

// Without the mouse: a curve picture opens its curve window on Enter, Return or Space and by
// its accessible "Press" action; Escape closes the window.
TEST_F(CurveWidgetsTest, TheKeyboardAndScreenReadersOpenAndCloseTheCurveWindow) {
    CurveThumbnail thumbnail(*document, SlotGreen, nullptr);
    QSignalSpy opened(&thumbnail, &CurveThumbnail::openRequested);
    EXPECT_EQ(thumbnail.focusPolicy(), Qt::StrongFocus);
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space}) {
        QTest::keyClick(&thumbnail, key);
    }
    QTest::keyClick(&thumbnail, Qt::Key_A);
    ASSERT_EQ(opened.count(), 3);
    EXPECT_EQ(opened.front().front().toInt(), SlotGreen);
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&thumbnail);
    ASSERT_NE(accessible, nullptr);
    EXPECT_EQ(accessible->role(), QAccessible::Button);
    ASSERT_NE(accessible->actionInterface(), nullptr);
    EXPECT_TRUE(
        accessible->actionInterface()->actionNames().contains(QAccessibleActionInterface::pressAction()));
    accessible->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(opened.count(), 4);

    QPointer<GraphZoomPopup> popup = new GraphZoomPopup(*document, SlotGreen, nullptr);
    popup->show();
    QAccessibleInterface* window = QAccessible::queryAccessibleInterface(popup.data());
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->role(), QAccessible::Window);
    EXPECT_EQ(window->text(QAccessible::Name), popup->windowTitle());
    QTest::keyClick(popup.data(), Qt::Key_Escape);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(popup.isNull()) << "the window is closed and gone";
}

TEST_F(CurveWidgetsTest, PressDragAndReleaseMakeOneHistoryEntry) {
    auto popup = openPopup(SlotRed);
    const std::string title = g.pSelNode->m_name + "-カラー【赤】グラフ";

    move(*popup, mouseAt(40, 50));
    press(*popup, mouseAt(40, 50), Qt::LeftButton);
    EXPECT_EQ(curve(SlotRed), (Points{{0, 0}, {40, 50}, {100, 0}}));
    move(*popup, mouseAt(45, 35), Qt::LeftButton);
    move(*popup, mouseAt(42, 30), Qt::LeftButton);
    release(*popup, mouseAt(42, 30), Qt::LeftButton);
    move(*popup, mouseAt(80, 30)); // after the release the point stays where it was let go

    EXPECT_EQ(curve(SlotRed), (Points{{0, 0}, {42, 30}, {100, 0}}));
    ASSERT_EQ(historySize(), 2u);
    EXPECT_EQ(document->history().entries().back().title, title);
    EXPECT_EQ(popup->editState().dragIndex(), -1);

    ASSERT_TRUE(document->undo());
    EXPECT_EQ(curve(SlotRed), (Points{{0, 0}, {100, 0}}));
}

TEST_F(CurveWidgetsTest, ShiftDragMovesTheWholeCurveThroughTheDocument) {
    g.pSelNode->graph(SlotAlpha).setPoints({{0, 90}, {50, 50}, {100, 10}});
    auto popup = openPopup(SlotAlpha);
    move(*popup, mouseAt(50, 50));
    press(*popup, mouseAt(50, 50), Qt::LeftButton);
    move(*popup, mouseAt(50, 70), Qt::LeftButton, Qt::ShiftModifier);
    EXPECT_EQ(curve(SlotAlpha), (Points{{0, 100}, {50, 70}, {100, 30}}));
    move(*popup, mouseAt(50, 70), Qt::LeftButton);
    EXPECT_EQ(curve(SlotAlpha), (Points{{0, 90}, {50, 70}, {100, 10}}));
    release(*popup, mouseAt(50, 70), Qt::LeftButton);
}

TEST_F(CurveWidgetsTest, PressesCountOnlyAfterTheMouseMovedOverThePopup) {
    auto popup = openPopup(SlotRed);
    press(*popup, mouseAt(40, 50), Qt::LeftButton);
    release(*popup, mouseAt(40, 50), Qt::LeftButton);
    press(*popup, mouseAt(40, 50), Qt::RightButton);
    EXPECT_EQ(curve(SlotRed), (Points{{0, 0}, {100, 0}}));
    EXPECT_EQ(historySize(), 1u);
    EXPECT_EQ(popup->findChild<QMenu*>(), nullptr);
}

TEST_F(CurveWidgetsTest, RightPressDeletesAnInnerPointUndoably) {
    const Points shaped{{0, 0}, {30, 60}, {100, 0}};
    g.pSelNode->graph(SlotGreen).setPoints(shaped);
    auto popup = openPopup(SlotGreen);

    move(*popup, mouseAt(100, 0));
    press(*popup, mouseAt(100, 0), Qt::RightButton); // 100 % lies outside every point: the menu
    move(*popup, mouseAt(99, 0));
    press(*popup, mouseAt(99, 0), Qt::RightButton); // the last point stays
    EXPECT_EQ(curve(SlotGreen), shaped);

    move(*popup, mouseAt(30, 60));
    press(*popup, mouseAt(30, 60), Qt::RightButton);
    EXPECT_EQ(curve(SlotGreen), (Points{{0, 0}, {100, 0}}));
    ASSERT_TRUE(document->undo());
    EXPECT_EQ(curve(SlotGreen), shaped);
}

TEST_F(CurveWidgetsTest, TheKeyboardInsertsAndDeletesPointsUndoably) {
    const Points shaped{{0, 0}, {30, 60}, {100, 0}};
    g.pSelNode->graph(SlotGreen).setPoints(shaped);
    auto popup = openPopup(SlotGreen);
    const std::size_t entries = historySize();

    QTest::keyClick(popup.get(), Qt::Key_Right);
    QTest::keyClick(popup.get(), Qt::Key_Insert); // half-way to the next point
    EXPECT_EQ(curve(SlotGreen), (Points{{0, 0}, {15, 30}, {30, 60}, {100, 0}}));
    EXPECT_EQ(popup->editState().hoverIndex(), 1);
    QTest::keyClick(popup.get(), Qt::Key_Right);
    QTest::keyClick(popup.get(), Qt::Key_Delete);
    EXPECT_EQ(curve(SlotGreen), (Points{{0, 0}, {15, 30}, {100, 0}}));
    QTest::keyClick(popup.get(), Qt::Key_End); // no key of the editor's
    QTest::keyClick(popup.get(), Qt::Key_Left);
    QTest::keyClick(popup.get(), Qt::Key_Delete); // the last point stays
    EXPECT_EQ(curve(SlotGreen), (Points{{0, 0}, {15, 30}, {100, 0}}));
    EXPECT_EQ(historySize(), entries + 2);
    ASSERT_TRUE(document->undo());
    EXPECT_EQ(curve(SlotGreen), (Points{{0, 0}, {15, 30}, {30, 60}, {100, 0}}));
    ASSERT_TRUE(document->undo());
    EXPECT_EQ(curve(SlotGreen), shaped);
}

TEST_F(CurveWidgetsTest, PopupMenuPastesACopiedCurve) {
    auto popup = openPopup(SlotRed);
    g.pSelNode->graph(SlotSpin).copyToClipboard();
    move(*popup, mouseAt(50, 50));
    press(*popup, mouseAt(50, 50), Qt::RightButton);
    QMenu* menu = openMenu(*popup);
    ASSERT_NE(menu, nullptr);
    QAction* paste = menuAction(*menu, QString::fromUtf8("貼り付け"));
    ASSERT_NE(paste, nullptr);
    paste->trigger();
    EXPECT_EQ(curve(SlotRed), curve(SlotSpin));
    EXPECT_EQ(historySize(), 2u);
}

TEST_F(CurveWidgetsTest, PopupClosesItselfWhenTheSelectionChanges) {
    QPointer<GraphZoomPopup> popup = openPopup(SlotRed).release();
    ASSERT_TRUE(document->runTreeCommand(TreeEditor::AddSibling));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(popup.isNull());
}

// ---- the thumbnail -------------------------------------------------------------------------

TEST_F(CurveWidgetsTest, ThumbnailLeftClickAsksForTheEditor) {
    CurveThumbnail thumbnail(*document, SlotShake, nullptr);
    thumbnail.resize(90, 18);
    EXPECT_EQ(thumbnail.accessibleName(), QString::fromUtf8("ぶれ"));
    QSignalSpy opened(&thumbnail, &CurveThumbnail::openRequested);
    press(thumbnail, {10, 10}, Qt::LeftButton);
    ASSERT_EQ(opened.count(), 1);
    EXPECT_EQ(opened.front().front().toInt(), SlotShake);
}

TEST_F(CurveWidgetsTest, ThumbnailMenuCopiesAndPastes) {
    CurveThumbnail spin(*document, SlotSpin, nullptr);
    CurveThumbnail red(*document, SlotRed, nullptr);
    putOnClipboard({});

    press(spin, {5, 5}, Qt::RightButton);
    QMenu* menu = openMenu(spin);
    ASSERT_NE(menu, nullptr);
    EXPECT_FALSE(menuAction(*menu, QString::fromUtf8("貼り付け"))->isEnabled()) << "empty clipboard";
    menuAction(*menu, QString::fromUtf8("コピー"))->trigger();
    menu->close();
    EXPECT_EQ(curveClipboard(), curve(SlotSpin));

    press(red, {5, 5}, Qt::RightButton);
    menu = openMenu(red);
    ASSERT_NE(menu, nullptr);
    QAction* paste = menuAction(*menu, QString::fromUtf8("貼り付け"));
    ASSERT_TRUE(paste->isEnabled());
    paste->trigger();
    EXPECT_EQ(curve(SlotRed), curve(SlotSpin));
    EXPECT_EQ(historySize(), 2u);
}

TEST_F(CurveWidgetsTest, PastingAOnePointClipboardChangesNothing) {
    CurveThumbnail red(*document, SlotRed, nullptr);
    putOnClipboard({{50, 50}});
    press(red, {5, 5}, Qt::RightButton);
    QMenu* menu = openMenu(red);
    ASSERT_NE(menu, nullptr);
    QAction* paste = menuAction(*menu, QString::fromUtf8("貼り付け"));
    ASSERT_TRUE(paste->isEnabled()) << "the clipboard is not empty";
    paste->trigger();
    EXPECT_EQ(curve(SlotRed), (Points{{0, 0}, {100, 0}}));
    EXPECT_EQ(historySize(), 1u);
}

// ---- painting ------------------------------------------------------------------------------

TEST_F(CurveWidgetsTest, PicturesPaintBackgroundCurveAndHandles) {
    const QColor white(255, 255, 255);
    auto popup = openPopup(SlotRed); // the constant curve runs along the top, y = 4
    QImage picture = popup->picture()->grab().toImage();
    // Between the grid's lines, which stand every 10 pixels here (at 4 + 10k, antialiased).
    EXPECT_EQ(picture.pixelColor(58, 61), QColor(50, 50, 50));
    EXPECT_GT(picture.pixelColor(58, 54).red(), 50) << "the grid line at 50 %";
    EXPECT_GT(picture.pixelColor(54, 61).red(), 50) << "the grid line at half the life";
    EXPECT_EQ(picture.pixelColor(54, 4), white);

    move(*popup, mouseAt(99, 0)); // hover the last point: its square turns yellow
    picture = popup->picture()->grab().toImage();
    EXPECT_EQ(picture.pixelColor(100, 4), QColor(255, 255, 0));
    // The antialiased one-pixel lines fall between two pixel columns or rows: half their colour.
    EXPECT_NE(picture.pixelColor(104, 60), QColor(50, 50, 50)) << "the cross-hair";

    auto speed = openPopup(SlotSpeed);
    picture = speed->picture()->grab().toImage();
    EXPECT_GT(picture.pixelColor(30, 54).red(), 0x32) << "the middle line";
    EXPECT_EQ(picture.pixelColor(58, 80), QColor(0x32, 0x32, 0x32));

    CurveThumbnail thumbnail(*document, SlotRed, nullptr);
    thumbnail.resize(108, 40);
    const QImage small = thumbnail.grab().toImage();
    EXPECT_EQ(small.pixelColor(54, 30), toQColor(uiColors().client));
    EXPECT_EQ(small.pixelColor(54, 4), white);
}

// ---- typed points and starting shapes ---------------------------------------------------------

TEST_F(CurveWidgetsTest, ADoubleClickedPointTakesTypedNumbersAsOneUndoStep) {
    g.pSelNode->graph(SlotGreen).setPoints({{0, 0}, {30, 60}, {100, 0}});
    auto popup = openPopup(SlotGreen);
    move(*popup, mouseAt(30, 60));
    press(*popup, mouseAt(30, 60), Qt::LeftButton);
    release(*popup, mouseAt(30, 60), Qt::LeftButton);
    send(*popup, QEvent::MouseButtonDblClick, mouseAt(30, 60), Qt::LeftButton, Qt::LeftButton);
    CurvePointEditor* editor = popup->pointEditor();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->lifeField()->value(), 30.0);
    EXPECT_EQ(editor->valueField()->value(), 40.0); // shown as the value, bottom to top
    const std::size_t before = historySize();
    editor->lifeField()->setValue(55.5);
    editor->valueField()->setValue(90);
    editor->accept();
    EXPECT_EQ(curve(SlotGreen), (Points{{0, 0}, {55.5f, 10}, {100, 0}}));
    EXPECT_EQ(historySize(), before + 1);

    // A drag of the same curve right after is an undo step of its own.
    move(*popup, mouseAt(100, 0));
    press(*popup, mouseAt(100, 0), Qt::LeftButton);
    move(*popup, mouseAt(100, 20), Qt::LeftButton);
    release(*popup, mouseAt(100, 20), Qt::LeftButton);
    ASSERT_TRUE(document->undo());
    EXPECT_EQ(curve(SlotGreen), (Points{{0, 0}, {55.5f, 10}, {100, 0}}));
    ASSERT_TRUE(document->undo());
    EXPECT_EQ(curve(SlotGreen), (Points{{0, 0}, {30, 60}, {100, 0}}));
}

TEST_F(CurveWidgetsTest, EveryStartingShapeReplacesTheCurveAsOneUndoStep) {
    const Points drawn{{0, 10}, {50, 70}, {100, 20}};
    for (const CurveShapeEntry& entry : kCurveShapes) {
        for (const int slot : {int(SlotRed), int(SlotSpeed)}) {
            g.pSelNode->graph(slot).setPoints(drawn);
            CurveThumbnail thumbnail(*document, slot, nullptr);
            press(thumbnail, {5, 5}, Qt::RightButton);
            QMenu* menu = openMenu(thumbnail);
            ASSERT_NE(menu, nullptr);
            QAction* shapes = menuAction(*menu, QString::fromUtf8("形から始める"));
            ASSERT_NE(shapes, nullptr);
            ASSERT_NE(shapes->menu(), nullptr);
            QAction* item = menuAction(*shapes->menu(), QString::fromUtf8(entry.menuText));
            ASSERT_NE(item, nullptr);
            const int before = document->history().current();
            item->trigger();
            const CurveKind kind = slot == SlotSpeed ? CurveKind::Speed : CurveKind::Value;
            EXPECT_EQ(curve(slot), curveShapePoints(entry.shape, kind)) << entry.menuText;
            EXPECT_EQ(document->history().current(), before + 1) << entry.menuText;
            ASSERT_TRUE(document->undo());
            EXPECT_EQ(curve(slot), drawn) << entry.menuText;
            delete menu;
        }
    }
}

// ---- the colour gradient ----------------------------------------------------------------------

class GradientStripTest : public CurveWidgetsTest {
protected:
    GradientStripTest() {
        strip = std::make_unique<GradientStrip>(*document, nullptr);
        strip->resize(108, 28); // 100 pixels of life between the margins
        strip->show();
        strip->setFocus();
    }
    void key(Qt::Key k, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(strip.get(), k, modifiers);
    }
    // Every colour curve has its points at the same positions along the life.
    std::vector<float> sharedXs() const {
        std::vector<float> xs;
        for (const CurvePoint& p : curve(SlotRed)) {
            xs.push_back(p.x);
        }
        for (const CurveSlot slot : History::kGradientSlots) {
            std::vector<float> own;
            for (const CurvePoint& p : curve(slot)) {
                own.push_back(p.x);
            }
            EXPECT_EQ(own, xs) << "slot " << slot;
        }
        return xs;
    }
    std::unique_ptr<GradientStrip> strip;
};

TEST_F(GradientStripTest, KeyboardEditsWriteTheFourCurvesAsOneUndoStepEach) {
    g.pSelNode->graph(SlotAlpha).setPoints({{0, 100}, {100, 0}});
    const std::size_t start = historySize();
    key(Qt::Key_Insert); // a stop half-way after the first
    EXPECT_EQ(sharedXs(), (std::vector<float>{0, 50, 100}));
    EXPECT_EQ(strip->selectedStop(), 1);
    EXPECT_EQ(historySize(), start + 1);
    EXPECT_EQ(document->history().entries().back().title, g.pSelNode->m_name + "-カラーグラデーション");

    key(Qt::Key_Right, Qt::ShiftModifier);
    key(Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(sharedXs(), (std::vector<float>{0, 52, 100}));

    ASSERT_TRUE(document->undo());
    EXPECT_EQ(sharedXs(), (std::vector<float>{0, 51, 100}));
    key(Qt::Key_Delete);
    EXPECT_EQ(sharedXs(), (std::vector<float>{0, 100}));
    key(Qt::Key_Left);
    key(Qt::Key_Delete); // the first stop stays
    EXPECT_EQ(sharedXs(), (std::vector<float>{0, 100}));

    // Every change undoes back to the curves as they were, all four at once.
    for (int step = 0; step < 3; ++step) { // the delete, the first move, the added stop
        ASSERT_TRUE(document->undo());
    }
    EXPECT_EQ(curve(SlotAlpha), (Points{{0, 100}, {100, 0}}));
    EXPECT_EQ(curve(SlotRed), (Points{{0, 0}, {100, 0}}));
}

TEST_F(GradientStripTest, DraggingAStopAndChoosingItsColour) {
    g.pSelNode->graph(SlotBlue).setPoints({{0, 0}, {40, 100}, {100, 0}});
    const QPoint marker(strip->columnOf(40), 25);
    ASSERT_EQ(strip->stopAt(marker.x()), 1);
    const std::size_t start = historySize();
    press(*strip, marker, Qt::LeftButton);
    move(*strip, {strip->columnOf(60), 25}, Qt::LeftButton);
    move(*strip, {strip->columnOf(70), 25}, Qt::LeftButton);
    release(*strip, {strip->columnOf(70), 25}, Qt::LeftButton);
    EXPECT_EQ(sharedXs(), (std::vector<float>{0, 70, 100}));
    EXPECT_EQ(historySize(), start + 1) << "one drag, one undo step";

    send(*strip, QEvent::MouseButtonDblClick, {strip->columnOf(70), 25}, Qt::LeftButton, Qt::LeftButton);
    QColorDialog* chooser = strip->colourChooser();
    ASSERT_NE(chooser, nullptr);
    chooser->setCurrentColor(QColor(255, 0, 0, 51));
    chooser->accept();
    EXPECT_EQ(curve(SlotRed)[1], (CurvePoint{70, 0}));
    EXPECT_EQ(curve(SlotGreen)[1], (CurvePoint{70, 100}));
    EXPECT_EQ(curve(SlotBlue)[1], (CurvePoint{70, 100}));
    EXPECT_EQ(curve(SlotAlpha)[1], (CurvePoint{70, 80}));
    EXPECT_EQ(historySize(), start + 2);
    ASSERT_TRUE(document->undo());
    EXPECT_EQ(curve(SlotBlue)[1], (CurvePoint{70, 100}));
    EXPECT_EQ(curve(SlotRed)[1], (CurvePoint{70, 0}));
    EXPECT_EQ(curve(SlotAlpha)[1], (CurvePoint{70, 0}));
}

} // namespace
} // namespace vintrel

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
