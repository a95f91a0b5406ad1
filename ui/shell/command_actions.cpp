#include "ui/shell/command_actions.h"

#include <QAction>
#include <QCoreApplication>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

namespace vintrel {

namespace {

QString translated(const char* text) {
    return QCoreApplication::translate("Command", text);
}

} // namespace

CommandActions::CommandActions(QMainWindow& window) : QObject(&window) {
    std::map<MenuId, QMenu*> menus;
    for (const MenuSpec& spec : menuTable()) {
        menus[spec.id] = window.menuBar()->addMenu(translated(spec.title));
    }
    for (const CommandSpec& spec : commandTable()) {
        QMenu* menu = menus[spec.menu];
        if (spec.id == CommandId::Exit) {
            recentMenu_ = menu->addMenu(translated(kRecentFilesMenuTitle));
            menu->addSeparator();
        }
        auto* action = new QAction(translated(spec.text), &window);
        action->setObjectName(QStringLiteral("command%1").arg(static_cast<int>(spec.id)));
        action->setCheckable(spec.checkable);
        if (spec.accelerator != nullptr) {
            action->setShortcut(QKeySequence(QString::fromLatin1(spec.accelerator)));
        }
        menu->addAction(action);
        actions_[spec.id] = action;
    }
}

QAction* CommandActions::action(CommandId id) const {
    const auto it = actions_.find(id);
    return it != actions_.end() ? it->second : nullptr;
}

void CommandActions::setRecentFiles(const std::vector<std::string>& paths) {
    recentMenu_->clear();
    for (std::size_t slot = 0; slot < paths.size(); ++slot) {
        QAction* item = recentMenu_->addAction(QString::fromStdString(paths[slot]));
        // A path may hold "&": shown as it is, not as a mnemonic.
        item->setText(QString::fromStdString(paths[slot]).replace(QLatin1Char('&'), QStringLiteral("&&")));
        item->setObjectName(QStringLiteral("command%1").arg(kRecentFileCommandBase + static_cast<int>(slot)));
        const int index = static_cast<int>(slot);
        connect(item, &QAction::triggered, this, [this, index] { emit recentFileChosen(index); });
    }
}

} // namespace vintrel
