// The view list and the history list on the off-screen platform: their rows, what a click and the
// keyboard do through the document, the scrollbar, how the history rows are coloured, and the
// rows as screen readers see them.
#include "support/test_files.h"
#include "support/test_notifiers.h"
#include "support/test_projects.h"
#include "ui/controls/original_scrollbar.h"
#include "ui/controls/ui_colors.h"
#include "ui/dialogs/history_list_dialog.h"
#include "ui/dialogs/row_list_geometry.h"
#include "ui/dialogs/view_list_dialog.h"
#include "ui/document/project_document.h"

#include <QAccessible>
#include <QImage>
#include <QTest>
#include <gtest/gtest.h>

namespace vintrel {
namespace {

using test::TempDir;

constexpr int kRowHeight = RowListGeometry::kRowHeight;

class ListDialogTest : public testing::Test {
protected:
    ListDialogTest() {
        test::startProject(g, dir.path() / "run");
        document = std::make_unique<ProjectDocument>(g, defaults, notifier);
    }

    // A point inside `row`, left of the "×".
    static QPoint onTitle(const ScrolledRowList& rows, int row) {
        return rows.rowRect(row).topLeft() + QPoint(8, 12);
    }
    static QPoint onDeleteMark(const ScrolledRowList& rows, int row) {
        const QRect rect = rows.rowRect(row);
        return {rect.right() - kRowHeight / 2, rect.center().y()};
    }
    static void click(ScrolledRowList& rows, QPoint at) { QTest::mouseClick(&rows, Qt::LeftButton, {}, at); }
    static void press(ScrolledRowList& rows, Qt::Key key) { QTest::keyClick(&rows, key); }
    // The rows as a screen reader reads them: each item's name, "*" after the selected ones.
    static std::vector<QString> accessibleRows(ScrolledRowList& rows) {
        QAccessibleInterface* list = QAccessible::queryAccessibleInterface(&rows);
        std::vector<QString> items;
        for (int i = 0; list != nullptr && i < list->childCount(); ++i) {
            QAccessibleInterface* item = list->child(i);
            if (item != nullptr && item->role() == QAccessible::ListItem) {
                items.push_back(item->text(QAccessible::Name) + (item->state().selected ? "*" : ""));
            }
        }
        return items;
    }
    std::vector<std::string> viewTitles() const {
        std::vector<std::string> titles;
        for (const CameraView& view : g.views) {
            titles.push_back(view.title);
        }
        return titles;
    }

    TempDir dir;
    GlobalState g;
    BuiltInProjectDefaults defaults;
    test::RecordingNotifier notifier;
    std::unique_ptr<ProjectDocument> document;
};

// ---- view list -----------------------------------------------------------------------------

class ViewListTest : public ListDialogTest {
protected:
    ViewListTest() : dialog(*document, nullptr) {
        dialog.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    }
    ViewpointRows& rows() { return dialog.rows(); }

