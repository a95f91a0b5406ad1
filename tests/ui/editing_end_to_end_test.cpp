// A small effect made only through the panels of the running editor (on a virtual X server, with
// the worker drawing the view), saved, and read back by vintrel-cli; then undone back to the
// start.
#include "support/test_files.h"
#include "support/test_notifiers.h"
#include "support/test_projects.h"
#include "ui/controls/numeric_field.h"
#include "ui/dialogs/export_dialog.h"
#include "ui/dialogs/export_prompts.h"
#include "ui/dialogs/export_runner.h"
#include "ui/dialogs/flipbook_preview.h"
#include "ui/document/project_document.h"
#include "ui/panels/curve_picture.h"
#include "ui/panels/graph_zoom_popup.h"
#include "ui/panels/material_panel.h"
#include "ui/panels/node_list_view.h"
#include "ui/panels/node_panel.h"
#include "ui/panels/parameter_area.h"
#include "ui/panels/parameter_panel.h"
#include "ui/panels/parameter_tab_bar.h"
#include "ui/shell/main_window.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QImage>
#include <QInputMethodEvent>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QMouseEvent>
#include <QProcess>
#include <QProgressDialog>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace vintrel {
namespace {

using test::TempDir;

class SavingPrompts final : public UserPrompts {
public:
    SaveChoice askSaveChanges() override { return SaveChoice::Discard; }
    bool askRemoveMissingRecent() override { return false; }
    std::optional<std::filesystem::path> askOpenPath(const std::filesystem::path&) override { return {}; }
    std::optional<std::filesystem::path> askSavePath(const std::filesystem::path&) override {
        return savePath;
    }
    std::optional<QColor> askColor(const QColor&) override { return {}; }
    std::optional<std::filesystem::path> askBinaryExportPath(const std::filesystem::path&) override {
        return {};
    }
    std::filesystem::path savePath;
};

class ExportTo final : public ExportPrompts {
public:
    std::optional<QColor> askGlowColor(const QColor&) override { return {}; }
    std::optional<std::filesystem::path> askOutputPath(int) override { return output; }
    void showProblem(const QString& caption, const QString& text) override {
        ADD_FAILURE() << caption.toStdString() << ": " << text.toStdString();
    }
    std::filesystem::path output;
};

class NoHandOver final : public SessionControl {
public:
    bool handOver(const std::optional<std::filesystem::path>&) override { return false; }
};

QJsonObject projectInfo(const std::filesystem::path& file) {
    QProcess cli;
    cli.start(QStringLiteral(VINTREL_CLI_PATH),
              {QStringLiteral("info"), QString::fromStdString(file.string())});
    EXPECT_TRUE(cli.waitForFinished(60000));
    EXPECT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString();
    return QJsonDocument::fromJson(cli.readAllStandardOutput()).object();
}

// Replaces a number field's text by typing, as a user selects it and types over it.
void typeInto(NumericField* field, const QString& text) {
    ASSERT_NE(field, nullptr);
    field->setFocus();
    field->selectAll();
    QTest::keyClicks(field, text);
}

class EditingEndToEnd : public testing::Test {
protected:
    EditingEndToEnd() {
        test::startProject(g, dir.path() / "run");
        settings = std::make_unique<AppSettings>(dir.path() / "assets" / "data.prm");
        document = std::make_unique<ProjectDocument>(g, *settings, notifier);
        window = std::make_unique<MainWindow>(*document, *settings, mouse,
                                              MainWindow::Services{prompts, session, notifier, &exporting},
                                              dir.path());
        window->applyPlacement({0, 0, 1200, 800, false});
        window->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        if (window->view().createContext()) {
            ViewWindow& view = window->view();
            ExportRunner& runner = window->exportRunner();
            document->attachWorker({[&view] { view.drawFrame(); }, [&runner] { runner.runPass(); }});
            document->resetView();
        }
    }
    ~EditingEndToEnd() override {
        document->stopWorker();
        window->view().releaseGraphics();
    }

    NodePanel& nodePanel() { return *static_cast<NodePanel*>(window->pane(Pane::Node)); }
    ParameterArea& parameters() { return window->parameters(); }
    void openTab(int tab) { QTest::mouseClick(parameters().tabBar()->button(tab), Qt::LeftButton); }
    template <typename W> W* control(int id) { return qobject_cast<W*>(parameters().panel()->control(id)); }

    // vintrel-cli's export of a saved project into `output`, read back.
    QImage exportedByCli(const std::filesystem::path& project, const std::filesystem::path& output) {
        QProcess cli;
        cli.start(QStringLiteral(VINTREL_CLI_PATH),
                  {QStringLiteral("export"), QString::fromStdString(project.string()), QStringLiteral("-o"),
                   QString::fromStdString(output.string())});
        EXPECT_TRUE(cli.waitForFinished(180000));
        EXPECT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString();
        return QImage(QString::fromStdString(output.string())).convertToFormat(QImage::Format_ARGB32);
    }

