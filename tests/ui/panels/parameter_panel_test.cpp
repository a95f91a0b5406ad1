// The parameter panels built from their tables, on the off-screen platform: what they show, what
// each user action writes through the document, and the enable rules.
#include "support/test_files.h"
#include "support/test_notifiers.h"
#include "support/test_projects.h"
#include "ui/controls/numeric_field.h"
#include "ui/document/project_document.h"
#include "ui/panels/parameter_area.h"
#include "ui/panels/parameter_panel.h"
#include "ui/panels/parameter_tab_bar.h"
#include "ui/panels/reading_order.h"
#include "ui/panels/spinner_buttons.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QRadioButton>
#include <QTest>
#include <algorithm>
#include <gtest/gtest.h>

namespace vintrel {
namespace {

using test::TempDir;

class ParameterPanelTest : public testing::Test {
protected:
    ParameterPanelTest() {
        test::startProject(g, dir.path() / "run");
        document = std::make_unique<ProjectDocument>(g, defaults, notifier);
    }

    // The area with `tab` open, as the user sees it.
    ParameterArea& open(int tab) {
        if (!area) {
            area = std::make_unique<ParameterArea>(*document);
            area->resize(252, 730);
            area->show();
        }
        area->showTab(tab);
        return *area;
    }
    template <typename W> W* control(int id) {
        W* widget = qobject_cast<W*>(area->panel()->control(id));
        EXPECT_NE(widget, nullptr) << id;
        return widget;
    }
    std::size_t historySize() const { return document->history().entries().size(); }

