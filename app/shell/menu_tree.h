#pragma once
// The main window's menu bar as data: item names, captions ("&" marks the access key)
// and shortcuts, in display order. An entry without a name is a separator line.
// An entry followed by deeper entries is a submenu.
#include <QHash>
#include <QString>
#include <vector>

class QAction;
class QMenu;
class QMenuBar;

namespace folivo {

struct MenuEntry {
    int depth = 0;
    QString name;
    QString caption;
    QString shortcut; // portable text form, e.g. "Ctrl+S"
};

const std::vector<MenuEntry>& MainMenuTree();

struct BuiltMenus {
    QHash<QString, QAction*> actions; // every named entry; submenus by their menu action
    QHash<QString, QMenu*> menus;     // submenus only
};

// Fills the menu bar from the entries; objectNames of actions and menus are the names.
BuiltMenus BuildMenus(QMenuBar* bar, const std::vector<MenuEntry>& entries);

} // namespace folivo
