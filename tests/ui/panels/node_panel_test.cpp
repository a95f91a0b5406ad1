// The node panel on the off-screen platform, driven by clicks and keys at the panel's own
// coordinates: selection, visibility, renaming, the command buttons and scrolling.
#include "support/test_files.h"
#include "support/test_notifiers.h"
#include "support/test_projects.h"
#include "ui/controls/original_scrollbar.h"
#include "ui/document/project_document.h"
#include "ui/panels/node_list_view.h"
#include "ui/panels/node_panel.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QLineEdit>
#include <QMimeData>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QTest>
#include <QWheelEvent>
#include <gtest/gtest.h>

namespace vintrel {
namespace {

using test::TempDir;

constexpr int kPanelHeight = 200;
constexpr int kNameX = 100;
constexpr int kIconX = 10;

class NodePanelTest : public testing::Test {
protected:
    NodePanelTest() {
        test::startProject(g, dir.path() / "run");
        document = std::make_unique<ProjectDocument>(g, defaults, notifier);
        panel = std::make_unique<NodePanel>(*document, nullptr);
        panel->resize(NodePanel::kWidth, kPanelHeight);
        panel->show();
        first = g.pSelNode;
    }

    // A left click at a point of the panel, delivered to the widget that is there.
    void clickPanel(QPoint point) {
        QWidget* target = panel->childAt(point);
        if (target == nullptr) {
            target = panel.get();
        }
        QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(panel.get(), point));
    }
    // The middle of list row `row` as the panel shows it now, at x.
    QPoint rowPoint(int row, int x = kNameX) const { return {x, 38 + 25 * row + 12 - panel->scrollOffset()}; }
    void clickRow(int row, int x = kNameX) { clickPanel(rowPoint(row, x)); }
    void clickButton(TreeEditor::Command command) {
        QTest::mouseClick(panel->button(command), Qt::LeftButton);
    }
    // Enter commits through a queued call of the item view's delegate.
    void press(QWidget* widget, Qt::Key key) {
        QTest::keyClick(widget, key);
        QCoreApplication::processEvents();
    }
    void typeName(const QString& name) {
        ASSERT_NE(panel->renameField(), nullptr);
        panel->renameField()->selectAll();
        // Typed as key events carrying the text: QTest's key tables hold ASCII only.
        for (const QChar character : name) {
            QTest::sendKeyEvent(QTest::Click, panel->renameField(), Qt::Key_unknown, QString(character),
                                Qt::NoModifier);
        }
    }
    EffectNode* addSibling() {
        EXPECT_TRUE(document->runTreeCommand(TreeEditor::AddSibling));
        return g.pSelNode;
    }
    std::size_t historySize() const { return document->history().entries().size(); }
    std::string lastTitle() const { return document->history().entries().back().title; }

