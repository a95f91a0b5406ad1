// The main window on Qt's off-screen platform: keys, title, the save prompt, recent files, drop,
// display toggles and the settings written on close. No OpenGL: the worker is never started.
#include "persist/package.h"
#include "persist/project_file.h"
#include "support/test_files.h"
#include "support/test_notifiers.h"
#include "support/test_projects.h"
#include "ui/dialogs/starter_library.h"
#include "ui/document/project_document.h"
#include "ui/shell/main_window.h"
#include "ui/shell/tab_window.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>
#include <QUrl>
#include <deque>
#include <gtest/gtest.h>
#include <map>

namespace vintrel {
namespace {

using test::TempDir;

// Answers the window's questions as a test script says, and counts them.
class ScriptedPrompts final : public UserPrompts {
public:
    SaveChoice askSaveChanges() override {
        ++saveQuestions;
        return saveAnswer;
    }
    bool askRemoveMissingRecent() override {
        ++removeQuestions;
        return removeAnswer;
    }
    std::optional<std::filesystem::path> askOpenPath(const std::filesystem::path&) override { return openPath; }
    std::optional<std::filesystem::path> askSavePath(const std::filesystem::path& suggested) override {
        suggestedSavePath = suggested;
        return savePath;
    }
    std::optional<QColor> askColor(const QColor& initial) override {
        colorInitials.push_back(initial);
        return color;
    }
    std::optional<std::filesystem::path> askBinaryExportPath(const std::filesystem::path&) override {
        return binaryPath;
    }
    std::optional<std::filesystem::path> askLibraryEffect(const std::filesystem::path& folder) override {
        libraryFolders.push_back(folder);
        return libraryChoice;
    }

    SaveChoice saveAnswer = SaveChoice::Cancel;
    bool removeAnswer = true;
    std::optional<std::filesystem::path> openPath;
    std::optional<std::filesystem::path> savePath;
    std::optional<QColor> color;
    std::optional<std::filesystem::path> binaryPath;
    std::optional<std::filesystem::path> libraryChoice;
    std::vector<std::filesystem::path> libraryFolders;
    std::filesystem::path suggestedSavePath;
    std::vector<QColor> colorInitials;
    int saveQuestions = 0;
    int removeQuestions = 0;
};

class RecordingSession final : public SessionControl {
public:
    bool handOver(const std::optional<std::filesystem::path>& file) override {
        handOvers.push_back(file);
        return succeeds;
    }
    std::vector<std::optional<std::filesystem::path>> handOvers;
    bool succeeds = false;
};

class MainWindowTest : public testing::Test {
protected:
    MainWindowTest() {
        test::startProject(g, dir.path() / "run");
        settings = std::make_unique<AppSettings>(dir.path() / "assets" / "data.prm");
        document = std::make_unique<ProjectDocument>(g, *settings, notifier);
        window = std::make_unique<MainWindow>(*document, *settings, mouse,
                                              MainWindow::Services{prompts, session, notifier}, dir.path());
        window->applyPlacement({0, 0, 1200, 720, false});
        window->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }

    QAction* action(CommandId id) { return window->commands().action(id); }

    // A project file that can be opened.
    std::filesystem::path writeProject(const char* name) {
        GlobalState other;
        test::startProject(other, dir.path() / (std::string(name) + "-run"));
        const std::filesystem::path file = dir.path() / name;
        test::FailingNotifier failing;
        EXPECT_TRUE(saveProject(other, file, failing));
        return file;
    }

