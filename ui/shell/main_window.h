#pragma once

#include "model/global_state.h"
#include "platform/notifier.h"
#include "persist/workspace.h"
#include "ui/shell/control_window.h"
#include "ui/input/mouse_input.h"
#include "ui/shell/view_window.h"

#include <QMainWindow>

namespace vintrel {

class Simulation;

// Failures the user must see, shown in a message box over `parent`.
class MessageBoxNotifier final : public Notifier {
public:
    explicit MessageBoxNotifier(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }
    void showMessage(std::string_view caption, std::string_view text) override;

private:
    QWidget* parent_;
};

// The start-up question whether a crashed run's autosave is restored, as a Yes/No message box.
class MessageBoxRecoveryPrompt final : public RecoveryPrompt {
public:
    bool askRestore() override;
};

// The editor's main window: panels on the left and right, the info bar and the 3D view in the
// middle, a status strip along the bottom. The panels are empty placeholders for now.
class MainWindow final : public QMainWindow {
public:
    static constexpr int kDefaultWidth = 1280;
    static constexpr int kDefaultHeight = 800;

    MainWindow(GlobalState& g, Simulation& simulation, MouseInput& mouse, Notifier& notifier);

    ViewWindow& view() { return *view_; }
    ControlWindow& infoBar() { return *infoBar_; }
    // Shows the current file's name in the title bar.
    void updateTitle();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* placeholder(const QColor& color);
    void applyLayout();

    GlobalState& g_;
    QWidget* client_ = nullptr;
    QWidget* materialPanel_ = nullptr;
    QWidget* nodePanel_ = nullptr;
    QWidget* parameterPanel_ = nullptr;
    QWidget* statusStrip_ = nullptr;
    ControlWindow* infoBar_ = nullptr;
    ViewWindow* view_ = nullptr; // owned by its container
    QWidget* viewContainer_ = nullptr;
};

} // namespace vintrel