    ViewListDialog dialog;
};

TEST_F(ViewListTest, IsAResizableWindowFoundByItsTitle) {
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("視点リスト"));
    EXPECT_EQ(dialog.accessibleName(), QStringLiteral("視点リスト"));
    EXPECT_FALSE(dialog.isModal());
    dialog.resize(300, 400);
    QTest::qWait(0);
    EXPECT_EQ(rows().width(), 300);
}

TEST_F(ViewListTest, ClickingAViewpointMovesTheViewCameraThere) {
    click(rows(), onTitle(rows(), 2)); // "斜め左上"
    const ViewCameraPose pose = document->viewCamera();
    EXPECT_EQ(pose.eye.x, -5.0f);
    EXPECT_EQ(pose.eye.y, 5.0f);
    EXPECT_EQ(pose.eye.z, -10.0f);
    EXPECT_EQ(pose.target.x, 0.0f);
    EXPECT_EQ(g.views.size(), 4u);
    EXPECT_FALSE(document->isModified());
}

TEST_F(ViewListTest, TheCrossDeletesItsViewpoint) {
    click(rows(), onDeleteMark(rows(), 1));
    EXPECT_EQ(viewTitles(), (std::vector<std::string>{"正面", "斜め左上", "＜追加＞"}));
    EXPECT_TRUE(document->isModified());
    // "＜追加＞" has no cross: a click at its right end adds instead of deleting.
    click(rows(), onDeleteMark(rows(), 2));
    EXPECT_EQ(g.views.size(), 4u);
    EXPECT_EQ(g.views.back().title, "＜追加＞");
}

TEST_F(ViewListTest, AddAppendsTheCurrentCameraAndStaysLast) {
    document->requestViewCamera({{1.25f, 2, -3}, {0, 0.5f, 0}});
    click(rows(), onTitle(rows(), 3)); // "＜追加＞"
    ASSERT_EQ(g.views.size(), 5u);
    EXPECT_EQ(g.views[3].title, "(12,20,-30)－(0,5,0)");
    EXPECT_EQ(g.views[3].eye.x, 1.25f);
    EXPECT_EQ(g.views[3].target.y, 0.5f);
    EXPECT_EQ(g.views[3].angle, 60.0f);
    EXPECT_EQ(g.views.back().title, "＜追加＞");
    EXPECT_EQ(rows().scrollbar().model().contentSize(), 5 * kRowHeight);
}

TEST_F(ViewListTest, TheScrollbarFollowsTheListsHeightAndAClickTheScrolledRow) {
    dialog.resize(dialog.width(), 2 * kRowHeight + 10);
    QTest::qWait(0);
    ASSERT_TRUE(rows().scrollbar().isVisible());
    EXPECT_EQ(rows().scrollbar().model().contentSize(), 4 * kRowHeight);
    rows().scrollbar().wheelScroll(kRowHeight);
    ASSERT_EQ(rows().scrollbar().position(), kRowHeight);
    click(rows(), QPoint(8, 5)); // the top of the list now shows row 1, "斜め上"
    EXPECT_EQ(document->viewCamera().eye.x, 0.0f);
    EXPECT_EQ(document->viewCamera().eye.y, 5.0f);
    EXPECT_EQ(document->viewCamera().eye.z, -10.0f);

    dialog.resize(dialog.width(), 10 * kRowHeight);
    QTest::qWait(0);
    EXPECT_FALSE(rows().scrollbar().isVisible());
}

TEST_F(ViewListTest, TheKeyboardMovesThroughTheRowsAndActsAsAClick) {
    rows().setFocus();
    EXPECT_EQ(accessibleRows(rows()),
              (std::vector<QString>{"正面*", "斜め上", "斜め左上", "＜追加＞"}));
    press(rows(), Qt::Key_Down);
    press(rows(), Qt::Key_Down);
    EXPECT_EQ(accessibleRows(rows())[2], "斜め左上*");
    press(rows(), Qt::Key_Return);
    EXPECT_EQ(document->viewCamera().eye.x, -5.0f);
    EXPECT_EQ(g.views.size(), 4u);
    // Delete removes the keyboard's viewpoint; on "＜追加＞" it does nothing, Enter adds there.
    press(rows(), Qt::Key_Delete);
    EXPECT_EQ(viewTitles(), (std::vector<std::string>{"正面", "斜め上", "＜追加＞"}));
    press(rows(), Qt::Key_End);
    press(rows(), Qt::Key_Delete);
    EXPECT_EQ(g.views.size(), 3u);
    press(rows(), Qt::Key_Space);
    EXPECT_EQ(g.views.size(), 4u);
    EXPECT_EQ(accessibleRows(rows()).back(), "＜追加＞*");
    press(rows(), Qt::Key_Home);
    press(rows(), Qt::Key_Up); // held at the first row
    EXPECT_EQ(rows().cursorRow(), 0);
}

TEST_F(ViewListTest, TheKeyboardScrollsItsRowIntoSight) {
    dialog.resize(dialog.width(), 2 * kRowHeight);
    QTest::qWait(0);
    rows().setFocus();
    press(rows(), Qt::Key_End);
    EXPECT_EQ(rows().scrollbar().position(), 2 * kRowHeight);
    EXPECT_EQ(rows().rowRect(3).bottom(), rows().height() - 1);
    press(rows(), Qt::Key_PageUp); // a page of one row: the list shows two
    EXPECT_EQ(rows().cursorRow(), 2);
    press(rows(), Qt::Key_Home);
    EXPECT_EQ(rows().scrollbar().position(), 0);
}

TEST_F(ViewListTest, AScreenReaderPressesARow) {
    QAccessibleInterface* list = QAccessible::queryAccessibleInterface(&rows());
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->role(), QAccessible::List);
    QAccessibleInterface* add = list->child(3);
    ASSERT_NE(add, nullptr);
    EXPECT_EQ(add->parent(), list);
    EXPECT_EQ(list->indexOfChild(add), 3);
    EXPECT_EQ(add->rect().size(), rows().rowRect(3).size());
    ASSERT_NE(add->actionInterface(), nullptr);
    add->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(g.views.size(), 5u);
    EXPECT_EQ(list->childAt(rows().mapToGlobal(onTitle(rows(), 1)).x(), rows().mapToGlobal(onTitle(rows(), 1)).y()),
              list->child(1));
}

