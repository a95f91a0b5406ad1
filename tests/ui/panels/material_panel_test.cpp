// The material panel on the off-screen platform: its buttons, the rows it shows for the
// document's materials, selecting by click, scrolling, the commands through answered prompts,
// and the files dropped on it.
#include "support/test_files.h"
#include "support/test_notifiers.h"
#include "support/test_projects.h"
#include "ui/controls/original_scrollbar.h"
#include "ui/controls/ui_colors.h"
#include "ui/document/project_document.h"
#include "ui/panels/material_list_geometry.h"
#include "ui/panels/material_panel.h"
#include "ui/panels/material_prompts.h"
#include "ui/panels/material_row.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QDropEvent>
#include <QImage>
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>
#include <QUrl>
#include <QWheelEvent>
#include <gtest/gtest.h>
#include <optional>

namespace vintrel {
namespace {

namespace fs = std::filesystem;

using Command = MaterialPanel::Command;
using Geometry = MaterialListGeometry;
using test::TempDir;

constexpr int kPanelHeight = 200;
constexpr int kNameX = 100;

class AnsweringPrompts final : public MaterialPrompts {
public:
    std::vector<fs::path> askImportFiles() override { return filesToImport; }
    std::optional<fs::path> askCopyTarget(const Material& material) override {
        copyAskedFor.push_back(material);
        return copyTarget;
    }
    void showMessage(const QString& title, const QString& text) override {
        messages.emplace_back(title, text);
    }

    std::vector<fs::path> filesToImport;
    std::optional<fs::path> copyTarget;
    std::vector<Material> copyAskedFor;
    std::vector<std::pair<QString, QString>> messages;
};

class MaterialPanelTest : public testing::Test {
protected:
    MaterialPanelTest() {
        test::startProject(g, dir.path() / "run");
        document = std::make_unique<ProjectDocument>(g, defaults, notifier);
        panel = std::make_unique<MaterialPanel>(*document, nullptr);
        panel->setPrompts(prompts);
        panel->resize(Geometry::kWidth, kPanelHeight);
        panel->show();
    }

    fs::path chosenImage(const std::string& fileName, QColor color = Qt::red) {
        const fs::path file = dir.path() / "chosen" / fileName;
        fs::create_directories(file.parent_path());
        QImage image(8, 4, QImage::Format_ARGB32);
        image.fill(color);
        EXPECT_TRUE(image.save(QString::fromStdString(file.string()), "PNG"));
        return file;
    }
    fs::path chosenModel(const std::string& fileName) {
        const fs::path file = dir.path() / "chosen" / fileName;
        test::writeFile(file, "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n");
        return file;
    }
    // Imports through the import button, the dialog answered with `files`.
    void importByButton(std::vector<fs::path> files) {
        prompts.filesToImport = std::move(files);
        QTest::mouseClick(panel->button(Command::Import), Qt::LeftButton);
    }
    // Imports t0 … t9, more than the list shows.
    void importTenTextures() {
        std::vector<fs::path> files;
        for (int i = 0; i < 10; ++i) {
            files.push_back(chosenImage("t" + std::to_string(i) + ".png"));
        }
        importByButton(files);
    }
    void clickAt(int y) { QTest::mouseClick(panel.get(), Qt::LeftButton, {}, QPoint(kNameX, y)); }
    int rowMiddle(int row) const {
        return Geometry::kListTop + Geometry::rowTop(row) + Geometry::kRowHeight / 2 - panel->scrollOffset();
    }
    std::vector<QString> rowNames() const {
        std::vector<QString> names;
        for (const MaterialRow* row : panel->rows()) {
            names.push_back(row->accessibleName());
        }
        return names;
    }
    static QMimeData* filesData(const std::vector<fs::path>& files) {
        auto* data = new QMimeData;
        QList<QUrl> urls;
        for (const fs::path& file : files) {
            urls << QUrl::fromLocalFile(QString::fromStdString(file.string()));
        }
        data->setUrls(urls);
        return data;
    }
    // Whether the panel takes a drag that carries `files`.
    bool takesDrag(const std::vector<fs::path>& files) {
        std::unique_ptr<QMimeData> data(filesData(files));
        QDragEnterEvent enter(QPoint(kNameX, rowMiddle(0)), Qt::CopyAction, data.get(), Qt::LeftButton, {});
        QApplication::sendEvent(panel.get(), &enter);
        return enter.isAccepted();
    }