    TempDir dir;
    GlobalState g;
    BuiltInProjectDefaults defaults;
    test::RecordingNotifier notifier;
    std::unique_ptr<ProjectDocument> document;
    std::unique_ptr<ParameterArea> area;
};

// Frames first by their lines, then each frame's fields line by line; a field sitting a few
// pixels lower than its neighbour is on the same line; a frame inside another is read with it;
// fields outside frames count as frames.
TEST(ReadingOrderTest, FramesThenLinesThenLeftToRight) {
    const std::vector<QRect> frames = {
        {100, 0, 90, 60},  // right frame, top line
        {0, 0, 90, 120},   // left frame, taller: on the same line, read first
        {0, 130, 190, 40}, // bottom frame across
        {5, 40, 80, 60},   // inside the left frame
    };
    const std::vector<QRect> fields = {
        {110, 30, 70, 14}, // 0: right frame, second line
        {150, 10, 30, 14}, // 1: right frame, first line, right
        {110, 13, 30, 14}, // 2: right frame, first line, left (3 px lower)
        {10, 10, 70, 14},  // 3: left frame
        {10, 60, 70, 14},  // 4: the inner frame, read with the left one
        {100, 140, 80, 14}, // 5: bottom frame, right
        {10, 140, 80, 14}, // 6: bottom frame, left
        {0, 200, 40, 14},  // 7: outside every frame, last line
    };
    EXPECT_EQ(readingOrder(fields, frames), (std::vector<int>{3, 4, 2, 1, 0, 6, 5, 7}));
    EXPECT_TRUE(readingOrder({}, frames).empty());
}

// Tab visits every field of every tab once, in reading order.
TEST_F(ParameterPanelTest, TabGoesThroughEachPanelsFieldsInReadingOrder) {
    for (const ParameterPanelLayout& tab : parameterTabs()) {
        ParameterPanel* panel = open(tab.tabId).panel();
        std::vector<QWidget*> fields;
        std::vector<QRect> rects;
        std::vector<QRect> frames;
        for (QWidget* child : panel->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (qobject_cast<QGroupBox*>(child) != nullptr) {
                frames.push_back(child->geometry());
            } else if ((child->focusPolicy() & Qt::TabFocus) != 0) {
                fields.push_back(child);
                rects.push_back(child->geometry());
            }
        }
        ASSERT_FALSE(fields.empty()) << tab.tabId;
        const std::vector<int> order = readingOrder(rects, frames);
        std::vector<QWidget*> visited;
        QWidget* at = fields[static_cast<std::size_t>(order.front())];
        for (std::size_t step = 0; step < 4 * fields.size() && visited.size() < fields.size(); ++step) {
            if (std::find(fields.begin(), fields.end(), at) != fields.end()) {
                visited.push_back(at);
            }
            at = at->nextInFocusChain();
        }
        std::vector<QWidget*> expected;
        for (const int index : order) {
            expected.push_back(fields[static_cast<std::size_t>(index)]);
        }
        EXPECT_EQ(visited, expected) << tab.tabId;
    }
}

// Screen readers read a radio button as it reads on the screen, and hear what it sets after it.
TEST_F(ParameterPanelTest, RadioButtonsAreNamedByTheirOwnText) {
    open(kTimingTab);
    std::vector<QString> names;
    for (int id : {1223, 1224, 1225}) {
        auto* button = control<QRadioButton>(id);
        ASSERT_NE(button, nullptr);
        names.push_back(button->accessibleName().isEmpty() ? button->text() : button->accessibleName());
        EXPECT_FALSE(button->accessibleDescription().isEmpty()) << id;
    }
    EXPECT_EQ(names, (std::vector<QString>{"絶対フレーム数", "親のフレーム数", "親の消滅時"}));
}

TEST_F(ParameterPanelTest, StartsOnTheTimingTabAndSwitchesByTheBar) {
    ParameterArea& shown = open(kFirstTab);
    EXPECT_EQ(shown.panel()->layout().templateId, 102);
    EXPECT_TRUE(shown.tabBar()->button(kTimingTab)->isCurrent());
    QTest::mouseClick(shown.tabBar()->button(kKillTab), Qt::LeftButton);
    EXPECT_EQ(shown.currentTab(), kKillTab);
    EXPECT_EQ(shown.panel()->layout().templateId, 104);
    EXPECT_FALSE(shown.tabBar()->button(kTimingTab)->isCurrent());
}

// Each keystroke writes; the history keeps one entry with the value from before the first.
TEST_F(ParameterPanelTest, TypingIntoTheLifetimeGivesOneEntryWithTheOldValue) {
    const int before = g.pSelNode->m_kill.span;
    open(kKillTab);
    auto* lifetime = control<NumericField>(1158);
    lifetime->clear();
    for (const char* digit : {"1", "2", "3"}) {
        QTest::keyClicks(lifetime, QString::fromLatin1(digit));
    }
    EXPECT_EQ(g.pSelNode->m_kill.span, 123);
    ASSERT_EQ(historySize(), 2u);
    EXPECT_EQ(std::get<History::ValueEdit>(document->history().entries().back().edit).before,
              History::Number(before));
    EXPECT_EQ(document->history().entries().back().title, "ノード1-寿命");
    document->undo();
    EXPECT_EQ(g.pSelNode->m_kill.span, before);
}

TEST_F(ParameterPanelTest, EmitterPositionIsShownInTenthsAndShowingWritesNothing) {
    g.pSelNode->m_emitter.pos.y = 2.34f;
    open(kEmitterTab);
    EXPECT_EQ(control<NumericField>(1058)->text(), QStringLiteral("23"));
    EXPECT_EQ(historySize(), 1u); // merely shown: the 2.3 it reads back is not written
    auto* x = control<NumericField>(1032);
    x->clear();
    QTest::keyClicks(x, QStringLiteral("-15"));
    EXPECT_EQ(g.pSelNode->m_emitter.pos.x, -1.5f);
    EXPECT_EQ(g.pSelNode->m_emitter.pos.y, 2.34f);
}

TEST_F(ParameterPanelTest, TextureListStoresMinusOneForNoneAndEndsAtTheFirstModel) {
    g.materials = {{"smoke", Material::Texture}, {"spark", Material::Texture}, {"rock", Material::Model}};
    open(kTextureTab);
    auto* list = control<QComboBox>(1003);
    ASSERT_EQ(list->count(), 3); // "なし", smoke, spark
    EXPECT_EQ(list->itemText(0), QStringLiteral("なし"));
    emit list->activated(1);
    EXPECT_EQ(g.pSelNode->m_texture.ID, 0);
    emit list->activated(0);
    EXPECT_EQ(g.pSelNode->m_texture.ID, -1);

    open(kShapeTab);
    auto* shapes = control<QComboBox>(1002);
    ASSERT_EQ(shapes->count(), 6); // five shapes, then the model
    EXPECT_EQ(shapes->itemText(5), QStringLiteral("rock"));
}

TEST_F(ParameterPanelTest, AnimationSwitchEnablesItsFourControlsWithoutChangingThem) {
    g.pSelNode->m_texture.isAnim = 1;
    g.pSelNode->m_texture.w = 4;
    open(kTextureTab);
    auto* animate = control<QCheckBox>(1101);
    for (int id : {1014, 1020, 1052, 1128}) {
        EXPECT_TRUE(area->panel()->control(id)->isEnabled()) << id;
    }
    QTest::mouseClick(animate, Qt::LeftButton, {}, QPoint(6, animate->height() / 2));
    EXPECT_EQ(g.pSelNode->m_texture.isAnim, 0);
    for (int id : {1014, 1020, 1052, 1128}) {
        EXPECT_FALSE(area->panel()->control(id)->isEnabled()) << id;
    }
    EXPECT_EQ(g.pSelNode->m_texture.w, 4);
}

TEST_F(ParameterPanelTest, ParentDeathTimingDisablesThePeriodAndFrequencyOnly) {
    open(kTimingTab);
    control<QRadioButton>(1225)->click();
    EXPECT_EQ(g.pSelNode->m_timing.type, 2);
    for (int id : {1133, 1145, 1226, 1227}) {
        EXPECT_FALSE(area->panel()->control(id)->isEnabled()) << id;
    }
    for (int id : {1185, 1199}) {
        EXPECT_TRUE(area->panel()->control(id)->isEnabled()) << id;
    }
    control<QRadioButton>(1223)->click();
    EXPECT_TRUE(area->panel()->control(1133)->isEnabled());
}

// The trail layout exactly for shape 4; a shape change does not rebuild an open size panel;
// a cylinder names its three size curves by its parts.
TEST_F(ParameterPanelTest, SizeTabLayoutFollowsTheShapeWhenOpened) {
    for (int shape = 0; shape <= 5; ++shape) {
        g.pSelNode->m_shape.type = shape;
        EXPECT_EQ(open(kScaleTab).panel()->layout().templateId, shape == 4 ? 120 : 111) << shape;
    }
    g.pSelNode->m_shape.type = 3;
    open(kScaleTab);
    EXPECT_EQ(control<QGroupBox>(1276)->title(), QStringLiteral("底半径"));
    ParameterPanel* shown = area->panel();
    document->setValue(memberId("m_shape.type"), 4);
    EXPECT_EQ(area->panel(), shown);
}

TEST_F(ParameterPanelTest, SpinnerStepsWithinItsRangeAndWritesLikeTyping) {
    EXPECT_EQ(steppedValue(5, 1, 0, 100), 6);
    EXPECT_EQ(steppedValue(100, 1, 0, 100), 100);
    EXPECT_EQ(steppedValue(1500, -1, 0, 999), 998); // typed beyond the range: brought back first
    EXPECT_EQ(steppedValue(0, -1, 1, 999), 1);
    open(kKillTab);
    auto* err = control<NumericField>(1171);
    QTest::keyClick(err, Qt::Key_Up);
    EXPECT_EQ(g.pSelNode->m_kill.span_err, 1);
    QTest::keyClick(err, Qt::Key_Down);
    QTest::keyClick(err, Qt::Key_Down);
    EXPECT_EQ(g.pSelNode->m_kill.span_err, 0);
}

TEST_F(ParameterPanelTest, RotationAnglesReadFiveCharactersSoTheSpinnersWholeRangeReadsBack) {
    open(kRotateTab);
    auto* spin = control<NumericField>(1250);
    spin->clear();
    QTest::keyClicks(spin, QStringLiteral("99999"));
    EXPECT_EQ(g.pSelNode->m_rotate.angle, 99999);
    open(kKillTab);
    auto* span = control<NumericField>(1158);
    span->clear();
    QTest::keyClicks(span, QStringLiteral("12345"));
    EXPECT_EQ(g.pSelNode->m_kill.span, 1234);
}

TEST_F(ParameterPanelTest, UndoAndAnotherNodeRebuildThePanelFromTheModel) {
    open(kKillTab);
    auto* span = control<NumericField>(1158);
    span->clear();
    QTest::keyClicks(span, QStringLiteral("77"));
    document->undo();
    EXPECT_EQ(control<NumericField>(1158)->text(), QString::number(g.pSelNode->m_kill.span));
    document->runTreeCommand(TreeEditor::AddSibling);
    EXPECT_EQ(area->currentTab(), kKillTab);
    EXPECT_NE(area->panel(), nullptr);
}

TEST_F(ParameterPanelTest, DirectionIndicatorOpensThePickerOnlyForOneWayMovement) {
    open(kMoveTab);
    QWidget* indicator = area->panel()->control(1237);
    ASSERT_NE(indicator, nullptr);
    QTest::mouseClick(indicator, Qt::LeftButton);
    EXPECT_EQ(area->directionPicker(), nullptr);
    control<QCheckBox>(1187)->click();
    ASSERT_EQ(g.pSelNode->m_move.isOneWay, 1);
    QTest::mouseClick(area->panel()->control(1237), Qt::LeftButton);
    EXPECT_NE(area->directionPicker(), nullptr);
}

} // namespace
} // namespace vintrel