    std::filesystem::path save(const std::string& name) {
        prompts.savePath = dir.path() / name;
        EXPECT_TRUE(window->files().saveAs());
        return prompts.savePath;
    }

    TempDir dir;
    GlobalState g;
    test::RecordingNotifier notifier;
    std::unique_ptr<AppSettings> settings;
    std::unique_ptr<ProjectDocument> document;
    MouseInput mouse;
    SavingPrompts prompts;
    ExportTo exporting;
    NoHandOver session;
    std::unique_ptr<MainWindow> window;
};

TEST_F(EditingEndToEnd, SmallEffectMadeThroughThePanelsSavesExactlyThoseValues) {
    const QJsonObject start = projectInfo(save("start.stn"));

    // A child of the first node.
    QTest::mouseClick(nodePanel().button(TreeEditor::AddChild), Qt::LeftButton);
    ASSERT_EQ(g.rootNode->child(0)->m_children.size(), 1u);

    // Its lifetime and count.
    openTab(kKillTab);
    typeInto(control<NumericField>(1158), QStringLiteral("45"));
    openTab(kTimingTab);
    typeInto(control<NumericField>(1185), QStringLiteral("3"));

    // A point in the middle of its red curve, a quarter down from the top.
    openTab(kColorTab);
    QTest::mouseClick(parameters().panel()->control(1263), Qt::LeftButton);
    GraphZoomPopup* popup = parameters().curveEditor();
    ASSERT_NE(popup, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(popup));
    const int inset = GraphZoomPopup::kPictureInset;
    const QSize area = popup->picture()->size();
    const QPoint at(inset + (area.width() - 8) / 2, inset + (area.height() - 8) / 4);
    // The popup takes presses only after it has seen the mouse move. QTest::mouseMove goes
    // through the X server, whose event may come after the press on a busy machine: the move is
    // delivered directly instead.
    QMouseEvent move(QEvent::MouseMove, QPointF(at), QPointF(popup->mapToGlobal(at)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(popup, &move);
    QTest::mousePress(popup, Qt::LeftButton, {}, at);
    QTest::mouseRelease(popup, Qt::LeftButton, {}, at);
    ASSERT_EQ(g.pSelNode->graph(5).pointCount(), 3);

    // Its name: a click on the selected row opens the field.
    NodeListView* list = nodePanel().listView();
    const QRect row = list->visualRect(list->model()->index(1, 0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row.center());
    QLineEdit* field = nodePanel().renameField();
    ASSERT_NE(field, nullptr);
    field->selectAll();
    // Japanese comes in through the input method, committed as a whole.
    QInputMethodEvent commit;
    commit.setCommitString(QStringLiteral("火の粉"));
    QApplication::sendEvent(field, &commit);
    QTest::keyClick(field, Qt::Key_Return);
    // The list closes its field once the key has been handled.
    QTest::qWait(50);
    EXPECT_EQ(nodePanel().renameField(), nullptr);

    const QJsonObject made = projectInfo(save("made.stn"));
    const QJsonObject child = made["nodes"].toArray()[0].toObject()["children"].toArray()[0].toObject();
    EXPECT_EQ(child["m_name"].toString(), QStringLiteral("火の粉"));
    EXPECT_EQ(child["m_kill.span"].toInt(), 45);
    EXPECT_EQ(child["m_timing.num"].toInt(), 3);
    const QJsonArray red = child["graphs"].toArray()[5].toArray();
    ASSERT_EQ(red.size(), 3);
    EXPECT_NEAR(red[1].toArray()[0].toDouble(), 50.0, 1.0);
    EXPECT_NEAR(red[1].toArray()[1].toDouble(), 25.0, 1.0);
    // Nothing else of the first node changed.
    QJsonObject first = made["nodes"].toArray()[0].toObject();
    first.remove(QStringLiteral("children"));
    QJsonObject firstAtStart = start["nodes"].toArray()[0].toObject();
    firstAtStart.remove(QStringLiteral("children"));
    EXPECT_EQ(first, firstAtStart);

    // Undo, from the menu, back to the start.
    QAction* undo = window->commands().action(CommandId::Undo);
    for (int guard = 0; guard < 20 && undo->isEnabled(); ++guard) {
        undo->trigger();
    }
    const QJsonObject undone = projectInfo(save("undone.stn"));
    EXPECT_EQ(undone["nodes"], start["nodes"]);
    EXPECT_EQ(undone["project"], start["project"]);
    EXPECT_TRUE(notifier.messages.empty());
}

// A texture imported through the material panel, given to the node in the texture tab, and
// frames 1..10 exported as a sheet through the export dialog: the sheet is the one vintrel-cli
// exports from the saved project, pixel for pixel.
TEST_F(EditingEndToEnd, SheetExportedFromTheDialogEqualsTheCommandLinesExport) {
    QImage stripes(32, 16, QImage::Format_ARGB32);
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 32; ++x) {
            stripes.setPixel(x, y, x < 16 ? qRgba(255, 120, 20, 255) : qRgba(40, 200, 255, 160));
        }
    }
    const std::filesystem::path png = dir.path() / "stripes.png";
    ASSERT_TRUE(stripes.save(QString::fromStdString(png.string())));
    static_cast<MaterialPanel*>(window->pane(Pane::Material))->importFiles({png});
    ASSERT_EQ(g.materials.size(), 1u);

    openTab(kTextureTab);
    auto* textures = qobject_cast<QComboBox*>(parameters().panel()->control(1003));
    ASSERT_NE(textures, nullptr);
    ASSERT_EQ(textures->count(), 2);
    emit textures->activated(1);
    ASSERT_EQ(g.pSelNode->m_texture.ID, 0);
    openTab(kTimingTab);
    typeInto(control<NumericField>(1185), QStringLiteral("4"));

    exporting.output = dir.path() / "editor-sheet.png";
    // The newer options go with the export: the data file and the motion sheet.
    g.exportExtras.atlas = AtlasFormat::TexturePackerHash;
    g.exportExtras.channels = kColorOnly | channelBit(ExportChannel::Motion);
    QAction* play = window->commands().action(CommandId::PlayExport);
    EXPECT_FALSE(play->isEnabled()) << "nothing exported yet";
    QSignalSpy finished(&window->exportRunner(), &ExportRunner::finished);
    {
        ExportDialog dialog(*document, window->exportRunner(), exporting, window.get());
        typeInto(dialog.field(1011), QStringLiteral("1"));
        typeInto(dialog.field(1017), QStringLiteral("10"));
        typeInto(dialog.field(1023), QStringLiteral("1"));
        typeInto(dialog.field(1047), QStringLiteral("5"));
        emit dialog.typeList()->activated(0);
        ASSERT_TRUE(dialog.acceptAndExport());
    }
    ASSERT_TRUE(finished.count() == 1 || finished.wait(180000));
    ASSERT_EQ(finished.front().at(1).toString(), QString::fromStdString(exporting.output.string()));
    const QImage fromCli = exportedByCli(save("exported.stn"), dir.path() / "cli-sheet.png");

    const QImage fromEditor(QString::fromStdString(exporting.output.string()));
    ASSERT_FALSE(fromEditor.isNull());
    EXPECT_EQ(fromEditor.size(), QSize(5 * 128, 2 * 128));
    EXPECT_EQ(fromEditor.convertToFormat(QImage::Format_ARGB32), fromCli);
    EXPECT_TRUE(std::filesystem::exists(dir.path() / "editor-sheet.json"));
    EXPECT_EQ(QImage(QString::fromStdString((dir.path() / "editor-sheet_motion.png").string())).size(),
              fromEditor.size());
    EXPECT_TRUE(notifier.messages.empty());

    // The frames just exported play in the playback preview, at the output size.
    ASSERT_TRUE(play->isEnabled());
    const std::optional<FlipbookSource>& frames = window->exportRunner().lastFlipbook();
    ASSERT_TRUE(frames.has_value());
    EXPECT_EQ(frames->lastIndex, 9);
    EXPECT_EQ(frames->size, QSize(128, 128));
    EXPECT_GT(frames->motionStrength, 0.0f);
    FlipbookPreview preview(*frames, Qt::black, nullptr);
    ASSERT_TRUE(preview.hasFrames());
    EXPECT_EQ(preview.blendList()->currentIndex(), static_cast<int>(FlipbookBlend::Motion));
    EXPECT_EQ(preview.picture().size(), QSize(128, 128));
}

// A camera moved away from the default and held by the view: the editor's export of a frame
// equals vintrel-cli's export of the saved project, for cameras on every side.
TEST_F(EditingEndToEnd, ExportWithAMovedCameraEqualsTheCommandLinesExport) {
    g.pSelNode->m_emitter.pos = {2.5f, 1.5f, 1.0f};
    const ViewCameraPose cameras[] = {
        {{6, 4, -6}, {0, 2, 0}}, {{-8, 3, 5}, {1, 0, -1}}, {{2, 9, -3}, {0, 0, 0}}};
    for (const ViewCameraPose& camera : cameras) {
        SCOPED_TRACE(camera.eye.x);
        document->requestViewCamera(camera);
        // The view has drawn with it once it publishes it back.
        const auto shown = [&] {
            const std::optional<ViewCameraPose> current = g.cameraHandover.current();
            return current && current->eye.x == camera.eye.x && current->target.x == camera.target.x;
        };
        for (int waited = 0; waited < 20000 && !shown(); waited += 20) {
            QTest::qWait(20);
        }
        ASSERT_TRUE(shown());
        exporting.output = dir.path() / "editor-frame.png";
        QSignalSpy finished(&window->exportRunner(), &ExportRunner::finished);
        {
            ExportDialog dialog(*document, window->exportRunner(), exporting, window.get());
            typeInto(dialog.field(1011), QStringLiteral("20"));
            typeInto(dialog.field(1017), QStringLiteral("20"));
            emit dialog.typeList()->activated(0);
            ASSERT_TRUE(dialog.acceptAndExport());
        }
        ASSERT_TRUE(finished.count() == 1 || finished.wait(180000));
        const QImage fromCli = exportedByCli(save("camera.stn"), dir.path() / "cli-frame.png");
        const QImage fromEditor(QString::fromStdString(exporting.output.string()));
        ASSERT_FALSE(fromEditor.isNull());
        EXPECT_EQ(fromEditor.convertToFormat(QImage::Format_ARGB32), fromCli);
    }
    EXPECT_TRUE(notifier.messages.empty());
}

// "テスト" in the export dialog: the worker draws the preview still of the settings as they
// stand, and the dialog shows it at the project's size; the project keeps its size.
TEST_F(EditingEndToEnd, TheDialogsTestDrawsThePreviewStill) {
    ExportDialog dialog(*document, window->exportRunner(), exporting, window.get());
    QSignalSpy ready(&window->exportRunner(), &ExportRunner::previewReady);
    typeInto(dialog.field(1089), QStringLiteral("3")); // smoothing
    QTest::mouseClick(dialog.testButton(), Qt::LeftButton);
    ASSERT_TRUE(ready.count() == 1 || ready.wait(60000));
    const QString file = ready.front().at(0).toString();
    ASSERT_FALSE(file.isEmpty());
    EXPECT_EQ(QImage(file).size(), QSize(384, 384)) << "drawn at three times the project's size";
    EXPECT_EQ(ready.front().at(1).toInt(), 128);
    EXPECT_EQ(g.project.width, 128);
    ASSERT_NE(dialog.previewWindow(), nullptr);
    EXPECT_TRUE(dialog.previewWindow()->isVisible());
    EXPECT_FALSE(document->workerRunning()) << "the worker stays stopped while the dialog is open";
    EXPECT_TRUE(notifier.messages.empty());
    dialog.previewWindow()->close();
}

QProgressDialog* exportProgressWindow() {
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* progress = qobject_cast<QProgressDialog*>(w);
            progress != nullptr && progress->isVisible()) {
            return progress;
        }
    }
    return nullptr;
}

