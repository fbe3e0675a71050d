// Menu tree, command dispatch, enabled states, status line and shutdown.
#include "main_window_fixture.h"

#include <QCloseEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

using namespace folivo;
using namespace folivo::test;

namespace {

struct MenuRow {
    const char* parent; // "" for the menu bar
    const char* name;   // "-" for a separator
    const char* caption;
    const char* shortcut;
};

// The menu bar as the user sees it, menu by menu in display order.
const MenuRow kMenuRows[] = {
    {"", "menuFile", "ファイル(&F)", ""},
    {"", "menuView", "表示(&V)", ""},
    {"", "menuSet", "設定(&S)", ""},
    {"", "menuHelp", "ヘルプ(&H)", ""},
    {"menuFile", "menuTwain", "TWAINデバイス", ""},
    {"menuFile", "-", "", ""},
    {"menuFile", "menuSave", "名前を付けて保存", ""},
    {"menuFile", "-", "", ""},
    {"menuFile", "menuExit", "アプリケーションの終了", "Ctrl+X"},
    {"menuTwain", "menuSorce", "ソースの選択", "Ctrl+S"},
    {"menuTwain", "-", "", ""},
    {"menuTwain", "menuScan", "読み取り", "Ctrl+R"},
    {"menuTwain", "menuClip", "クリップボードにコピー", "Ctrl+C"},
    {"menuTwain", "-", "", ""},
    {"menuTwain", "menuBook", "マルチページPDFの作成", "F5"},
    {"menuSave", "menuSaveBMP", "BMP形式", "Ctrl+B"},
    {"menuSave", "-", "", ""},
    {"menuSave", "menuSaveJPEG", "JPEG形式", "Ctrl+J"},
    {"menuSave", "-", "", ""},
    {"menuSave", "menuSavePDF", "PDF形式", "Ctrl+P"},
    {"menuView", "menuDialogON", "スキャン時のダイアログの表示（ON）", ""},
    {"menuView", "menuDialogOFF", "スキャン時のダイアログの表示（OFF)", ""},
    {"menuView", "-", "", ""},
    {"menuView", "menuToolbar", "ツールバーの表示", ""},
    {"menuSet", "menuAuto", "自動保存設定(&A)", ""},
    {"menuSet", "-", "", ""},
    {"menuSet", "menuCompress", "圧縮設定(&C)", ""},
    {"menuAuto", "menuBMP", "BMP(&B)", ""},
    {"menuAuto", "-", "", ""},
    {"menuAuto", "menuJPEG", "JPEG(&J)", ""},
    {"menuAuto", "-", "", ""},
    {"menuAuto", "menuPDF", "PDF(&P)", ""},
    {"menuCompress", "menuJPEGSet", "JPEG(&J)", ""},
    {"menuCompress", "-", "", ""},
    {"menuCompress", "menuPDFSet", "PDF(&P)", ""},
    {"menuHelp", "menuMokuji", "目次(&C)", "F1"},
    {"menuHelp", "-", "", ""},
    {"menuHelp", "menuVersion", "バージョン情報(&V)", ""},
};

QList<QAction*> ItemsOf(const MainWindow& window, const QString& parent) {
    return parent.isEmpty() ? window.menuBar()->actions() : window.menu(parent)->actions();
}

} // namespace

TEST_F(MainWindowTest, MenuTreeHasEveryItemWithCaptionShortcutAndPlace) {
    auto window = makeWindow();
    QHash<QString, int> position;
    for (const MenuRow& row : kMenuRows) {
        const QString parent = QString::fromUtf8(row.parent);
        const int index = position[parent]++;
        const QList<QAction*> items = ItemsOf(*window, parent);
        ASSERT_LT(index, items.size()) << row.parent << " " << row.name;
        QAction* item = items[index];
        if (QByteArray(row.name) == "-") {
            EXPECT_TRUE(item->isSeparator()) << row.parent << " #" << index;
            continue;
        }
        EXPECT_EQ(item->objectName(), QString::fromUtf8(row.name));
        EXPECT_EQ(item->text(), QString::fromUtf8(row.caption)) << row.name;
        EXPECT_EQ(item->shortcut(), QKeySequence(QString::fromUtf8(row.shortcut))) << row.name;
        EXPECT_EQ(window->action(QString::fromUtf8(row.name)), item) << row.name;
        EXPECT_FALSE(item->isChecked()) << row.name;
    }
    for (auto it = position.cbegin(); it != position.cend(); ++it)
        EXPECT_EQ(ItemsOf(*window, it.key()).size(), it.value()) << it.key().toStdString();
    EXPECT_EQ(window->menu("menuTwain")->objectName(), "menuTwain");
    EXPECT_EQ(window->menu("menuScan"), nullptr);
    EXPECT_EQ(window->action("menuNothing"), nullptr);
}

TEST_F(MainWindowTest, ScannerDialogCaptionsKeepTheirMixedBrackets) {
    auto window = makeWindow();
    const QString on = window->action("menuDialogON")->text();
    const QString off = window->action("menuDialogOFF")->text();
    EXPECT_EQ(on.right(4), QString(QChar(0xFF08)) + "ON" + QChar(0xFF09));
    EXPECT_EQ(off.right(5), QString(QChar(0xFF08)) + "OFF)");
}

