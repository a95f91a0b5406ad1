#pragma once

#include <QColor>
#include <QString>
#include <filesystem>
#include <optional>

class QWidget;

namespace vintrel {

// The questions and file choosers the editor's commands ask the user. The editor shows message
// boxes and file dialogs; the tests answer for the user.
class UserPrompts {
public:
    enum class SaveChoice { Save, Discard, Cancel };

    virtual ~UserPrompts() = default;
    // "データが変更されています。\n保存しますか？" with Yes, No and Cancel.
    virtual SaveChoice askSaveChanges() = 0;
    // A recent file is missing: remove it from the list?
    virtual bool askRemoveMissingRecent() = 0;
    // The project to open; nothing when cancelled.
    virtual std::optional<std::filesystem::path> askOpenPath(const std::filesystem::path& folder) = 0;
    // Where to save; nothing when cancelled. `suggested` is the initial file, whose folder the
    // dialog starts in.
    virtual std::optional<std::filesystem::path> askSavePath(const std::filesystem::path& suggested) = 0;
    // The background colour; nothing when cancelled.
    virtual std::optional<QColor> askColor(const QColor& initial) = 0;
    // Where to write the binary export; nothing when cancelled.
    virtual std::optional<std::filesystem::path> askBinaryExportPath(const std::filesystem::path& folder) = 0;
    // A starter effect of the library in `libraryFolder`: its project file; nothing when
    // cancelled.
    virtual std::optional<std::filesystem::path> askLibraryEffect(const std::filesystem::path& libraryFolder) {
        (void)libraryFolder;
        return std::nullopt;
    }
};

// The prompts as dialogs over `parent`.
class DialogPrompts final : public UserPrompts {
public:
    explicit DialogPrompts(QWidget* parent) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }
    SaveChoice askSaveChanges() override;
    bool askRemoveMissingRecent() override;
    std::optional<std::filesystem::path> askOpenPath(const std::filesystem::path& folder) override;
    std::optional<std::filesystem::path> askSavePath(const std::filesystem::path& suggested) override;
    std::optional<QColor> askColor(const QColor& initial) override;
    std::optional<std::filesystem::path> askBinaryExportPath(const std::filesystem::path& folder) override;
    std::optional<std::filesystem::path> askLibraryEffect(const std::filesystem::path& libraryFolder) override;

private:
    QWidget* parent_;
};

// The file filter of the open and save dialogs.
QString projectFileFilter();

} // namespace vintrel
