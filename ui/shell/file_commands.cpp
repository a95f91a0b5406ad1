#include "ui/shell/file_commands.h"

#include "model/global_state.h"

#include <system_error>

namespace vintrel {

FileCommands::FileCommands(ProjectDocument& document, RecentFiles& recent, UserPrompts& prompts,
                           SessionControl& session, std::filesystem::path startFolder, QObject* parent)
    : QObject(parent), document_(document), recent_(recent), prompts_(prompts), session_(session),
      startFolder_(std::move(startFolder)) {}

bool FileCommands::settleUnsavedChanges() {
    if (!document_.isModified()) {
        return true;
    }
    switch (prompts_.askSaveChanges()) {
    case UserPrompts::SaveChoice::Save:
        return save();
    case UserPrompts::SaveChoice::Discard:
        return true;
    case UserPrompts::SaveChoice::Cancel:
        return false;
    }
    return false;
}

bool FileCommands::save() {
    if (!document_.hasFileName()) {
        return saveAs();
    }
    const std::filesystem::path file = document_.filePath();
    if (!document_.save(file)) {
        return false;
    }
    rememberRecent(file);
    return true;
}

bool FileCommands::saveAs() {
    // No autosave starts while the dialog is open.
    document_.autosaver().waitIdle();
    document_.setAutosaveGuard(true);
    const std::filesystem::path suggested =
        document_.hasFileName() ? document_.filePath() : dialogFolder() / document_.fileName().toStdString();
    const std::optional<std::filesystem::path> file = prompts_.askSavePath(suggested);
    if (!file) {
        document_.setAutosaveGuard(false);
        return false;
    }
    const bool saved = document_.save(*file);
    document_.setAutosaveGuard(false);
    if (saved) {
        rememberRecent(*file);
    }
    return saved;
}

void FileCommands::newProject() {
    if (settleUnsavedChanges()) {
        handOver(std::nullopt);
    }
}

// The effect is chosen first: cancelling the grid leaves the project as it was, unasked.
void FileCommands::newFromLibrary(const std::filesystem::path& libraryFolder) {
    const std::optional<std::filesystem::path> file = prompts_.askLibraryEffect(libraryFolder);
    if (file && settleUnsavedChanges() && document_.loadAsUntitled(*file)) {
        emit projectOpened();
    }
}

void FileCommands::open() {
    if (!settleUnsavedChanges()) {
        return;
    }
    if (const std::optional<std::filesystem::path> file = prompts_.askOpenPath(dialogFolder())) {
        handOverIfReadable(*file);
    }
}

void FileCommands::openDropped(const std::filesystem::path& file) {
    if (settleUnsavedChanges()) {
        handOverIfReadable(file);
    }
}

// A file the new process could not open would leave the user with an empty editor and the
// current project closed: it is checked here, reported, and this project stays.
void FileCommands::handOverIfReadable(const std::filesystem::path& file) {
    if (document_.canOpen(file)) {
        handOver(file);
    }
}

void FileCommands::openRecent(int slot) {
    const std::vector<std::string> entries = recent_.menuEntries();
    if (slot < 0 || slot >= static_cast<int>(entries.size())) {
        return;
    }
    const std::string path = entries[static_cast<std::size_t>(slot)];
    if (!settleUnsavedChanges()) {
        return;
    }
    std::error_code ec;
    if (std::filesystem::is_regular_file(std::filesystem::path(path), ec)) {
        if (document_.load(path)) {
            rememberRecent(path);
            emit projectOpened();
        }
        return;
    }
    if (prompts_.askRemoveMissingRecent() && recent_.remove(path)) {
        emit recentFilesChanged();
    }
}

std::filesystem::path FileCommands::dialogFolder() const {
    return document_.hasFileName() ? document_.filePath().parent_path() : startFolder_;
}

void FileCommands::handOver(const std::optional<std::filesystem::path>& file) {
    emit aboutToHandOver();
    if (session_.handOver(file)) {
        emit handedOver();
    }
}

void FileCommands::rememberRecent(const std::filesystem::path& file) {
    recent_.add(file.string());
    emit recentFilesChanged();
}

} // namespace vintrel