TEST_F(MainWindowTest, ItemsRunTheirCommandsAndItemsWithoutOneDoNothing) {
    auto window = startWindow();
    QStringList ran;
    window->setCommand("menuScan", [&] { ran << "scan"; });
    window->setCommand("menuBMP", [&] { ran << "bmp"; });
    window->action("menuScan")->trigger();
    window->action("menuVersion")->trigger(); // nothing wired: nothing happens
    window->runCommand("menuBMP");
    window->setCommand("menuScan", [&] { ran << "scan2"; });
    window->action("menuScan")->trigger();
    window->setCommand("menuScan", nullptr);
    window->action("menuScan")->trigger();
    EXPECT_EQ(ran, QStringList({"scan", "bmp", "scan2"}));
    EXPECT_FALSE(window->hasCommand("menuScan"));
    EXPECT_TRUE(window->hasCommand("menuBMP"));
}

TEST_F(MainWindowTest, SourceAndClipboardItemsCallTheScannerLibrary) {
    auto window = startWindow();
    scanner.queueImage(QImage(3, 3, QImage::Format_RGB32));
    window->action("menuSorce")->trigger();
    window->action("menuClip")->trigger();
    EXPECT_EQ(scanner.selectCalls, 1);
    EXPECT_EQ(scanner.clipboardAcquisitions, 1);
    EXPECT_EQ(scanner.queuedImages(), 0);
}

TEST_F(MainWindowTest, ShortcutsRunCommandsOnlyWhileEnabled) {
    auto window = startWindow();
    int scans = 0, pdfs = 0;
    window->setCommand("menuScan", [&] { ++scans; });
    window->setCommand("menuBook", [&] { ++pdfs; });
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    QTest::keyClick(window.get(), Qt::Key_R, Qt::ControlModifier);
    QTest::keyClick(window.get(), Qt::Key_F5);
    EXPECT_EQ(scans, 1);
    EXPECT_EQ(pdfs, 1);
    window->setScannerCommandsEnabled(false);
    QTest::keyClick(window.get(), Qt::Key_R, Qt::ControlModifier);
    QTest::keyClick(window.get(), Qt::Key_F5);
    EXPECT_EQ(scans, 1);
    EXPECT_EQ(pdfs, 1);
    QTest::keyClick(window.get(), Qt::Key_X, Qt::ControlModifier);
    EXPECT_FALSE(window->isVisible()) << "Ctrl+X closes the program";
}

TEST_F(MainWindowTest, SaveAndScannerSwitchesCoverMenusAndAddedControls) {
    auto window = startWindow();
    QWidget zkBMP, zkScan;
    auto* gone = new QWidget;
    window->addSaveControl(&zkBMP);
    window->addSaveControl(gone);
    window->addScannerControl(&zkScan);
    delete gone; // a control that went away is skipped
    window->setSaveCommandsEnabled(true);
    for (const char* item : {"menuSave", "menuSaveBMP", "menuSaveJPEG", "menuSavePDF"})
        EXPECT_TRUE(enabled(*window, item)) << item;
    EXPECT_TRUE(zkBMP.isEnabled());
    window->setSaveCommandsEnabled(false);
    EXPECT_FALSE(enabled(*window, "menuSavePDF"));
    EXPECT_FALSE(zkBMP.isEnabled());
    EXPECT_TRUE(zkScan.isEnabled()) << "save switch leaves scanner controls alone";
    window->setScannerCommandsEnabled(false);
    for (const char* item : {"menuTwain", "menuSorce", "menuBook", "menuView", "menuToolbar"})
        EXPECT_FALSE(enabled(*window, item)) << item;
    EXPECT_FALSE(zkScan.isEnabled());
    EXPECT_TRUE(enabled(*window, "menuAuto"));
    EXPECT_TRUE(enabled(*window, "menuExit"));
}

TEST_F(MainWindowTest, SetStatusReplacesTheWholeLine) {
    auto window = startWindow();
    window->SetStatus("first message that is rather long");
    window->SetStatus("second");
    EXPECT_EQ(window->statusText(), "second");
    EXPECT_EQ(window->findChild<QLineEdit*>("TextStatus")->text(), "second");
}

TEST_F(MainWindowTest, ShowMessageShowsTheBoxThenPutsItsTitleIntoTheStatusLine) {
    auto window = startWindow();
    window->SetStatus("before");
    QString statusDuringBox;
    boxes.onShow = [&](const ShownMessage&) { statusDuringBox = window->statusText(); };
    window->ShowMessage("Title", "Prompt\r\nline 2");
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].prompt, "Prompt\r\nline 2");
    EXPECT_EQ(statusDuringBox, "before");
    EXPECT_EQ(window->statusText(), "Title");
}

TEST_F(MainWindowTest, StatusLineIsReadOnlyAndHandsFocusToThePreview) {
    auto window = startWindow();
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    auto* status = window->findChild<QLineEdit*>("TextStatus");
    ASSERT_NE(status, nullptr);
    EXPECT_TRUE(status->isReadOnly());
    QTest::mouseClick(status, Qt::LeftButton);
    status->setFocus(Qt::MouseFocusReason);
    EXPECT_FALSE(status->hasFocus());
    EXPECT_TRUE(window->findChild<QWidget*>("VS")->hasFocus());
}

TEST_F(MainWindowTest, CheckMarksMoveOnlyThroughTheirCommands) {
    auto window = startWindow();
    window->setCommand("menuToolbar", nullptr);
    window->action("menuToolbar")->trigger();
    EXPECT_TRUE(checked(*window, "menuToolbar"));
    window->setCommand("menuDialogON", nullptr);
    window->action("menuDialogON")->trigger();
    EXPECT_TRUE(checked(*window, "menuDialogON"));
}
