#include "menu_tree.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

namespace folivo {

const std::vector<MenuEntry>& MainMenuTree() {
    static const std::vector<MenuEntry> tree = {
        {0, "menuFile", "ファイル(&F)", ""},
        {1, "menuTwain", "TWAINデバイス", ""},
        {2, "menuSorce", "ソースの選択", "Ctrl+S"},
        {2, "", "", ""},
        {2, "menuScan", "読み取り", "Ctrl+R"},
        {2, "menuClip", "クリップボードにコピー", "Ctrl+C"},
        {2, "", "", ""},
        {2, "menuBook", "マルチページPDFの作成", "F5"},
        {1, "", "", ""},
        {1, "menuSave", "名前を付けて保存", ""},
        {2, "menuSaveBMP", "BMP形式", "Ctrl+B"},
        {2, "", "", ""},
        {2, "menuSaveJPEG", "JPEG形式", "Ctrl+J"},
        {2, "", "", ""},
        {2, "menuSavePDF", "PDF形式", "Ctrl+P"},
        {1, "", "", ""},
        {1, "menuExit", "アプリケーションの終了", "Ctrl+X"},
        {0, "menuView", "表示(&V)", ""},
        {1, "menuDialogON", "スキャン時のダイアログの表示（ON）", ""},
        {1, "menuDialogOFF", "スキャン時のダイアログの表示（OFF)", ""},
        {1, "", "", ""},
        {1, "menuToolbar", "ツールバーの表示", ""},
        {0, "menuSet", "設定(&S)", ""},
        {1, "menuAuto", "自動保存設定(&A)", ""},
        {2, "menuBMP", "BMP(&B)", ""},
        {2, "", "", ""},
        {2, "menuJPEG", "JPEG(&J)", ""},
        {2, "", "", ""},
        {2, "menuPDF", "PDF(&P)", ""},
        {1, "", "", ""},
        {1, "menuCompress", "圧縮設定(&C)", ""},
        {2, "menuJPEGSet", "JPEG(&J)", ""},
        {2, "", "", ""},
        {2, "menuPDFSet", "PDF(&P)", ""},
        {0, "menuHelp", "ヘルプ(&H)", ""},
        {1, "menuMokuji", "目次(&C)", "F1"},
        {1, "", "", ""},
        {1, "menuVersion", "バージョン情報(&V)", ""},
    };
    return tree;
}

BuiltMenus BuildMenus(QMenuBar* bar, const std::vector<MenuEntry>& entries) {
    BuiltMenus built;
    std::vector<QMenu*> open; // open[d] is the menu that takes entries of depth d + 1
    for (size_t i = 0; i < entries.size(); ++i) {
        const MenuEntry& entry = entries[i];
        // Entries deeper than the menus opened so far have no parent; they are dropped.
        if (entry.depth < 0 || entry.depth > static_cast<int>(open.size()))
            continue;
        open.resize(static_cast<size_t>(entry.depth));
        QMenu* parent = open.empty() ? nullptr : open.back();
        const bool isSubmenu =
            i + 1 < entries.size() && entries[i + 1].depth > entry.depth && !entry.name.isEmpty();
        if (entry.name.isEmpty()) {
            if (parent)
                parent->addSeparator();
            else
                bar->addSeparator();
        } else if (isSubmenu) {
            QMenu* menu = parent ? parent->addMenu(entry.caption) : bar->addMenu(entry.caption);
            menu->setObjectName(entry.name);
            menu->menuAction()->setObjectName(entry.name);
            built.menus.insert(entry.name, menu);
            built.actions.insert(entry.name, menu->menuAction());
            open.push_back(menu);
        } else {
            QAction* action =
                parent ? parent->addAction(entry.caption) : bar->addAction(entry.caption);
            action->setObjectName(entry.name);
            if (!entry.shortcut.isEmpty())
                action->setShortcut(QKeySequence(entry.shortcut, QKeySequence::PortableText));
            built.actions.insert(entry.name, action);
        }
    }
    return built;
}

} // namespace folivo
