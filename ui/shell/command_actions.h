#pragma once

#include "ui/shell/commands.h"

#include <QObject>
#include <map>
#include <string>
#include <vector>

class QAction;
class QMainWindow;
class QMenu;

namespace vintrel {

// The editor's commands as actions, made once from the command table: the menus, the picture
// buttons and the keys all run the same actions. Only the keys the table binds are shortcuts;
// while a text field has the focus, the field's own editing keys (Ctrl+A, C, V, Z) win, because
// a field claims them before any window shortcut is looked at.
class CommandActions final : public QObject {
    Q_OBJECT

public:
    // Builds the actions and the window's menu bar, with the recent-files submenu before the
    // exit command of the file menu.
    explicit CommandActions(QMainWindow& window);

    QAction* action(CommandId id) const;
    // The recent-files submenu's items: one per entry, with the full path as text.
    void setRecentFiles(const std::vector<std::string>& paths);
    QMenu* recentFilesMenu() const { return recentMenu_; }

signals:
    void recentFileChosen(int slot);

private:
    std::map<CommandId, QAction*> actions_;
    QMenu* recentMenu_ = nullptr;
};

} // namespace vintrel