    TempDir dir;
    GlobalState g;
    test::RecordingNotifier notifier;
    std::unique_ptr<AppSettings> settings;
    std::unique_ptr<ProjectDocument> document;
    MouseInput mouse;
    ScriptedPrompts prompts;
    RecordingSession session;
    std::unique_ptr<MainWindow> window;
};

// Every key the table binds runs its command; keys that the menus only show run nothing.
TEST_F(MainWindowTest, AcceleratorsRunTheirCommandsAndNoOthers) {
    std::map<QAction*, int> runs;
    for (const CommandSpec& spec : commandTable()) {
        QAction* a = action(spec.id);
        a->setEnabled(true); // undo and redo are greyed out with nothing to undo; the key is what counts
        // Only which command a key runs counts here, not what the command then does (most open
        // modal dialogs).
        a->disconnect();
        QObject::connect(a, &QAction::triggered, [&runs, a] { ++runs[a]; });
    }
    for (const CommandSpec& spec : commandTable()) {
        if (spec.accelerator == nullptr) {
            continue;
        }
        SCOPED_TRACE(spec.accelerator);
        runs.clear();
        const QKeySequence key(QString::fromLatin1(spec.accelerator));
        QTest::keySequence(window.get(), key);
        ASSERT_EQ(runs.size(), 1u);
        EXPECT_EQ(runs.begin()->first, action(spec.id));
    }
    for (const char* unbound : {"Ctrl+M", "Ctrl+Shift+S", "Alt+F4"}) {
        SCOPED_TRACE(unbound);
        runs.clear();
        QTest::keySequence(window.get(), QKeySequence(QString::fromLatin1(unbound)));
        EXPECT_TRUE(runs.empty());
    }
}

TEST_F(MainWindowTest, TextFieldKeepsItsOwnEditingKeys) {
    auto* field = new QLineEdit(QStringLiteral("frames"), window->client());
    field->show();
    field->setFocus();
    QSignalSpy saveAs(action(CommandId::SaveAs), &QAction::triggered);
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(saveAs.count(), 0);
    EXPECT_EQ(field->selectedText(), QStringLiteral("frames"));
}

TEST_F(MainWindowTest, TitleShowsTheFileAndAStarWhileModified) {
    EXPECT_EQ(window->windowTitle(), QStringLiteral("無題.stn - Vintrel"));
    document->setValue(memberId("m_kill.span"), 25);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("無題.stn* - Vintrel"));
    prompts.savePath = dir.path() / "effect.stn";
    action(CommandId::Save)->trigger(); // untitled: asks where, like Save As
    EXPECT_EQ(window->windowTitle(), QStringLiteral("effect.stn - Vintrel"));
    EXPECT_EQ(window->recentFiles().menuEntries().front(), (dir.path() / "effect.stn").string());
}

TEST_F(MainWindowTest, UndoAndRedoFromTheMenuChangeTheProject) {
    const int before = g.pSelNode->m_kill.span;
    EXPECT_FALSE(action(CommandId::Undo)->isEnabled());
    document->setValue(memberId("m_kill.span"), before + 5);
    ASSERT_TRUE(action(CommandId::Undo)->isEnabled());
    action(CommandId::Undo)->trigger();
    EXPECT_EQ(g.pSelNode->m_kill.span, before);
    EXPECT_TRUE(action(CommandId::Redo)->isEnabled());
    action(CommandId::Redo)->trigger();
    EXPECT_EQ(g.pSelNode->m_kill.span, before + 5);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("無題.stn* - Vintrel"));
}

TEST_F(MainWindowTest, ClosePromptCancelKeepsTheWindowAndNoClosesIt) {
    document->setValue(memberId("m_kill.span"), 3);
    prompts.saveAnswer = UserPrompts::SaveChoice::Cancel;
    EXPECT_FALSE(window->close());
    EXPECT_TRUE(window->isVisible());
    prompts.saveAnswer = UserPrompts::SaveChoice::Discard;
    EXPECT_TRUE(window->close());
    EXPECT_EQ(prompts.saveQuestions, 2);
}

// Yes saves first; a Save As that is cancelled keeps the window open, so nothing is lost.
TEST_F(MainWindowTest, ClosePromptYesSavesOrStaysWhenTheSaveIsCancelled) {
    document->setValue(memberId("m_kill.span"), 3);
    prompts.saveAnswer = UserPrompts::SaveChoice::Save;
    EXPECT_FALSE(window->close());
    prompts.savePath = dir.path() / "kept.stn";
    EXPECT_TRUE(window->close());
    EXPECT_TRUE(std::filesystem::exists(dir.path() / "kept.stn"));
    EXPECT_EQ(prompts.suggestedSavePath.filename().string(), GlobalState::kUntitledName);
}

TEST_F(MainWindowTest, NewAndOpenAskFirstAndHandOverToAFreshProcess) {
    document->setValue(memberId("m_kill.span"), 3);
    prompts.saveAnswer = UserPrompts::SaveChoice::Cancel;
    action(CommandId::New)->trigger();
    EXPECT_TRUE(session.handOvers.empty());

    prompts.saveAnswer = UserPrompts::SaveChoice::Discard;
    action(CommandId::New)->trigger();
    prompts.openPath = writeProject("other.stn");
    action(CommandId::Open)->trigger();
    ASSERT_EQ(session.handOvers.size(), 2u);
    EXPECT_FALSE(session.handOvers[0].has_value());
    EXPECT_EQ(session.handOvers[1], dir.path() / "other.stn");
    // The hand-over failed (this session says so): the window stays.
    EXPECT_TRUE(window->isVisible());

    session.succeeds = true;
    action(CommandId::Open)->trigger();
    EXPECT_FALSE(window->isVisible());
}