// Enter pressed while the frames are drawn does not stop the export; "中断" does, and says so.
TEST_F(EditingEndToEnd, EnterDoesNotStopTheExportAndAStoppedExportSaysSo) {
    exporting.output = dir.path() / "long.png";
    const auto startLongExport = [&] {
        ExportDialog dialog(*document, window->exportRunner(), exporting, window.get());
        typeInto(dialog.field(1011), QStringLiteral("1"));
        typeInto(dialog.field(1017), QStringLiteral("60"));
        emit dialog.typeList()->activated(0);
        return dialog.acceptAndExport();
    };
    QSignalSpy finished(&window->exportRunner(), &ExportRunner::finished);
    ASSERT_TRUE(startLongExport());
    QProgressDialog* progress = exportProgressWindow();
    ASSERT_NE(progress, nullptr);
    QTest::keyClick(progress, Qt::Key_Return);
    QTest::keyClick(progress, Qt::Key_Enter);
    ASSERT_TRUE(finished.count() == 1 || finished.wait(300000));
    EXPECT_EQ(finished.front().front().value<ExportRun::Outcome>(), ExportRun::Outcome::Completed);
    EXPECT_TRUE(notifier.messages.empty());

    finished.clear();
    ASSERT_TRUE(startLongExport());
    progress = exportProgressWindow();
    ASSERT_NE(progress, nullptr);
    auto* stop = progress->findChild<QAbstractButton*>();
    ASSERT_NE(stop, nullptr);
    EXPECT_EQ(stop->text(), QStringLiteral("中断"));
    QTest::mouseClick(stop, Qt::LeftButton);
    ASSERT_TRUE(finished.count() == 1 || finished.wait(300000));
    EXPECT_EQ(finished.front().front().value<ExportRun::Outcome>(), ExportRun::Outcome::Cancelled);
    ASSERT_EQ(notifier.messages.size(), 1u);
    EXPECT_EQ(notifier.messages.front().second, "書き出しを中断しました。");
}

} // namespace
} // namespace vintrel

// Runs on the X server tests/support/with_xvfb.sh starts for it.
int main(int argc, char** argv) {
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