    TempDir dir;
    GlobalState g;
    BuiltInProjectDefaults defaults;
    test::RecordingNotifier notifier;
    std::unique_ptr<ProjectDocument> document;
    std::unique_ptr<NodePanel> panel;
    EffectNode* first = nullptr;
};

QAccessibleInterface* accessibleChildNamed(QAccessibleInterface* parent, const QString& name) {
    for (int i = 0; parent != nullptr && i < parent->childCount(); ++i) {
        QAccessibleInterface* child = parent->child(i);
        if (child != nullptr && child->text(QAccessible::Name) == name) {
            return child;
        }
    }
    return nullptr;
}

// ---- the list -----------------------------------------------------------------------------

TEST_F(NodePanelTest, NewProjectShowsOneRowNamedForAccessibility) {
    EXPECT_EQ(panel->listView()->model()->rowCount(), 1);
    QAccessibleInterface* list = QAccessible::queryAccessibleInterface(panel->listView());
    ASSERT_NE(list, nullptr);
    EXPECT_NE(accessibleChildNamed(list, "ノード1"), nullptr);
    // 2·25 + 25 = 75 pixels of content fit the 162-pixel list: no scrollbar.
    EXPECT_EQ(panel->scrollbar()->model().contentSize(), 75);
    EXPECT_EQ(panel->scrollbar()->model().viewSize(), kPanelHeight - 38);
    EXPECT_FALSE(panel->scrollbar()->isVisible());
}

TEST_F(NodePanelTest, ButtonsSitInARowAndAreNamedByTheirHints) {
    QAccessibleInterface* panelInterface = QAccessible::queryAccessibleInterface(panel.get());
    const QAccessibleInterface* moveUp = accessibleChildNamed(panelInterface, "ノードを一つ上に移動。");
    ASSERT_NE(moveUp, nullptr);
    EXPECT_EQ(moveUp->object(), panel->button(TreeEditor::MoveUp));
    for (std::size_t i = 0; i < NodePanel::kCommands.size(); ++i) {
        EXPECT_EQ(panel->button(NodePanel::kCommands[i])->geometry(),
                  QRect(26 * static_cast<int>(i), 18, 26, 20));
    }
}

TEST_F(NodePanelTest, IconColumnFlipsVisibilityWithoutSelectingOrRecording) {
    EffectNode* second = addSibling();
    const std::size_t entries = historySize();
    clickRow(0, kIconX);
    EXPECT_EQ(first->m_isDraw, 0);
    EXPECT_EQ(g.pSelNode, second);
    EXPECT_EQ(historySize(), entries);
    EXPECT_TRUE(document->isModified());
    clickRow(0, kIconX);
    EXPECT_EQ(first->m_isDraw, 1);
    EXPECT_EQ(g.pSelNode, second);
}

TEST_F(NodePanelTest, ClickingAnotherRowSelectsItAndBelowTheLastRowNothing) {
    addSibling();
    clickRow(0);
    EXPECT_EQ(g.pSelNode, first);
    EXPECT_EQ(panel->listView()->currentIndex().row(), 0);
    clickRow(2);
    EXPECT_EQ(g.pSelNode, first);
    EXPECT_EQ(panel->renameField(), nullptr);
}

TEST_F(NodePanelTest, KeyboardMovesTheSelectionAndF2OpensTheField) {
    EffectNode* second = addSibling();
    clickRow(0);
    press(panel->listView(), Qt::Key_Down);
    EXPECT_EQ(g.pSelNode, second);
    press(panel->listView(), Qt::Key_F2);
    ASSERT_NE(panel->renameField(), nullptr);
    EXPECT_EQ(panel->renameField()->text(), QString::fromStdString(second->m_name));
}

// ---- renaming ------------------------------------------------------------------------------

TEST_F(NodePanelTest, ClickingTheSelectedRowOpensTheFieldAndEnterCommitsOneEntry) {
    clickRow(0);
    QLineEdit* field = panel->renameField();
    ASSERT_NE(field, nullptr);
    EXPECT_EQ(field->text(), "ノード1");
    EXPECT_EQ(field->geometry().topLeft(), QPoint(20, 3)) << "20·d across, 3 below the row's top";
    typeName("炎");
    // A second click on the row only goes to the field.
    clickPanel(rowPoint(0, field->x() + 5));
    ASSERT_EQ(panel->renameField(), field);
    EXPECT_EQ(historySize(), 1u);

    press(field, Qt::Key_Return);
    EXPECT_EQ(panel->renameField(), nullptr);
    EXPECT_EQ(first->m_name, "炎");
    ASSERT_EQ(historySize(), 2u);
    EXPECT_EQ(lastTitle(), "ノード名＜炎＞に変更");
    EXPECT_EQ(panel->listView()->model()->index(0, 0).data().toString(), "炎");
}

TEST_F(NodePanelTest, EscapeLeavesTheNameAndRecordsNothing) {
    clickRow(0);
    typeName("煙");
    press(panel->renameField(), Qt::Key_Escape);
    EXPECT_EQ(panel->renameField(), nullptr);
    EXPECT_EQ(first->m_name, "ノード1");
    EXPECT_EQ(historySize(), 1u);
    EXPECT_FALSE(document->isModified());
}

TEST_F(NodePanelTest, ClickingAnotherRowWhileRenamingCommitsThenSelects) {
    EffectNode* second = addSibling();
    clickRow(1);
    typeName("火花");
    clickRow(0);
    EXPECT_EQ(panel->renameField(), nullptr);
    EXPECT_EQ(second->m_name, "火花");
    EXPECT_EQ(lastTitle(), "ノード名＜火花＞に変更");
    EXPECT_EQ(g.pSelNode, first);
}

TEST_F(NodePanelTest, ClickingBelowTheRowsWhileRenamingCommits) {
    clickRow(0);
    typeName("光");
    clickRow(3);
    EXPECT_EQ(panel->renameField(), nullptr);
    EXPECT_EQ(first->m_name, "光");
    EXPECT_EQ(g.pSelNode, first);
}

TEST_F(NodePanelTest, LosingTheFocusCommits) {
    QLineEdit elsewhere(panel.get());
    elsewhere.setGeometry(0, kPanelHeight - 20, 50, 20);
    elsewhere.show();
    panel->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(panel.get()));
    clickRow(0);
    typeName("雷");
    ASSERT_TRUE(panel->renameField()->hasFocus());
    elsewhere.setFocus(Qt::OtherFocusReason);
    QCoreApplication::processEvents();
    EXPECT_EQ(panel->renameField(), nullptr);
    EXPECT_EQ(first->m_name, "雷");
    EXPECT_EQ(historySize(), 2u);
}