// A file that the new process could not open is refused before this project is given up: the
// message names it, and the project stays as it was.
TEST_F(MainWindowTest, OpenOfADamagedFileKeepsTheCurrentProject) {
    document->setValue(memberId("m_kill.span"), 3);
    prompts.saveAnswer = UserPrompts::SaveChoice::Discard;
    const std::filesystem::path damaged = dir.path() / "damaged.stn";
    test::writeFile(damaged, "SartuneData,6,1,fire.png,999,abc");
    prompts.openPath = damaged;
    action(CommandId::Open)->trigger();
    EXPECT_TRUE(session.handOvers.empty());
    ASSERT_EQ(notifier.messages.size(), 1u);
    EXPECT_NE(notifier.messages[0].second.find(kUnsupportedFileMessage), std::string::npos);
    EXPECT_NE(notifier.messages[0].second.find(damaged.string()), std::string::npos);
    EXPECT_EQ(g.pSelNode->m_kill.span, 3);
    EXPECT_TRUE(document->isModified());
    EXPECT_TRUE(window->isVisible());
}

TEST_F(MainWindowTest, DroppedFileOnAModifiedProjectAsksOnce) {
    document->setValue(memberId("m_kill.span"), 3);
    prompts.saveAnswer = UserPrompts::SaveChoice::Discard;
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(QString::fromStdString(writeProject("dropped.stn").string()))});
    const QPoint at = window->client()->geometry().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window.get(), &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent drop(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window.get(), &drop);
    QTest::qWait(10);
    EXPECT_EQ(prompts.saveQuestions, 1);
    ASSERT_EQ(session.handOvers.size(), 1u);
    EXPECT_EQ(session.handOvers[0], dir.path() / "dropped.stn");
}

TEST_F(MainWindowTest, MissingRecentFileIsRemovedOnYesAndKeptOnNo) {
    const std::string missing = (dir.path() / "gone.stn").string();
    const std::string other = (dir.path() / "other.stn").string();
    window->recentFiles().add(other);
    window->recentFiles().add(missing);
    prompts.removeAnswer = false;
    window->files().openRecent(0);
    EXPECT_EQ(window->recentFiles().menuEntries().size(), 2u);
    prompts.removeAnswer = true;
    window->files().openRecent(0);
    EXPECT_EQ(prompts.removeQuestions, 2);
    EXPECT_EQ(window->recentFiles().menuEntries(), std::vector<std::string>{other});
    EXPECT_EQ(window->commands().recentFilesMenu()->actions().size(), 1);
}

TEST_F(MainWindowTest, RecentFileLoadsIntoThisWindowAfterThePrompt) {
    GlobalState other;
    test::startProject(other, dir.path() / "other-run");
    other.pSelNode->m_kill.span = 123;
    const std::filesystem::path file = dir.path() / "recent.stn";
    ASSERT_TRUE(saveProject(other, file, notifier));
    window->recentFiles().add(file.string());
    document->setValue(memberId("m_kill.span"), 3);
    prompts.saveAnswer = UserPrompts::SaveChoice::Discard;
    window->files().openRecent(0);
    EXPECT_EQ(prompts.saveQuestions, 1);
    EXPECT_EQ(g.pSelNode->m_kill.span, 123);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("recent.stn - Vintrel"));
}

// A starter effect replaces the project in this window as an untitled, unmodified one: saving it
// asks for a name, so the library's file stays as it is, and it is no recent file. A cancelled
// choice asks nothing.
TEST_F(MainWindowTest, NewFromLibraryOpensTheChosenEffectUntitled) {
    document->setValue(memberId("m_kill.span"), 3);
    action(CommandId::NewFromLibrary)->trigger();
    EXPECT_EQ(prompts.saveQuestions, 0);
    EXPECT_EQ(g.pSelNode->m_kill.span, 3);
    ASSERT_EQ(prompts.libraryFolders.size(), 1u);
    EXPECT_EQ(prompts.libraryFolders[0], starterLibraryFolder(g.programFolder));

    GlobalState starter;
    test::startProject(starter, dir.path() / "starter-run");
    starter.pSelNode->m_kill.span = 77;
    const std::filesystem::path file = dir.path() / "library" / "starter.stn";
    std::filesystem::create_directories(file.parent_path());
    ASSERT_TRUE(saveProject(starter, file, notifier));
    const std::string bytes = test::readFile(file);
    prompts.libraryChoice = file;
    prompts.saveAnswer = UserPrompts::SaveChoice::Discard;
    action(CommandId::NewFromLibrary)->trigger();
    EXPECT_EQ(prompts.saveQuestions, 1);
    EXPECT_EQ(g.pSelNode->m_kill.span, 77);
    EXPECT_FALSE(document->hasFileName());
    EXPECT_FALSE(document->isModified());
    EXPECT_EQ(window->windowTitle(), QStringLiteral("無題.stn - Vintrel"));
    EXPECT_TRUE(window->recentFiles().menuEntries().empty());

    prompts.savePath = std::nullopt;
    action(CommandId::Save)->trigger();
    EXPECT_EQ(prompts.suggestedSavePath.filename(), std::filesystem::path("無題.stn"));
    EXPECT_EQ(test::readFile(file), bytes);
}

