#pragma once

#include "ui/controls/accessible_rows.h"
#include "ui/panels/material_operations.h"

#include <QImage>
#include <QWidget>
#include <array>
#include <filesystem>
#include <memory>
#include <optional>
#include <vector>

class QAbstractButton;

namespace vintrel {

class MaterialPrompts;
class MaterialRow;
class OriginalScrollbar;
class ProjectDocument;

// The material panel in the main window's material pane: the title strip, six command buttons
// (import, delete, save a copy, mirror left to right, mirror top to bottom, rotate clockwise)
// and the project's materials as 33-pixel rows with their thumbnails, scrolled by the editor's
// own scrollbar. A click selects a row; so do Up, Down, Home, End, Page Up and Page Down while the
// list has the focus (a click or Tab gives it), and Delete runs the delete command. Image and OBJ files dropped on the panel are imported;
// a drag that carries none of them is left to the window below (a project file dropped here
// opens as it does anywhere on the main window). Every change of the list goes through the
// document; the panel shows the list again whenever the document says it changed, with no row
// selected.
class MaterialPanel final : public QWidget, public AccessibleRowSource {
    Q_OBJECT

public:
    enum class Command { Import, Delete, SaveCopy, MirrorLeftRight, MirrorTopBottom, RotateClockwise };
    static constexpr std::array<Command, 6> kCommands = {
        Command::Import,          Command::Delete,          Command::SaveCopy,
        Command::MirrorLeftRight, Command::MirrorTopBottom, Command::RotateClockwise,
    };
    static constexpr int kFirstCommandId = 400; // the hint id of the first button

    MaterialPanel(ProjectDocument& document, QWidget* parent);
    ~MaterialPanel() override;

    // The prompts that choose files and show messages; by default dialogs over the main window.
    // The panel does not own `prompts`, which must outlive it.
    void setPrompts(MaterialPrompts& prompts);

    // Runs a button's command on the selected material (Import needs none).
    void runCommand(Command command);
    // Imports image and OBJ files; other files are ignored, unreadable ones reported by name.
    void importFiles(const std::vector<std::filesystem::path>& files);

    int selectedIndex() const { return selected_; }
    void select(int index);
    int scrollOffset() const { return offset_; }
    QAbstractButton* button(Command command) const;
    OriginalScrollbar* scrollbar() const { return scrollbar_; }
    // The row widgets in list order.
    const std::vector<MaterialRow*>& rows() const { return rows_; }
    // What takes the keyboard for the list, and what screen readers see as the list.
    QWidget* listWidget() const { return listClip_; }

    int accessibleRowCount() const override { return static_cast<int>(rows_.size()); }
    QString accessibleRowText(int row) const override;
    bool isAccessibleRowSelected(int row) const override { return row == selected_; }
    QRect accessibleRowRect(int row) const override;
    int accessibleFocusRow() const override { return selected_; }
    void pressAccessibleRow(int row) override { select(row); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void createButtons();
    void rebuildRows();
    QImage thumbnailOf(const Material& material) const;
    void layoutList();
    void placeRows();
    void createList();
    // The row `key` selects, or nothing for a key that does not move the selection.
    std::optional<int> rowAfterKey(int key) const;
    void scrollIntoSight(int row);
    void deleteSelected();
    void saveSelectedCopy();
    void transformSelected(TextureTransform transform);
    void reportImport(const ImportReport& report);
    void reportFailure(const QString& text, const Message& reason);

    ProjectDocument& document_;
    std::unique_ptr<MaterialPrompts> dialogPrompts_;
    MaterialPrompts* prompts_ = nullptr;
    QImage buttonArtwork_;
    QImage modelIcon_;
    std::array<QAbstractButton*, kCommands.size()> buttons_{};
    QWidget* listClip_ = nullptr;
    std::vector<MaterialRow*> rows_;
    OriginalScrollbar* scrollbar_ = nullptr;
    int selected_ = -1;
    int offset_ = 0;
};

} // namespace vintrel
