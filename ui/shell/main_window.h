#pragma once

#include "persist/app_settings.h"
#include "platform/notifier.h"
#include "ui/document/project_document.h"
#include "ui/input/mouse_input.h"
#include "ui/shell/backdrop_display.h"
#include "ui/shell/command_actions.h"
#include "ui/shell/compare_view.h"
#include "ui/shell/control_window.h"
#include "ui/shell/file_commands.h"
#include "ui/shell/layout.h"
#include "ui/shell/user_prompts.h"
#include "ui/shell/view_window.h"
#include "ui/shell/window_placement.h"

#include <QColor>
#include <QDialog>
#include <QMainWindow>
#include <QPointer>
#include <QTimer>
#include <array>
#include <functional>
#include <memory>
#include <optional>

namespace vintrel {

class ExportPrompts;
class OnlinePrompts;
class UpdateChecker;
class ExportRunner;
class ParameterArea;
class PictureButtonBar;
class StatusWindow;
class TabWindow;

// Failures the user must see, shown in a message box over `parent`.
class MessageBoxNotifier final : public Notifier {
public:
    explicit MessageBoxNotifier(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }
    void show(std::string_view caption, const Message& message) override;

private:
    QWidget* parent_;
};

// "effect.stn* - Vintrel": the file's name, a star while the project is modified, the program.
QString mainWindowTitle(const QString& fileName, bool modified);

// The six panes of the main window's client area, in the order the editor keeps them.
enum class Pane { Material, Node, Tab, Status, View, Control };

// The editor's main window: the menus and the picture buttons over the six panes (material and
// node panels on the left, the info bar and the 3D view in the middle, the parameter area on the
// right, the hint strip along the bottom). It runs the application-level commands and asks
// before a modified project is closed or replaced.
class MainWindow final : public QMainWindow {
    Q_OBJECT

public:
    struct Services {
        UserPrompts& prompts;
        SessionControl& session;
        Notifier& notifier;
        ExportPrompts* exportPrompts = nullptr; // null: dialogs
        OnlinePrompts* onlinePrompts = nullptr; // null: dialogs
    };

    static constexpr int kAutosaveIntervalMs = 60'000;

    // `startFolder` is where the file dialogs start for an untitled project.
    MainWindow(ProjectDocument& document, AppSettings& settings, MouseInput& mouse, Services services,
               std::filesystem::path startFolder);
    ~MainWindow() override;

    ViewWindow& view() { return *view_; }
    ControlWindow& infoBar() { return *infoBar_; }
    StatusWindow& statusStrip() { return *statusStrip_; }
    TabWindow& tabWindow() { return *tabWindow_; }
    ParameterArea& parameters() { return *parameters_; }
    ExportRunner& exportRunner() { return *exportRunner_; }
    UpdateChecker& updateChecker() { return *updateChecker_; }
    // The export dialog, modal; the export it starts runs on.
    void showExportDialog();
    void playLatestExport();
    // The binary export: asks where, then writes the records and copies the textures.
    void exportBinaryFile();
    void frameTheEffect();
    QWidget* pane(Pane which) const { return panes_[static_cast<std::size_t>(which)]; }
    CommandActions& commands() { return *commands_; }
    FileCommands& files() { return *files_; }
    RecentFiles& recentFiles() { return recent_; }
    CompareView& compareView() { return *compare_; }
    // The client area (below the menu bar) that the panes share.
    QWidget* client() const { return client_; }

    // Size and position from the settings, moved onto a screen; shown maximised when it was.
    void applyPlacement(const WindowPlacement& placement);
    // Stores the window placement, the display flags and the recent files into the settings and
    // writes them. The hand-over and the close call it, unless the window only runs unattended
    // (a screenshot), which leaves the user's settings alone.
    void storeSettings();
    void setUnattended(bool unattended) { unattended_ = unattended; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createPanes(MouseInput& mouse, Notifier& notifier);
    void connectCommands();
    void connectDocument();
    void applyLayout();
    void updateTitle();
    void updateEditCommands();
    void updateDisplay();
    void chooseBackgroundColor();
    void chooseBackdrop();
    void toggleComparison(CompareView::Mode mode);
    void updateCompareCommands();
    void refreshRecentMenu();
    void showModeless(QPointer<QDialog>& dialog, const std::function<QDialog*()>& make);

    ProjectDocument& document_;
    AppSettings& settings_;
    UserPrompts& prompts_;
    RecentFiles recent_;
    CommandActions* commands_ = nullptr;
    FileCommands* files_ = nullptr;
    QWidget* client_ = nullptr;
    PictureButtonBar* buttons_ = nullptr;
    std::array<QWidget*, 6> panes_{};
    StatusWindow* statusStrip_ = nullptr;
    TabWindow* tabWindow_ = nullptr;
    ParameterArea* parameters_ = nullptr;
    std::unique_ptr<ExportPrompts> ownExportPrompts_;
    ExportPrompts* exportPrompts_ = nullptr;
    ExportRunner* exportRunner_ = nullptr;
    std::unique_ptr<OnlinePrompts> ownOnlinePrompts_;
    OnlinePrompts* onlinePrompts_ = nullptr;
    UpdateChecker* updateChecker_ = nullptr;
    Notifier& notifier_;
    std::filesystem::path startFolder_;
    QPointer<QDialog> historyList_;
    QPointer<QDialog> viewList_;
    QPointer<QWidget> flipbook_; // the playback of the latest export, while open
    ControlWindow* infoBar_ = nullptr;
    ViewWindow* view_ = nullptr; // owned by its container, panes_[View]
    QTimer autosaveTimer_;
    std::optional<QColor> lastBackgroundColor_;
    std::unique_ptr<BackdropDisplay> backdrop_;
    CompareView* compare_ = nullptr;
    bool handedOver_ = false;
    bool unattended_ = false;
};

} // namespace vintrel
