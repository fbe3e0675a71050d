// The main window: start-up (settings, scanner check, leftover pages), shortcuts, the
// status line and closing.
#include "main_window_fixture.h"

#include <QCloseEvent>
#include <QDialog>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QTest>

using namespace folivo;
using namespace folivo::test;

namespace {
// The enabled states after start-up: scanner and view items as given, save items off.
void ExpectStartStates(const MainWindow& window, bool scannerItems) {
    for (const char* item : {"menuTwain", "menuSorce", "menuScan", "menuClip", "menuBook",
                             "menuView", "menuDialogON", "menuDialogOFF", "menuToolbar"})
        EXPECT_EQ(window.action(QString::fromLatin1(item))->isEnabled(), scannerItems) << item;
    for (const char* item : {"menuSave", "menuSaveBMP", "menuSaveJPEG", "menuSavePDF"})
        EXPECT_FALSE(window.action(QString::fromLatin1(item))->isEnabled()) << item;
}
} // namespace

TEST_F(MainWindowTest, NoSettingsFileWithScannerShowsToolbarAndScannerDialog) {
    auto window = startWindow();
    EXPECT_EQ(window->statusText(), kStartMessage);
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_TRUE(QFileInfo(home.file("tmp")).isDir());
    ExpectStartStates(*window, true);
    EXPECT_FALSE(exists("Folivo.ini")) << "start-up must not write defaults";
}

TEST_F(MainWindowTest, MissingScannerShowsThreeLineMessageAndDisablesScannerMenus) {
    scanner.available = false;
    writeSettings("[ToolBar]\nFlag=False\n");
    QWidget saveButton, scanButton;
    auto* gone = new QWidget;
    auto window = makeWindow();
    window->addSaveControl(&saveButton);
    window->addSaveControl(gone);
    window->addScannerControl(&scanButton);
    delete gone; // a control that went away is skipped
    window->Load();

    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(window->statusText(), kNoScannerTitle);
    ExpectStartStates(*window, false);
    EXPECT_FALSE(saveButton.isEnabled());
    EXPECT_FALSE(scanButton.isEnabled());
    EXPECT_FALSE(checked(*window, "menuToolbar")) << "the toolbar still follows the settings";
    EXPECT_TRUE(scanner.hideUiCalls.empty());
    EXPECT_TRUE(enabled(*window, "menuExit"));
    window->setSaveCommandsEnabled(true); // a page from the clipboard or a recovery
    EXPECT_TRUE(enabled(*window, "menuSaveJPEG"));
    EXPECT_TRUE(saveButton.isEnabled());
    EXPECT_FALSE(scanButton.isEnabled()) << "the save switch leaves scanner controls alone";
}

TEST_F(MainWindowTest, ToolbarAndScannerDialogAreShownUnlessTheirFlagReadsAsFalse) {
    const struct {
        const char* stored; // nullptr: key absent
        bool readsTrue;
    } cases[] = {{nullptr, true}, {"False", false}, {"0", false}, {"-3", true}, {"no", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored ? c.stored : "(absent)");
        scanner.hideUiCalls.clear();
        writeSettings(c.stored ? QByteArray("[Toolbar]\nFlag=") + c.stored +
                                     "\n[twain]\ndialog=" + c.stored + "\n"
                               : QByteArray());
        auto window = startWindow();
        EXPECT_EQ(checked(*window, "menuToolbar"), c.readsTrue);
        EXPECT_EQ(window->state().toolbarOffset, c.readsTrue ? 415 : 0);
        EXPECT_EQ(checked(*window, "menuDialogON"), c.readsTrue);
        EXPECT_EQ(checked(*window, "menuDialogOFF"), !c.readsTrue);
        EXPECT_EQ(scanner.hideUiCalls, std::vector<int>{c.readsTrue ? 0 : 1});
    }
}

TEST_F(MainWindowTest, StartUpCleansOnlyWorkFoldersOfGoneOwnersThatHoldNoPage) {
    ASSERT_TRUE(QDir(home.path()).mkpath("tmp/work-empty"));
    ASSERT_TRUE(QDir(home.path()).mkpath("tmp/work-crashed"));
    for (const char* name : {"tmp/TMP00001.BMP", "tmp/keep.jpg", "tmp/work-crashed/TMP00001.BMP"})
        makeFile(QString::fromLatin1(name));
    WorkFolder running(home.file("tmp")); // another Folivo's
    makeFile(QDir(home.path()).relativeFilePath(running.path()) + "/TMP00001.BMP");
    auto window = startWindow();
    EXPECT_FALSE(exists("tmp/work-empty"));
    for (const char* kept : {"tmp/TMP00001.BMP", "tmp/keep.jpg", "tmp/work-crashed/TMP00001.BMP"})
        EXPECT_TRUE(exists(QString::fromLatin1(kept))) << kept;
    EXPECT_TRUE(QFileInfo::exists(running.path() + "/TMP00001.BMP"));
    ASSERT_EQ(window->abandonedFolders().size(), 1u) << "only the crashed one is offered";
    EXPECT_EQ(window->abandonedFolders()[0].path, home.file("tmp/work-crashed"));
    const QString own = window->state().workFolder;
    EXPECT_TRUE(QFileInfo(own).isDir());
    EXPECT_EQ(QFileInfo(own).absolutePath(), home.file("tmp"));
}

