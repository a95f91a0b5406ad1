#pragma once

#include "persist/app_settings.h"
#include "persist/workspace.h"
#include "platform/notifier.h"
#include "ui/input/mouse_input.h"
#include "ui/shell/file_commands.h"
#include "ui/shell/interface_language.h"

#include <QString>
#include <QStringList>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>

class QApplication;

namespace vintrel {

class DialogPrompts;
class MainWindow;
class ProjectDocument;

// Starts a program detached from this process; false when it could not be started.
using ProcessLauncher = std::function<bool(const QString& program, const QStringList& arguments)>;
ProcessLauncher detachedProcessLauncher();

// The start-up question whether a crashed run's autosave is restored, as a Yes/No message box.
class MessageBoxRecoveryPrompt final : public RecoveryPrompt {
public:
    bool askRestore() override;
};

// One run of the editor from start-up to shut-down: the settings folders, the crash recovery,
// the instance lock, this run's workspace, the document, the main window and the worker, and the
// hand-over to a fresh process for New, Open and a dropped file.
class EditorSession final : public SessionControl {
public:
    struct Options {
        QString file;               // the project to open; surrounding double quotes are removed
        QString screenshot;         // unattended: save the view after `afterFrames` frames, then quit
        int afterFrames = 1;
        std::optional<InterfaceLanguage> language; // --lang; otherwise the setting or the system's
    };

    EditorSession(std::filesystem::path programPath, ProcessLauncher launcher = detachedProcessLauncher());
    ~EditorSession() override;

    // Runs the editor; the process's exit code.
    int run(QApplication& app, const Options& options);

    // SessionControl: lets go of the workspace and the lock and starts the program again.
    bool handOver(const std::optional<std::filesystem::path>& file) override;

private:
    bool unattended() const { return !options_.screenshot.isEmpty(); }
    void loadStartFile(const std::optional<std::filesystem::path>& restore);
    void startWorker();
    void shutDown();

    std::filesystem::path programPath_;
    ProcessLauncher launcher_;
    Options options_;
    SettingsFolders folders_;
    std::unique_ptr<AppSettings> settings_;
    std::optional<InstanceLock> lock_;
    std::unique_ptr<GlobalState> g_;
    std::unique_ptr<Notifier> notifier_;
    std::unique_ptr<ProjectDocument> document_;
    std::unique_ptr<DialogPrompts> prompts_;
    MouseInput mouse_;
    std::unique_ptr<MainWindow> window_;
};

// The file named on the command line, without the double quotes a shell link may have left
// around it.
QString unquotedPath(const QString& argument);

} // namespace vintrel
