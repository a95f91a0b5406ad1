// vintrel [FILE.stn] [--screenshot OUT.png --after-frames N]: the editor.

#include "engine/simulation.h"
#include "engine/worker.h"
#include "persist/app_settings.h"
#include "persist/project_file.h"
#include "platform/stream_notifier.h"
#include "persist/workspace.h"
#include "ui/shell/main_window.h"

#include <QApplication>
#include <QCommandLineParser>
#include <cstdio>
#include <iostream>
#include <optional>

namespace vintrel {
namespace {

struct Options {
    QString file;
    QString screenshot;
    int afterFrames = 1;
};

std::optional<Options> parseOptions(const QApplication& app) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Vintrel particle-effect editor"));
    parser.addHelpOption();
    const QCommandLineOption screenshot(QStringLiteral("screenshot"),
                                        QStringLiteral("Save the view as a PNG file, then quit."),
                                        QStringLiteral("OUT.png"));
    const QCommandLineOption after(QStringLiteral("after-frames"),
                                   QStringLiteral("Take the screenshot after N view frames (default 1)."),
                                   QStringLiteral("N"), QStringLiteral("1"));
    parser.addOption(screenshot);
    parser.addOption(after);
    parser.addPositionalArgument(QStringLiteral("FILE.stn"), QStringLiteral("The project to open."));
    parser.process(app);
    Options options;
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1) {
        std::fprintf(stderr, "vintrel: only one file can be opened\n");
        return std::nullopt;
    }
    if (!files.isEmpty()) {
        options.file = files.front();
    }
    options.screenshot = parser.value(screenshot);
    bool ok = false;
    options.afterFrames = parser.value(after).toInt(&ok);
    if (!ok || options.afterFrames < 1) {
        std::fprintf(stderr, "vintrel: --after-frames needs a whole number of frames, 1 or more\n");
        return std::nullopt;
    }
    return options;
}

// The project the editor starts with: the defaults of new projects, then the given file, or
// the autosave the user chose to restore (which stays untitled and unsaved).
void openStartProject(GlobalState& g, const AppSettings& settings, const Options& options,
                      const std::optional<std::filesystem::path>& restore, Notifier& notifier) {
    resetProject(g, settings);
    applyStartValues(g, settings);
    if (!options.file.isEmpty()) {
        // A file that cannot be opened is reported by loadProject and leaves the fresh project.
        loadProject(g, options.file.toStdString(), settings, notifier);
    } else if (restore && loadProject(g, *restore, settings, notifier)) {
        g.currentFile = GlobalState::kUntitledName;
        g.hasFileName = false;
        g.modified = true;
    }
}

int runEditor(QApplication& app, const Options& options) {
    const bool unattended = !options.screenshot.isEmpty();
    const std::filesystem::path programFolder = programFolderOfThisProcess();
    const SettingsFolders folders = chooseSettingsFolders(programFolder);
    AppSettings settings(folders.assets / kAppSettingsFileName);
    MessageBoxNotifier boxes;
    StreamNotifier console(std::cerr);
    Notifier& notifier = unattended ? static_cast<Notifier&>(console) : boxes;

    // Only an interactive start without a file offers to restore a crashed run's autosave; an
    // unattended run leaves other runs' folders alone.
    std::optional<std::filesystem::path> restore;
    if (options.file.isEmpty() && !unattended) {
        MessageBoxRecoveryPrompt prompt;
        restore = checkRecovery(folders.workspaceRoot, prompt);
    }
    const InstanceLock lock(folders.workspaceRoot);
    GlobalState g;
    g.programFolder = programFolder;
    g.workspace = createRunWorkspace(folders.workspaceRoot);
    if (g.workspace.empty()) {
        notifier.showMessage(Notifier::kDefaultCaption, "作業フォルダーを作れません。");
        return 1;
    }
    openStartProject(g, settings, options, restore, notifier);

    Simulation simulation(g);
    simulation.reset();
    MouseInput mouse;
    MainWindow window(g, simulation, mouse, notifier);
    boxes.setParent(&window);
    window.infoBar().setDisplay(
        {settings.displayFrame() != 0, settings.displayParticle() != 0, settings.displayFps() != 0});
    ViewWindow& view = window.view();

    int exitCode = 0;
    QObject::connect(&view, &ViewWindow::rendererFailed, &app, [&](const QString&) {
        if (unattended) {
            exitCode = 1;
            app.quit();
        }
    });
    if (unattended) {
        view.requestScreenshot(options.screenshot, options.afterFrames);
        QObject::connect(&view, &ViewWindow::screenshotDone, &app, [&](bool saved) {
            exitCode = saved ? 0 : 1;
            app.quit();
        });
    }
    QString contextError;
    if (!view.createContext(&contextError)) {
        notifier.showMessage(Notifier::kDefaultCaption, contextError.toStdString());
        if (unattended) {
            discardWorkspace(g.workspace);
            return 1;
        }
    }

    SimulationWorker worker(g, simulation, systemFrameTime(), {[&view] { view.drawFrame(); }, {}});
    window.show();
    worker.start();
    const int appCode = app.exec();
    worker.stop(std::chrono::milliseconds(0));
    view.releaseGraphics();
    discardWorkspace(g.workspace);
    return exitCode != 0 ? exitCode : appCode;
}

} // namespace
} // namespace vintrel

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vintrel"));
    const auto options = vintrel::parseOptions(app);
    if (!options) {
        return 2;
    }
    return vintrel::runEditor(app, *options);
}