// Display > compare: one command at a time is checked, a second choice ends the split, and the
// saved side needs a file that can still be read (else a message and the split stays as it was).
TEST_F(MainWindowTest, CompareCommandsSplitTheViewOneAtATime) {
    using Mode = CompareView::Mode;
    QAction* nextSeed = action(CommandId::CompareNextSeed);
    QAction* saved = action(CommandId::CompareSavedFile);
    EXPECT_FALSE(saved->isEnabled()) << "an untitled project has no saved file";
    nextSeed->trigger();
    EXPECT_EQ(window->compareView().mode(), Mode::NextSeed);
    EXPECT_TRUE(nextSeed->isChecked());
    nextSeed->trigger();
    EXPECT_EQ(window->compareView().mode(), Mode::Off);
    EXPECT_FALSE(nextSeed->isChecked());

    prompts.savePath = dir.path() / "saved.stn";
    action(CommandId::Save)->trigger();
    ASSERT_TRUE(saved->isEnabled());
    nextSeed->trigger();
    saved->trigger();
    EXPECT_EQ(window->compareView().mode(), Mode::SavedFile);
    EXPECT_TRUE(saved->isChecked());
    EXPECT_FALSE(nextSeed->isChecked());

    nextSeed->trigger();
    std::filesystem::remove(dir.path() / "saved.stn");
    saved->trigger();
    EXPECT_FALSE(notifier.messages.empty());
    EXPECT_EQ(window->compareView().mode(), Mode::NextSeed);
    EXPECT_TRUE(nextSeed->isChecked());
    EXPECT_FALSE(saved->isChecked());
}

TEST_F(MainWindowTest, DisplayTogglesShowOnTheInfoBarAndAreWrittenOnClose) {
    EXPECT_TRUE(action(CommandId::ShowFrame)->isChecked()); // no data.prm: frame on, the others off
    EXPECT_FALSE(action(CommandId::ShowParticleCount)->isChecked());
    EXPECT_TRUE(action(CommandId::ShowGuide)->isChecked());
    EXPECT_TRUE(g.frameInputs().showGuide);
    action(CommandId::ShowParticleCount)->trigger();
    action(CommandId::ShowFrame)->trigger();
    action(CommandId::ShowGuide)->trigger();
    EXPECT_TRUE(window->infoBar().display().particles);
    EXPECT_FALSE(window->infoBar().display().frame);
    EXPECT_FALSE(g.frameInputs().showGuide) << "the view draws no guide";
    EXPECT_FALSE(document->isModified()) << "a display switch is not a change of the project";
    ASSERT_TRUE(window->close());

    const AppSettings written(dir.path() / "assets" / "data.prm");
    EXPECT_EQ(written.displayFrame(), 0);
    EXPECT_EQ(written.displayParticle(), 1);
    EXPECT_EQ(written.displayFps(), 0);
    EXPECT_EQ(written.displayGuide(), 0);
    EXPECT_EQ(written.windowWidth(), 1200);
    EXPECT_EQ(written.windowHeight(), 720);
    EXPECT_EQ(written.windowZoomed(), 0);
}

TEST_F(MainWindowTest, BackgroundChooserStartsFromTheProjectThenFromTheLastChoice) {
    document->setBackgroundColor(10, 20, 30);
    prompts.color = QColor(200, 100, 50);
    action(CommandId::BackgroundColor)->trigger();
    EXPECT_EQ(g.project.backColor.x, 200.0f);
    document->setBackgroundColor(1, 2, 3);
    action(CommandId::BackgroundColor)->trigger();
    ASSERT_EQ(prompts.colorInitials.size(), 2u);
    EXPECT_EQ(prompts.colorInitials[0], QColor(10, 20, 30));
    EXPECT_EQ(prompts.colorInitials[1], QColor(200, 100, 50));
}

// The panes take the rectangles of the layout; the short default window scrolls its parameter
// area, a tall one does not.
TEST_F(MainWindowTest, PanesFollowTheLayoutAndTheParameterScrollbarRule) {
    EXPECT_EQ(window->client()->size(), QSize(1200, 720));
    EXPECT_EQ(window->pane(Pane::Tab)->geometry(), QRect(934, 35, 266, 650));
    EXPECT_TRUE(window->tabWindow().scrollbarShown());
    EXPECT_EQ(window->pane(Pane::Status)->geometry(), QRect(0, 685, 1200, 35));
    window->applyPlacement({0, 0, 1200, 850, false});
    QTest::qWait(10);
    EXPECT_EQ(window->pane(Pane::Tab)->geometry(), QRect(948, 35, 252, 780));
    EXPECT_FALSE(window->tabWindow().scrollbarShown());
}

} // namespace
} // namespace vintrel