    TempDir dir{"vintrel-material-panel"};
    GlobalState g;
    BuiltInProjectDefaults defaults;
    test::RecordingNotifier notifier;
    std::unique_ptr<ProjectDocument> document;
    AnsweringPrompts prompts;
    std::unique_ptr<MaterialPanel> panel;
};

TEST_F(MaterialPanelTest, SixButtonsNamedByTheirHints) {
    const std::pair<Command, const char*> expected[] = {
        {Command::Import, "素材を追加する。"},
        {Command::Delete, "素材を削除する。"},
        {Command::SaveCopy, "素材をファイルに保存する。"},
        {Command::MirrorLeftRight, "画像を左右反転する。"},
        {Command::MirrorTopBottom, "画像を上下反転する。"},
        {Command::RotateClockwise, "画像を時計回りに90°回転させる。"},
    };
    int column = 0;
    for (const auto& [command, hint] : expected) {
        QAbstractButton* button = panel->button(command);
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->accessibleName(), QString::fromUtf8(hint));
        EXPECT_EQ(button->geometry(), QRect(26 * column++, 18, 26, 20));
    }
    EXPECT_EQ(panel->accessibleName(), QStringLiteral("マテリアルパネル"));
}

TEST_F(MaterialPanelTest, ImportedFilesShowAsRowsTexturesFirst) {
    QSignalSpy changes(document.get(), &ProjectDocument::materialsChanged);
    importByButton({chosenModel("box.obj"), chosenImage("fire.png"), chosenImage("ash.png")});

    EXPECT_EQ(changes.count(), 1);
    EXPECT_TRUE(document->isModified());
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_EQ(rowNames(), (std::vector<QString>{"ash", "fire", "box"}));
    const auto& rows = panel->rows();
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0]->look(), MaterialRow::Look::Texture);
    EXPECT_EQ(rows[2]->look(), MaterialRow::Look::Model);
    for (const MaterialRow* row : rows) {
        EXPECT_EQ(row->thumbnail().size(), QSize(Geometry::kThumbnailSize, Geometry::kThumbnailSize));
    }
    EXPECT_EQ(rows[1]->geometry(), QRect(0, 33, 210, 33));
}

TEST_F(MaterialPanelTest, ClickingSelectsARowAndBelowTheLastRowNothing) {
    importByButton({chosenImage("a.png"), chosenImage("b.png")});
    ASSERT_EQ(panel->selectedIndex(), -1);

    clickAt(rowMiddle(1));
    EXPECT_EQ(panel->selectedIndex(), 1);
    EXPECT_TRUE(panel->rows()[1]->isSelected());
    EXPECT_FALSE(panel->rows()[0]->isSelected());
    const QImage selected = panel->rows()[1]->grab().toImage();
    EXPECT_EQ(QColor(selected.pixel(200, 1)), toQColor(uiColors().cursor));
    const QImage other = panel->rows()[0]->grab().toImage();
    EXPECT_EQ(QColor(other.pixel(200, 1)), toQColor(uiColors().client));

    clickAt(Geometry::kTitleHeight / 2); // the title strip leaves the selection alone
    EXPECT_EQ(panel->selectedIndex(), 1);
    clickAt(rowMiddle(2));
    EXPECT_EQ(panel->selectedIndex(), -1);
    EXPECT_FALSE(panel->rows()[1]->isSelected());
}