TEST_F(ViewListTest, AnotherViewListShowsAtOnce) {
    document->changeProject([](GlobalState& state) {
        state.views = freshViewList();
        state.views.erase(state.views.begin());
    });
    EXPECT_EQ(rows().scrollbar().model().contentSize(), 3 * kRowHeight);
}

// ---- history list --------------------------------------------------------------------------

class HistoryListTest : public ListDialogTest {
protected:
    HistoryListTest() : dialog(*document, nullptr) {
        dialog.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    }
    HistoryRows& rows() { return dialog.rows(); }
    // Three edits of different fields: four entries with "スタート".
    void makeThreeEdits() {
        document->setValue(memberId("m_kill.span"), 10);
        document->setValue(memberId("m_kill.span_err"), 3);
        document->setValue(projectFieldId("g.project.isCameraMove"), 1);
    }
    // How many pixels of `row` (left of the scrollbar) have exactly `color`.
    int pixelsOf(int row, QColor color) {
        const QImage image = rows().grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QRect rect = rows().rowRect(row).intersected(image.rect());
        int count = 0;
        for (int y = rect.top(); y <= rect.bottom(); ++y) {
            for (int x = rect.left(); x <= rect.right(); ++x) {
                count += image.pixelColor(x, y) == color ? 1 : 0;
            }
        }
        return count;
    }

    HistoryListDialog dialog;
};

TEST_F(HistoryListTest, ShowsARowForEveryEntryAndFollowsTheHistory) {
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("履歴リスト"));
    EXPECT_FALSE(dialog.isModal());
    EXPECT_EQ(rows().scrollbar().model().contentSize(), kRowHeight);
    makeThreeEdits();
    EXPECT_EQ(rows().scrollbar().model().contentSize(), 4 * kRowHeight);
}

TEST_F(HistoryListTest, TheCurrentRowIsHighlightedAndUndoneRowsAreGrey) {
    makeThreeEdits();
    document->undo();
    document->undo(); // entry 1 is current, 2 and 3 are undone
    const QColor cursor = toQColor(uiColors().cursor);
    const QColor white(255, 255, 255);
    const QColor grey(kUndoneHistoryGrey, kUndoneHistoryGrey, kUndoneHistoryGrey);
    EXPECT_GT(pixelsOf(1, cursor), kRowHeight * 10);
    EXPECT_EQ(pixelsOf(0, cursor), 0);
    EXPECT_EQ(pixelsOf(2, cursor), 0);
    EXPECT_GT(pixelsOf(0, white), 0);
    EXPECT_GT(pixelsOf(1, white), 0);
    EXPECT_EQ(pixelsOf(0, grey), 0);
    for (int undone : {2, 3}) {
        EXPECT_GT(pixelsOf(undone, grey), 0) << undone;
        EXPECT_EQ(pixelsOf(undone, white), 0) << undone;
    }
}

TEST_F(HistoryListTest, AClickJumpsToTheEntry) {
    const int span = g.pSelNode->m_kill.span;
    makeThreeEdits();
    click(rows(), onTitle(rows(), 0));
    EXPECT_EQ(document->history().current(), 0);
    EXPECT_EQ(g.pSelNode->m_kill.span, span);
    EXPECT_EQ(g.project.isCameraMove, 0);
    click(rows(), onTitle(rows(), 2));
    EXPECT_EQ(document->history().current(), 2);
    EXPECT_EQ(g.pSelNode->m_kill.span_err, 3);
    EXPECT_EQ(g.project.isCameraMove, 0);
    // Below the last row nothing happens.
    click(rows(), QPoint(8, 4 * kRowHeight + 5));
    EXPECT_EQ(document->history().current(), 2);
}

TEST_F(HistoryListTest, TheKeyboardFollowsTheCurrentEntryAndEnterJumps) {
    makeThreeEdits();
    rows().setFocus();
    EXPECT_EQ(accessibleRows(rows()).size(), 4u);
    EXPECT_EQ(accessibleRows(rows())[0], "スタート");
    EXPECT_EQ(rows().cursorRow(), 3);
    press(rows(), Qt::Key_Up);
    press(rows(), Qt::Key_Up);
    EXPECT_EQ(document->history().current(), 3); // moving alone changes nothing
    press(rows(), Qt::Key_Enter);
    EXPECT_EQ(document->history().current(), 1);
    EXPECT_EQ(g.project.isCameraMove, 0);
    EXPECT_TRUE(accessibleRows(rows())[1].endsWith("*"));
    document->redo();
    EXPECT_EQ(rows().cursorRow(), 2);
}

} // namespace
} // namespace vintrel
