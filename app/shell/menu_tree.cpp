#include "menu_tree.h"
#include "menu_names.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

namespace folivo {

const std::vector<MenuEntry>& MainMenuTree() {
    static const std::vector<MenuEntry> tree = {
        {0, menu::kFile, "ファイル(&F)", ""},
        {1, menu::kTwain, "TWAINデバイス", ""},
        {2, menu::kSorce, "ソースの選択", "Ctrl+S"},
        {2, "", "", ""},
        {2, menu::kScan, "読み取り", "Ctrl+R"},
        {2, menu::kClip, "クリップボードにコピー", "Ctrl+C"},
        {2, "", "", ""},
        {2, menu::kBook, "マルチページPDFの作成", "F5"},
        {1, "", "", ""},
        {1, menu::kSave, "名前を付けて保存", ""},
        {2, menu::kSaveBMP, "BMP形式", "Ctrl+B"},
        {2, "", "", ""},
        {2, menu::kSaveJPEG, "JPEG形式", "Ctrl+J"},
        {2, "", "", ""},
        {2, menu::kSavePDF, "PDF形式", "Ctrl+P"},
        {1, "", "", ""},
        {1, menu::kExit, "アプリケーションの終了", "Ctrl+X"},
        {0, menu::kView, "表示(&V)", ""},
        {1, menu::kDialogON, "スキャン時のダイアログの表示（ON）", ""},
        {1, menu::kDialogOFF, "スキャン時のダイアログの表示（OFF)", ""},
        {1, "", "", ""},
        {1, menu::kToolbar, "ツールバーの表示", ""},
        {0, menu::kSet, "設定(&S)", ""},
        {1, menu::kAuto, "自動保存設定(&A)", ""},
        {2, menu::kBMP, "BMP(&B)", ""},
        {2, "", "", ""},
        {2, menu::kJPEG, "JPEG(&J)", ""},
        {2, "", "", ""},
        {2, menu::kPDF, "PDF(&P)", ""},
        {1, "", "", ""},
        {1, menu::kCompress, "圧縮設定(&C)", ""},
        {2, menu::kJPEGSet, "JPEG(&J)", ""},
        {2, "", "", ""},
        {2, menu::kPDFSet, "PDF(&P)", ""},
        {0, menu::kHelp, "ヘルプ(&H)", ""},
        {1, menu::kMokuji, "目次(&C)", "F1"},
        {1, "", "", ""},
        {1, menu::kVersion, "バージョン情報(&V)", ""},
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
