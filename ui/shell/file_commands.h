#pragma once

#include "persist/app_settings.h"
#include "ui/document/project_document.h"
#include "ui/shell/user_prompts.h"

#include <QObject>
#include <filesystem>
#include <optional>

namespace vintrel {

// What the running editor does to hand the user over to a fresh editor process (New, Open, a
// dropped file): it lets go of this run's workspace and instance lock and starts the program
// again, with the file or without one. False, with everything as it was, when the new process
// could not be started.
class SessionControl {
public:
    virtual ~SessionControl() = default;
    virtual bool handOver(const std::optional<std::filesystem::path>& file) = 0;
};

// The file commands of the main window: the save prompt, Save, Save As, New, Open, a dropped file
// and the recent files.
class FileCommands final : public QObject {
    Q_OBJECT

public:
    // `startFolder` is where the file dialogs start while the project has no file yet.
    FileCommands(ProjectDocument& document, RecentFiles& recent, UserPrompts& prompts, SessionControl& session,
                 std::filesystem::path startFolder, QObject* parent = nullptr);

    // The save prompt of a modified project: true when the command may go on (saved, or the
    // changes discarded). Cancel, a cancelled file dialog or a failed save stop the command, so
    // that no change is lost behind the user's back.
    bool settleUnsavedChanges();

    bool save();
    bool saveAs();
    void newProject();
    // File > New from library: the chosen starter effect replaces the project in this editor as
    // an untitled one (after the save prompt of a modified project); it is not a recent file.
    void newFromLibrary(const std::filesystem::path& libraryFolder);
    void open();
    void openDropped(const std::filesystem::path& file);
    void openRecent(int slot);

signals:
    void recentFilesChanged();
    // Emitted just before the hand-over, while this editor still has everything: the main window
    // stores its settings for the new process to read.
    void aboutToHandOver();
    // The new process has started; this editor closes without asking again.
    void handedOver();
    // A project was loaded into this editor.
    void projectOpened();

private:
    std::filesystem::path dialogFolder() const;
    void handOver(const std::optional<std::filesystem::path>& file);
    void handOverIfReadable(const std::filesystem::path& file);
    void rememberRecent(const std::filesystem::path& file);

    ProjectDocument& document_;
    RecentFiles& recent_;
    UserPrompts& prompts_;
    SessionControl& session_;
    std::filesystem::path startFolder_;
};

} // namespace vintrel