TEST_F(NodePanelTest, TheIconColumnWhileRenamingKeepsTheFieldAndWhatWasTyped) {
    clickRow(0);
    typeName("霧");
    clickRow(0, kIconX);
    EXPECT_EQ(first->m_isDraw, 0);
    ASSERT_NE(panel->renameField(), nullptr);
    EXPECT_EQ(panel->renameField()->text(), "霧");
    press(panel->renameField(), Qt::Key_Return);
    EXPECT_EQ(first->m_name, "霧");
}

TEST_F(NodePanelTest, AnUnchangedNameRecordsNothing) {
    clickRow(0);
    press(panel->renameField(), Qt::Key_Return);
    EXPECT_EQ(panel->renameField(), nullptr);
    EXPECT_EQ(historySize(), 1u);
}

// ---- the buttons ---------------------------------------------------------------------------

TEST_F(NodePanelTest, ImpossibleMovesRecordNothing) {
    EffectNode* second = addSibling();
    clickRow(0);
    const std::size_t entries = historySize();
    clickButton(TreeEditor::MoveUp);  // "ノードを一つ上に移動。" on a first child
    clickButton(TreeEditor::MoveOut); // "ノードを親ノードにする。" on a child of the root
    clickButton(TreeEditor::MoveIntoPrevious);
    EXPECT_EQ(historySize(), entries);
    EXPECT_EQ(g.rootNode->child(0), first);
    EXPECT_EQ(g.pSelNode, first);

    // The same buttons act where the move is possible.
    clickRow(1);
    clickButton(TreeEditor::MoveUp);
    ASSERT_EQ(historySize(), entries + 1);
    EXPECT_EQ(lastTitle(), "ノードの移動");
    EXPECT_EQ(g.rootNode->child(0)->m_ID, second->m_ID);
}

TEST_F(NodePanelTest, AddButtonsGrowTheListAndTheScrollContent) {
    clickButton(TreeEditor::AddChild);
    clickButton(TreeEditor::AddSibling);
    EXPECT_EQ(panel->listView()->model()->rowCount(), 3);
    EXPECT_EQ(g.nodeCount, 4);
    EXPECT_EQ(panel->scrollbar()->model().contentSize(), 4 * 25 + 25);
    EXPECT_EQ(panel->listView()->currentIndex().row(), 2) << "the new node is selected";
}

TEST_F(NodePanelTest, ARefusedDeleteShowsItsMessageAndRecordsNothing) {
    clickButton(TreeEditor::Delete);
    ASSERT_EQ(notifier.messages.size(), 1u);
    EXPECT_EQ(notifier.messages[0].second, "このノードは削除できません");
    EXPECT_EQ(historySize(), 1u);
    EXPECT_EQ(g.nodeCount, 2);
}

TEST_F(NodePanelTest, AButtonKeepsAnOpenRenameFirst) {
    clickRow(0);
    typeName("水");
    clickButton(TreeEditor::AddChild);
    ASSERT_EQ(historySize(), 3u);
    EXPECT_EQ(document->history().entries()[1].title, "ノード名＜水＞に変更");
    EXPECT_EQ(first->m_name, "水");
    EXPECT_EQ(g.pSelNode->m_parent, first);
}

