// Menu tree, command dispatch, enabled states and the status line.
#include "main_window_fixture.h"

#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

using namespace folivo;
using namespace folivo::test;

namespace {
// Each menu's items in display order as "name:caption:shortcut"; "-" is a separator line.
// The OFF item closes with an ASCII bracket, the ON item with a full-width one.
const std::pair<const char*, const char*> kMenus[] = {
    {"", "menuFile:ファイル(&F) menuView:表示(&V) menuSet:設定(&S) menuHelp:ヘルプ(&H)"},
    {"menuFile", "menuTwain:TWAINデバイス - menuSave:名前を付けて保存 - "
                 "menuExit:アプリケーションの終了:Ctrl+X"},
    {"menuTwain", "menuSorce:ソースの選択:Ctrl+S - menuScan:読み取り:Ctrl+R "
                  "menuClip:クリップボードにコピー:Ctrl+C - menuBook:マルチページPDFの作成:F5"},
    {"menuSave", "menuSaveBMP:BMP形式:Ctrl+B - menuSaveJPEG:JPEG形式:Ctrl+J - "
                 "menuSavePDF:PDF形式:Ctrl+P"},
    {"menuView", "menuDialogON:スキャン時のダイアログの表示（ON） "
                 "menuDialogOFF:スキャン時のダイアログの表示（OFF) - menuToolbar:ツールバーの表示"},
    {"menuSet", "menuAuto:自動保存設定(&A) - menuCompress:圧縮設定(&C)"},
    {"menuAuto", "menuBMP:BMP(&B) - menuJPEG:JPEG(&J) - menuPDF:PDF(&P)"},
    {"menuCompress", "menuJPEGSet:JPEG(&J) - menuPDFSet:PDF(&P)"},
    {"menuHelp", "menuMokuji:目次(&C):F1 - menuVersion:バージョン情報(&V)"},
};
} // namespace

TEST_F(MainWindowTest, MenuTreeHasEveryItemWithCaptionShortcutAndPlace) {
    auto window = makeWindow();
    for (const auto& [parent, items] : kMenus) {
        SCOPED_TRACE(parent);
        QMenu* menu = *parent ? window->menu(QString::fromLatin1(parent)) : nullptr;
        ASSERT_TRUE(menu || !*parent);
        const QList<QAction*> shown = menu ? menu->actions() : window->menuBar()->actions();
        const QStringList expected = QString::fromUtf8(items).split(u' ');
        ASSERT_EQ(shown.size(), expected.size());
        for (qsizetype i = 0; i < shown.size(); ++i) {
            const QStringList field = expected[i].split(u':');
            if (field[0] == u"-") {
                EXPECT_TRUE(shown[i]->isSeparator()) << i;
                continue;
            }
            EXPECT_EQ(shown[i]->objectName(), field[0]);
            EXPECT_EQ(shown[i]->text(), field[1]);
            EXPECT_EQ(shown[i]->shortcut(), QKeySequence(field.value(2))) << i;
            EXPECT_EQ(window->action(field[0]), shown[i]);
            EXPECT_FALSE(shown[i]->isChecked()) << i;
        }
    }
    EXPECT_EQ(window->menu("menuScan"), nullptr);
    EXPECT_EQ(window->action("menuNothing"), nullptr);
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

    scanner.queueImage(QImage(3, 3, QImage::Format_RGB32));
    window->action("menuSorce")->trigger();
    window->action("menuClip")->trigger();
    EXPECT_EQ(scanner.selectCalls, 1);
    EXPECT_EQ(scanner.clipboardAcquisitions, 1);
    EXPECT_EQ(scanner.queuedImages(), 0);

    // Check marks move only through their commands.
    window->setCommand("menuToolbar", nullptr);
    window->action("menuToolbar")->trigger();
    EXPECT_TRUE(checked(*window, "menuToolbar"));
    window->setCommand("menuDialogON", nullptr);
    window->action("menuDialogON")->trigger();
    EXPECT_TRUE(checked(*window, "menuDialogON"));
}

TEST_F(MainWindowTest, ShortcutsRunCommandsOnlyWhileEnabled) {
    auto window = startWindow();
    int scans = 0, pdfs = 0;
    window->setCommand("menuScan", [&] { ++scans; });
    window->setCommand("menuBook", [&] { ++pdfs; });
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    for (const bool enabled : {true, false}) {
        window->setScannerCommandsEnabled(enabled);
        QTest::keyClick(window.get(), Qt::Key_R, Qt::ControlModifier);
        QTest::keyClick(window.get(), Qt::Key_F5);
        EXPECT_EQ(scans, 1);
        EXPECT_EQ(pdfs, 1);
    }
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

TEST_F(MainWindowTest, StatusLineIsReplacedWholeAndTakesAMessageTitleAfterTheBox) {
    auto window = startWindow();
    window->SetStatus("first message that is rather long");
    window->SetStatus("before");
    EXPECT_EQ(window->findChild<QLineEdit*>("TextStatus")->text(), "before");
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