TEST_F(MainWindowTest, TmpThatIsAFileIsLeftAloneAndStartUpGoesOn) {
    makeFile("tmp");
    auto window = startWindow();
    EXPECT_TRUE(QFileInfo(home.file("tmp")).isFile());
    EXPECT_EQ(window->statusText(), kStartMessage);
}

// View options when the settings file cannot be written: nothing moves. (Stored: the
// toolbar in test_toolbar.cpp, the scanner dialog in test_end_to_end.cpp.)
TEST_F(MainWindowTest, ViewOptionsStayAsTheyAreWhenTheSettingsCannotBeStored) {
    const QByteArray settings = "[TWAIN]\nDialog=True\n[Toolbar]\nFlag=True\n";
    writeSettings(settings);
    ASSERT_TRUE(QFile::setPermissions(home.file("Folivo.ini"), QFile::ReadOwner));
    auto window = startWindow();
    window->show();
    const QWidget* preview = window->findChild<QWidget*>("VS");
    const QRect before = preview->geometry();
    scanner.hideUiCalls.clear();
    window->action("menuToolbar")->trigger();
    window->action("menuDialogOFF")->trigger();
    EXPECT_TRUE(checked(*window, "menuToolbar"));
    EXPECT_EQ(preview->geometry(), before);
    EXPECT_TRUE(checked(*window, "menuDialogON"));
    EXPECT_TRUE(scanner.hideUiCalls.empty());
    EXPECT_TRUE(boxes.shown.empty()) << "a failed store shows no message";
    EXPECT_EQ(home.read("Folivo.ini"), settings);
}

// Shortcuts and the status line.
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
}

// Closing the main window: image released, every window of the program closed, no question.
namespace {
// A window that would rather stay open.
class StubbornWindow : public QWidget {
protected:
    void closeEvent(QCloseEvent* event) override { event->ignore(); }
};
} // namespace

TEST_F(MainWindowTest, ClosingClosesEveryWindowOfTheProgramAndReleasesTheImage) {
    auto window = startWindow();
    window->show();
    QWidget settings;
    StubbornWindow stubborn;
    auto* gone = new QWidget;
    for (QWidget* w : {&settings, static_cast<QWidget*>(&stubborn), gone, gone}) {
        w->show();
        window->registerWindow(w);
    }
    delete gone; // a registered window that was destroyed is skipped
    auto* ownedDialog = new QDialog(window.get());
    ownedDialog->show();
    scanner.queueImage(QImage(2, 2, QImage::Format_RGB32));
    const NativeHandle image = scanner.TWAIN_AcquireNative(window.get(), 0);
    window->setImageHandle(image);
    window->setPaletteHandle(77);
    window->ReleaseImage(); // closing releases again: freed once all the same

    EXPECT_TRUE(window->close());
    for (const QWidget* w : {static_cast<QWidget*>(window.get()), &settings,
                             static_cast<QWidget*>(&stubborn), static_cast<QWidget*>(ownedDialog)})
        EXPECT_FALSE(w->isVisible()) << w->metaObject()->className();
    EXPECT_EQ(scanner.freed, std::vector<NativeHandle>{image});
    EXPECT_TRUE(boxes.shown.empty()) << "no question on exit";
}

TEST_F(MainWindowTest, ClosingRemovesTheWorkFolderUnlessItHoldsSheets) {
    for (const bool sheets : {false, true}) {
        auto window = startWindow();
        const QString work = window->state().workFolder;
        makeFile(QDir(home.path()).relativeFilePath(work) + "/TMP00001.BMP");
        MarkSheets(work, sheets);
        EXPECT_TRUE(window->close());
        EXPECT_EQ(QFileInfo::exists(work + "/TMP00001.BMP"), sheets) << sheets;
        EXPECT_TRUE(boxes.shown.empty()) << "no question on exit";
    }
}

TEST_F(MainWindowTest, SingleWindowIsMadeOnceAndBroughtBackAfterItWasDestroyed) {
    auto window = startWindow();
    int made = 0;
    const auto create = [&]() -> QWidget* {
        ++made;
        auto* dialog = new QWidget;
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        return dialog;
    };
    QWidget* first = window->showSingleWindow("frmAutosave", create);
    EXPECT_EQ(window->showSingleWindow("frmAutosave", create), first);
    EXPECT_EQ(made, 1);

    QPointer<QWidget> closed = first;
    first->close(); // deletes itself
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_TRUE(closed.isNull());
    QWidget* again = window->showSingleWindow("frmAutosave", create);
    EXPECT_EQ(made, 2);
    EXPECT_TRUE(again->isVisible());
    window->close();
    EXPECT_FALSE(again->isVisible());
}