TEST_F(MaterialPanelTest, DeleteRemovesTheSelectedMaterialAndKeepsTheOthersReferences) {
    importByButton({chosenImage("t1.png"), chosenImage("t2.png"), chosenImage("t3.png")});
    EffectNode& node = *g.rootNode->child(0);
    document->changeMaterials([](GlobalState& state) { state.rootNode->child(0)->m_texture.ID = 2; });

    QTest::mouseClick(panel->button(Command::Delete), Qt::LeftButton); // nothing selected
    EXPECT_EQ(rowNames().size(), 3u);

    clickAt(rowMiddle(1));
    QTest::mouseClick(panel->button(Command::Delete), Qt::LeftButton);
    EXPECT_EQ(rowNames(), (std::vector<QString>{"t1", "t3"}));
    EXPECT_FALSE(fs::exists(g.workspace / "t2.png"));
    EXPECT_EQ(node.m_texture.ID, 1);
    EXPECT_EQ(panel->selectedIndex(), -1);
}

TEST_F(MaterialPanelTest, FlippingAModelShowsTheMessageAndChangesNothing) {
    importByButton({chosenImage("fire.png"), chosenModel("box.obj")});
    document->save(dir.path() / "saved.stn");
    ASSERT_FALSE(document->isModified());
    QSignalSpy changes(document.get(), &ProjectDocument::materialsChanged);
    const std::string before = test::readFile(g.workspace / "box.obj");

    clickAt(rowMiddle(1));
    for (const Command command :
         {Command::MirrorLeftRight, Command::MirrorTopBottom, Command::RotateClockwise}) {
        QTest::mouseClick(panel->button(command), Qt::LeftButton);
    }

    ASSERT_EQ(prompts.messages.size(), 3u);
    for (const auto& [title, text] : prompts.messages) {
        EXPECT_EQ(title, QStringLiteral("Vintrel"));
        EXPECT_EQ(text, QStringLiteral("この機能は３Ｄモデルに対して使うことはできません。"));
    }
    EXPECT_EQ(changes.count(), 0);
    EXPECT_FALSE(document->isModified());
    EXPECT_EQ(test::readFile(g.workspace / "box.obj"), before);
    EXPECT_EQ(panel->selectedIndex(), 1);
}

TEST_F(MaterialPanelTest, RotatingATextureRewritesItsFile) {
    importByButton({chosenImage("wide.png")});
    const std::string before = test::readFile(g.workspace / "wide.png");
    clickAt(rowMiddle(0));
    QTest::mouseClick(panel->button(Command::RotateClockwise), Qt::LeftButton);
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_NE(test::readFile(g.workspace / "wide.png"), before);
    EXPECT_EQ(rowNames(), std::vector<QString>{"wide"});
}

// A file that cannot be read, or that is neither an image nor a model, is named in a message
// and changes nothing.
TEST_F(MaterialPanelTest, AnUnreadableFileIsReportedByNameAndNothingChanges) {
    for (const char* name : {"broken.png", "notes.txt"}) {
        SCOPED_TRACE(name);
        prompts.messages.clear();
        test::writeFile(dir.path() / "chosen" / name, "not a picture");
        QSignalSpy changes(document.get(), &ProjectDocument::materialsChanged);

        importByButton({dir.path() / "chosen" / name});

        EXPECT_EQ(changes.count(), 0);
        EXPECT_FALSE(document->isModified());
        ASSERT_EQ(prompts.messages.size(), 1u);
        EXPECT_TRUE(prompts.messages[0].second.contains(QString::fromLatin1(name)));
        EXPECT_FALSE(fs::exists(g.workspace / name));
        EXPECT_TRUE(g.materials.empty());
    }
}

TEST_F(MaterialPanelTest, SaveACopyOffersTheMaterialAndCopiesItsFile) {
    importByButton({chosenModel("box.obj")});
    QTest::mouseClick(panel->button(Command::SaveCopy), Qt::LeftButton); // nothing selected
    EXPECT_TRUE(prompts.copyAskedFor.empty());

    prompts.copyTarget = dir.path() / "copy.obj";
    clickAt(rowMiddle(0));
    QTest::mouseClick(panel->button(Command::SaveCopy), Qt::LeftButton);
    ASSERT_EQ(prompts.copyAskedFor.size(), 1u);
    EXPECT_EQ(prompts.copyAskedFor[0].kind, Material::Model);
    EXPECT_EQ(test::readFile(dir.path() / "copy.obj"), test::readFile(g.workspace / "box.obj"));
}

