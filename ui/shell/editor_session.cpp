#include "ui/shell/editor_session.h"

#include "persist/materials.h"
#include "persist/project_file.h"
#include "platform/stream_notifier.h"
#include "ui/controls/ui_colors.h"
#include "ui/dialogs/export_runner.h"
#include "ui/dialogs/update_checker.h"
#include "ui/document/project_document.h"
#include "ui/hints/hint_tracker.h"
#include "ui/hints/status_window.h"
#include "ui/shell/main_window.h"
#include "ui/shell/window_placement.h"

#include <QApplication>
#include <QLocale>
#include <QMessageBox>
#include <QProcess>
#include <QScreen>
#include <QStandardPaths>
#include <iostream>
#include <unistd.h>
#include <vector>

namespace vintrel {

namespace {

constexpr const char* kCannotCreateWorkspace = "作業フォルダーを作れません。";
constexpr const char* kCannotStartProgram = "新しいウィンドウを開けません。";

std::vector<LayoutRect> screenRects() {
    std::vector<LayoutRect> rects;
    for (const QScreen* screen : QGuiApplication::screens()) {
        const QRect r = screen->geometry();
        rects.push_back({r.x(), r.y(), r.width(), r.height()});
    }
    return rects;
}

WindowPlacement storedPlacement(const AppSettings& settings) {
    return {settings.windowX(), settings.windowY(), settings.windowWidth(), settings.windowHeight(),
            settings.windowZoomed() != 0};
}

// The file dialogs of an untitled project start next to the program when that folder is the
// user's to write, otherwise in the user's documents.
std::filesystem::path dialogStartFolder(const std::filesystem::path& programFolder) {
    if (::access(programFolder.c_str(), W_OK) == 0) {
        return programFolder;
    }
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return documents.isEmpty() ? programFolder : std::filesystem::path(documents.toStdString());
}

bool isAutosaveFile(const std::filesystem::path& file) {
    return file.filename() == kAutosaveFileName;
}

} // namespace

ProcessLauncher detachedProcessLauncher() {
    return [](const QString& program, const QStringList& arguments) {
        return QProcess::startDetached(program, arguments);
    };
}

bool MessageBoxRecoveryPrompt::askRestore() {
    return QMessageBox::question(nullptr, QString::fromUtf8(Notifier::kDefaultCaption),
                                 QCoreApplication::translate("Prompt", kRestorePromptText),
                                 QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes) == QMessageBox::Yes;
}

QString unquotedPath(const QString& argument) {
    if (argument.size() >= 2 && argument.startsWith(QLatin1Char('"')) &&
        argument.endsWith(QLatin1Char('"'))) {
        return argument.mid(1, argument.size() - 2);
    }
    return argument;
}

EditorSession::EditorSession(std::filesystem::path programPath, ProcessLauncher launcher)
    : programPath_(std::move(programPath)), launcher_(std::move(launcher)) {}

EditorSession::~EditorSession() {
    shutDown();
}

int EditorSession::run(QApplication& app, const Options& options) {
    options_ = options;
    options_.file = unquotedPath(options.file);
    const std::filesystem::path programFolder = programPath_.parent_path();
    folders_ = chooseSettingsFolders(programFolder);
    // Before the first window or message box: they are made in the chosen language.
    const InterfaceLanguage language = chooseInterfaceLanguage(
        options_.language, AppSettings(folders_.assets / kAppSettingsFileName).interfaceLanguage(),
        QLocale::system().name().toStdString());
    installInterfaceLanguage(app, language);
    if (unattended()) {
        notifier_ = std::make_unique<StreamNotifier>(std::cerr);
    } else {
        notifier_ = std::make_unique<MessageBoxNotifier>();
    }

    // Only an interactive start without a file offers to restore a crashed run's autosave; an
    // unattended run leaves other runs' folders alone.
    std::optional<std::filesystem::path> restore;
    if (options_.file.isEmpty() && !unattended()) {
        MessageBoxRecoveryPrompt prompt;
        restore = checkRecovery(folders_.workspaceRoot, prompt);
    }
    lock_.emplace(folders_.workspaceRoot);
    // The user's own colours where the settings live, else the ones installed with the program.
    std::filesystem::path colors = folders_.assets / kInterfaceColorsFileName;
    if (!std::filesystem::exists(colors)) {
        colors = shippedFile(programFolder, "share/vintrel", kInterfaceColorsFileName);
    }
    setUiColors(loadInterfaceColors(colors));
    applyDarkLook(app);
    settings_ = std::make_unique<AppSettings>(folders_.assets / kAppSettingsFileName);

    g_ = std::make_unique<GlobalState>();
    g_->programFolder = programFolder;
    resetProject(*g_, *settings_);
    g_->workspace = createRunWorkspace(folders_.workspaceRoot);
    if (g_->workspace.empty()) {
        notifier_->show(Notifier::kDefaultCaption, Message{kCannotCreateWorkspace});
        return 1;
    }
    applyStartValues(*g_, *settings_);
    g_->materials = scanMaterials(g_->workspace);

    document_ = std::make_unique<ProjectDocument>(*g_, *settings_, *notifier_);
    prompts_ = std::make_unique<DialogPrompts>(nullptr);
    window_ = std::make_unique<MainWindow>(*document_, *settings_, mouse_,
                                           MainWindow::Services{*prompts_, *this, *notifier_},
                                           dialogStartFolder(programFolder));
    prompts_->setParent(window_.get());
    window_->setUnattended(unattended());
    if (auto* boxes = dynamic_cast<MessageBoxNotifier*>(notifier_.get())) {
        boxes->setParent(window_.get());
    }
    // The tracker belongs to the strip and goes with the window.
    app.installEventFilter(new HintTracker(window_->statusStrip()));

    int exitCode = 0;
    ViewWindow& view = window_->view();
    QObject::connect(&view, &ViewWindow::rendererFailed, &app, [&](const QString&) {
        if (unattended()) {
            exitCode = 1;
            app.quit();
        }
    });
    if (unattended()) {
        view.requestScreenshot(options_.screenshot, options_.afterFrames);
        QObject::connect(&view, &ViewWindow::screenshotDone, &app, [&](bool saved) {
            exitCode = saved ? 0 : 1;
            app.quit();
        });
    }
    if (Status context = view.createContext(); !context) {
        // Without OpenGL there is no view to edit in.
        notifier_->show(Notifier::kDefaultCaption, context.error());
        return 1;
    }

    const WindowPlacement placement = placeOnScreens(storedPlacement(*settings_), screenRects());
    window_->applyPlacement(placement);
    window_->show();
    // Without a file, the published version is asked for once the window shows; the answer
    // comes when it comes, and no answer at all changes nothing.
    if (options_.file.isEmpty() && !unattended()) {
        window_->updateChecker().checkSilently();
    }
    loadStartFile(restore);
    startWorker();
    const int appCode = app.exec();
    shutDown();
    return exitCode != 0 ? exitCode : appCode;
}

// A file that cannot be opened has been reported and leaves the new, untitled project.
void EditorSession::loadStartFile(const std::optional<std::filesystem::path>& restore) {
    const std::optional<std::filesystem::path> file =
        !options_.file.isEmpty() ? std::optional(std::filesystem::path(options_.file.toStdString()))
                                 : restore;
    if (!file || !document_->load(*file)) {
        return;
    }
    if (isAutosaveFile(*file)) {
        document_->adoptRestoredAutosave(*file);
    }
}

void EditorSession::startWorker() {
    ViewWindow& view = window_->view();
    g_->cameraHandover.request(g_->viewCamera);
    MainWindow& window = *window_;
    document_->attachWorker({[&view] { view.drawFrame(); }, [&window] { window.exportRunner().runPass(); }});
    document_->resetView();
}

// The worker stops before the view's graphics go, and the workspace goes last.
void EditorSession::shutDown() {
    if (document_) {
        document_->stopWorker();
        document_->autosaver().waitIdle();
    }
    if (window_) {
        window_->view().releaseGraphics();
    }
    window_.reset();
    document_.reset();
    if (g_ && !g_->workspace.empty()) {
        discardWorkspace(g_->workspace);
        g_->workspace.clear();
    }
    lock_.reset();
}

bool EditorSession::handOver(const std::optional<std::filesystem::path>& file) {
    document_->stopWorker();
    document_->autosaver().waitIdle();
    QStringList arguments;
    if (options_.language) {
        arguments << QStringLiteral("--lang")
                  << QString::fromLatin1(*options_.language == InterfaceLanguage::English ? "en" : "ja");
    }
    if (file) {
        arguments << QString::fromStdString(file->string());
    }
    const QString program = QString::fromStdString(programPath_.string());
    if (!handOverRun(lock_, folders_.workspaceRoot, g_->workspace,
                     [&] { return launcher_(program, arguments); })) {
        document_->resetView();
        notifier_->show(Notifier::kDefaultCaption, Message{kCannotStartProgram});
        return false;
    }
    g_->workspace.clear();
    return true;
}

} // namespace vintrel
