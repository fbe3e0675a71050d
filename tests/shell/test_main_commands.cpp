// Command dispatch, shortcuts and the status line.
#include "main_window_fixture.h"

#include <QLineEdit>
#include <QTest>

using namespace folivo;
using namespace folivo::test;

TEST_F(MainWindowTest, ItemsRunTheirCommandsAndItemsWithoutOneDoNothing) {
    auto window = startWindow();
    QStringList ran;
    window->setCommand("menuScan", [&] { ran << "scan"; });
    window->setCommand("menuBMP", [&] { ran << "bmp"; });
    window->action("menuScan")->trigger();
    window->action("menuVersion")->trigger(); // nothing wired: nothing happens
    window->runCommand("menuBMP");
    window->setCommand("menuScan", nullptr);
    window->action("menuScan")->trigger();
    EXPECT_EQ(ran, QStringList({"scan", "bmp"}));
    EXPECT_FALSE(window->hasCommand("menuScan"));

    scanner.queueImage(QImage(3, 3, QImage::Format_RGB32));
    window->action("menuSorce")->trigger();
    window->action("menuClip")->trigger();
    EXPECT_EQ(scanner.selectCalls, 1);
    EXPECT_EQ(scanner.clipboardAcquisitions, 1);
    // Check marks move only through their commands.
    for (const char* item : {"menuToolbar", "menuDialogON"}) {
        window->setCommand(item, nullptr);
        window->action(item)->trigger();
        EXPECT_TRUE(checked(*window, item)) << item;
    }
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

TEST_F(MainWindowTest, StatusLineIsReadOnlyAndTakesAMessageTitleAfterTheBox) {
    auto window = startWindow();
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    window->SetStatus("first message that is rather long");
    window->SetStatus("before");
    auto* status = window->findChild<QLineEdit*>("TextStatus");
    ASSERT_NE(status, nullptr);
    EXPECT_EQ(status->text(), "before");
    QString statusDuringBox;
    boxes.onShow = [&](const ShownMessage&) { statusDuringBox = window->statusText(); };
    window->ShowMessage("Title", "Prompt\r\nline 2");
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].prompt, "Prompt\r\nline 2");
    EXPECT_EQ(statusDuringBox, "before");
    EXPECT_EQ(window->statusText(), "Title");

    EXPECT_TRUE(status->isReadOnly());
    QTest::mouseClick(status, Qt::LeftButton);
    status->setFocus(Qt::MouseFocusReason);
    EXPECT_FALSE(status->hasFocus());
    EXPECT_TRUE(window->findChild<QWidget*>("VS")->hasFocus()) << "the preview takes the focus";
}