TEST_F(MaterialPanelTest, DropsOfImagesAndModelsImportAndProjectFilesPassOn) {
    const fs::path project = dir.path() / "effect.stn";
    test::writeFile(project, "SartuneData,6,0,");
    EXPECT_FALSE(takesDrag({project}));
    EXPECT_TRUE(takesDrag({project, chosenImage("drop.png")}));
    EXPECT_TRUE(takesDrag({chosenModel("drop.obj")}));

    std::unique_ptr<QMimeData> data(filesData({project, chosenImage("drop.png"), chosenModel("ship.obj")}));
    QDropEvent drop(QPointF(kNameX, rowMiddle(0)), Qt::CopyAction, data.get(), Qt::LeftButton, {});
    QApplication::sendEvent(panel.get(), &drop);
    EXPECT_TRUE(drop.isAccepted());
    EXPECT_EQ(rowNames(), (std::vector<QString>{"drop", "ship"}));
}

TEST_F(MaterialPanelTest, TheKeyboardSelectsRowsThatScreenReadersSee) {
    importTenTextures();
    QWidget* list = panel->listWidget();
    QAccessibleInterface* items = QAccessible::queryAccessibleInterface(list);
    ASSERT_NE(items, nullptr);
    EXPECT_EQ(items->role(), QAccessible::List);
    ASSERT_EQ(items->childCount(), 10); // the row widgets do not name the materials again
    EXPECT_EQ(items->child(4)->text(QAccessible::Name), "t4");
    EXPECT_FALSE(items->child(0)->state().selected);

    list->setFocus();
    QTest::keyClick(list, Qt::Key_Down); // nothing selected: the first row
    EXPECT_EQ(panel->selectedIndex(), 0);
    EXPECT_TRUE(items->child(0)->state().selected);
    QTest::keyClick(list, Qt::Key_End);
    EXPECT_EQ(panel->selectedIndex(), 9);
    EXPECT_TRUE(panel->rows()[9]->isSelected());
    // Scrolled so that the last row ends at the list's bottom.
    EXPECT_EQ(panel->rows()[9]->geometry().bottom(), Geometry::viewHeight(kPanelHeight) - 1);
    QTest::keyClick(list, Qt::Key_Down);
    EXPECT_EQ(panel->selectedIndex(), 9);

    items->child(2)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(panel->selectedIndex(), 2);
    QTest::keyClick(list, Qt::Key_Delete);
    EXPECT_EQ(panel->rows().size(), 9u);
    EXPECT_FALSE(fs::exists(g.workspace / "t2.png"));
}

TEST_F(MaterialPanelTest, ALongListScrollsWithTheWheel) {
    importTenTextures();
    OriginalScrollbar* bar = panel->scrollbar();
    ASSERT_TRUE(bar->isVisible());
    EXPECT_EQ(bar->geometry().topLeft(), QPoint(196, 38));

    QWheelEvent wheel(QPointF(kNameX, 100), panel->mapToGlobal(QPointF(kNameX, 100)), {}, QPoint(0, -120),
                      Qt::NoButton, {}, Qt::NoScrollPhase, false);
    QApplication::sendEvent(panel.get(), &wheel);
    EXPECT_EQ(panel->scrollOffset(), OriginalScrollbar::kWheelPixelsPerNotch);
    EXPECT_EQ(panel->rows()[2]->y(), 66 - OriginalScrollbar::kWheelPixelsPerNotch);

    // Row 3 spans list y 99..131, shown at panel y 89..121 after the 48-pixel scroll.
    clickAt(Geometry::kListTop + 99 - 48);
    EXPECT_EQ(panel->selectedIndex(), 3);
}

} // namespace
} // namespace vintrel