TEST_F(NodePanelTest, CameraRowsFollowTheTreeAndIgnoreTheButtons) {
    ASSERT_TRUE(document->setValue(projectFieldId("g.project.isCameraMove"), 1));
    ASSERT_EQ(panel->listView()->model()->rowCount(), 3);
    EXPECT_EQ(panel->listView()->model()->index(1, 0).data().toString(), "カメラ位置(β)");
    EXPECT_EQ(panel->listView()->model()->index(2, 0).data().toString(), "注視点(β)");

    clickRow(1);
    ASSERT_EQ(g.pSelNode, g.cameraNode.get());
    clickRow(1);
    EXPECT_EQ(panel->renameField(), nullptr) << "camera rows keep their labels";
    const std::size_t entries = historySize();
    for (const TreeEditor::Command command : NodePanel::kCommands) {
        clickButton(command);
    }
    EXPECT_EQ(historySize(), entries);
    EXPECT_EQ(g.nodeCount, 2);
    EXPECT_EQ(g.rootNode->childCount(), 1);
    EXPECT_EQ(g.pSelNode, g.cameraNode.get());
    EXPECT_TRUE(notifier.messages.empty());

    clickRow(2);
    EXPECT_EQ(g.pSelNode, g.targetNode.get());
    ASSERT_TRUE(document->setValue(projectFieldId("g.project.isCameraMove"), 0));
    EXPECT_EQ(panel->listView()->model()->rowCount(), 1);
}

// ---- scrolling -----------------------------------------------------------------------------

TEST_F(NodePanelTest, WheelScrollsTheListAndClicksFollowTheOffset) {
    for (int i = 0; i < 10; ++i) {
        addSibling();
    }
    panel->listView()->setCurrentIndex({});
    EXPECT_EQ(panel->scrollbar()->model().contentSize(), 12 * 25 + 25);
    ASSERT_TRUE(panel->scrollbar()->isVisible());
    QWidget* viewport = panel->listView()->viewport();
    const QPoint at = viewport->mapFrom(panel.get(), QPoint(kNameX, 60));
    QWheelEvent notchDown(at, viewport->mapToGlobal(at), {}, {0, -120}, Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
    QApplication::sendEvent(viewport, &notchDown);
    ASSERT_EQ(panel->scrollOffset(), OriginalScrollbar::kWheelPixelsPerNotch);
    EXPECT_EQ(panel->listView()->y(), -OriginalScrollbar::kWheelPixelsPerNotch);

    // (5 + 48) div 25 = row 2.
    clickPanel({kNameX, 38 + 5});
    EXPECT_EQ(g.pSelNode, g.rootNode->child(2));
}

// A node dragged over the list shows where it would go and is moved there when dropped: onto
// the other node it becomes its child; over itself nothing shows and a drop changes nothing.
TEST_F(NodePanelTest, ADraggedNodeIsDroppedOntoAnotherAndNeverOntoItself) {
    EffectNode* second = addSibling();
    const std::size_t entries = historySize();
    NodeListView* view = panel->listView();
    QWidget* viewport = view->viewport();
    const auto carrying = [](const EffectNode* node) {
        auto* data = new QMimeData;
        data->setData(QString::fromLatin1(NodeListView::kDragMimeType), QByteArray::number(node->m_ID));
        return data;
    };
    const auto dragTo = [&](const EffectNode* node, QPoint at) {
        std::unique_ptr<QMimeData> data(carrying(node));
        QDragEnterEvent enter(at, Qt::MoveAction, data.get(), Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(viewport, &enter);
        QDragMoveEvent move(at, Qt::MoveAction, data.get(), Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(viewport, &move);
        return move.isAccepted();
    };
    const auto dropAt = [&](const EffectNode* node, QPoint at) {
        std::unique_ptr<QMimeData> data(carrying(node));
        QDropEvent drop(QPointF(at), Qt::MoveAction, data.get(), Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(viewport, &drop);
        return drop.isAccepted();
    };
    const QPoint middleOfFirst(kNameX, 12);

    EXPECT_FALSE(dragTo(first, middleOfFirst)) << "onto itself";
    EXPECT_FALSE(view->dropIndicator());
    EXPECT_FALSE(dropAt(first, middleOfFirst));
    EXPECT_EQ(historySize(), entries);

    ASSERT_TRUE(dragTo(second, middleOfFirst));
    ASSERT_TRUE(view->dropIndicator());
    EXPECT_EQ(view->dropIndicator()->kind, NodeDrop::Kind::Onto);
    ASSERT_TRUE(dropAt(second, middleOfFirst));
    EXPECT_FALSE(view->dropIndicator());
    EXPECT_EQ(second->m_parent, first);
    EXPECT_EQ(historySize(), entries + 1);
    EXPECT_EQ(panel->listView()->model()->rowCount(), 2);

    // Its parent cannot go into it; undo puts it back.
    EXPECT_FALSE(dragTo(first, QPoint(kNameX, 25 + 12)));
    ASSERT_TRUE(document->undo());
    EXPECT_EQ(second->m_parent, g.rootNode.get());
}

} // namespace
} // namespace vintrel
