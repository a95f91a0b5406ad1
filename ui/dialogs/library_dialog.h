#pragma once

#include "ui/dialogs/starter_library.h"

#include <QDialog>
#include <QTimer>
#include <filesystem>
#include <optional>
#include <vector>

class QLabel;
class QListWidget;
class QPushButton;

namespace vintrel {

// File > New from library: the starter effects as a grid of their animated thumbnails, named in
// the interface language. Arrow keys move through the grid; Enter, a double click or "開く"
// chooses the effect under the selection.
class LibraryDialog final : public QDialog {
    Q_OBJECT

public:
    LibraryDialog(std::filesystem::path libraryFolder, QWidget* parent = nullptr);

    // The chosen effect's project file (after the dialog was accepted).
    std::optional<std::filesystem::path> chosenFile() const;
    // The grid, for tests: one item per effect whose project file is there.
    QListWidget* grid() const { return grid_; }
    // The note shown instead of effects when the library holds none; null otherwise.
    QLabel* missingNote() const { return missing_; }
    QPushButton* openButton() const { return open_; }
    // Every thumbnail one frame on (the timer's step).
    void advanceFrames();

private:
    struct Entry {
        const StarterEffect* effect;
        std::optional<Thumbnail> thumbnail;
        std::size_t frame = 0;
    };

    void addEntries();
    void showFrame(int row);

    std::filesystem::path folder_;
    QListWidget* grid_ = nullptr;
    QPushButton* open_ = nullptr;
    QLabel* missing_ = nullptr;
    std::vector<Entry> entries_;
    QTimer timer_;
};

} // namespace vintrel
