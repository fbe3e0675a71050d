// Start-up of the main window: settings, start message, scanner check, leftover pages.
#include "main_window_fixture.h"

#include <QLineEdit>
#include <QMenu>

using namespace folivo;
using namespace folivo::test;

namespace {
const char* const kTwainItems[] = {"menuTwain", "menuSorce", "menuScan", "menuClip", "menuBook"};
const char* const kViewItems[] = {"menuView", "menuDialogON", "menuDialogOFF", "menuToolbar"};
const char* const kSaveItems[] = {"menuSave", "menuSaveBMP", "menuSaveJPEG", "menuSavePDF"};

// The enabled states after start-up: scanner items as given, save items always off.
void ExpectStartStates(const MainWindow& window, bool scannerItems) {
    std::vector<const char*> items(std::begin(kTwainItems), std::end(kTwainItems));
    items.insert(items.end(), std::begin(kViewItems), std::end(kViewItems));
    for (const char* item : items)
        EXPECT_EQ(window.action(QString::fromLatin1(item))->isEnabled(), scannerItems) << item;
    for (const char* item : kSaveItems)
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
    EXPECT_EQ(boxes.shown[0].title, kNoScannerTitle);
    EXPECT_EQ(boxes.shown[0].prompt.count(QLatin1String("\r\n")), 2) << "three lines";
    EXPECT_EQ(window->statusText(), kNoScannerTitle);
    ExpectStartStates(*window, false);
    EXPECT_FALSE(saveButton.isEnabled());
    EXPECT_FALSE(scanButton.isEnabled());
    EXPECT_FALSE(checked(*window, "menuToolbar")) << "the toolbar still follows the settings";
    EXPECT_EQ(window->state().toolbarOffset, 0);
    EXPECT_TRUE(scanner.hideUiCalls.empty());
    EXPECT_FALSE(checked(*window, "menuDialogON"));
    EXPECT_FALSE(checked(*window, "menuDialogOFF"));
    EXPECT_TRUE(enabled(*window, "menuExit"));
    EXPECT_TRUE(enabled(*window, "menuAuto"));
    window->setSaveCommandsEnabled(true); // a page from the clipboard or a recovery
    EXPECT_TRUE(enabled(*window, "menuSaveJPEG"));
    EXPECT_TRUE(saveButton.isEnabled());
    EXPECT_FALSE(scanButton.isEnabled()) << "the save switch leaves scanner controls alone";
}

TEST_F(MainWindowTest, MissingScannerMessageComesAfterStartMessageAndBeforePageCleanup) {
    scanner.available = false;
    EXPECT_TRUE(QDir(home.path()).mkpath("tmp/work-gone"));
    auto window = makeWindow();
    bool sawState = false;
    boxes.onShow = [&](const ShownMessage&) {
        sawState = true;
        EXPECT_EQ(window->statusText(), kStartMessage);
        EXPECT_FALSE(enabled(*window, "menuSaveBMP"));
        EXPECT_FALSE(enabled(*window, "menuScan"));
        EXPECT_TRUE(exists("tmp/work-gone")) << "clean-up comes after the check";
    };
    window->Load();
    EXPECT_TRUE(sawState);
    EXPECT_FALSE(exists("tmp/work-gone"));
}

TEST_F(MainWindowTest, ToolbarAndScannerDialogAreShownUnlessTheirFlagReadsAsFalse) {
    const struct {
        const char* stored; // nullptr: key absent
        bool readsTrue;
    } cases[] = {{nullptr, true}, {"True", true}, {"False", false}, {"FALSE", false}, {"0", false},
                 {"1", true},     {"-3", true},   {"", true},       {"no", true}};
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

TEST_F(MainWindowTest, LoadRunsOnceForgetsTheImageFileAndLogsEveryStatusLine) {
    qputenv("FOLIVO_STATUS_LOG", home.file("status.log").toUtf8());
    scanner.available = false;
    auto window = makeWindow();
    EXPECT_EQ(window->statusText(), "TextStatus") << "before the start-up sequence";
    window->state().currentImageFile = "stale.BMP";
    window->Load();
    EXPECT_TRUE(window->state().currentImageFile.isEmpty());
    window->SetStatus("two\r\nlines");
    window->Load();
    qunsetenv("FOLIVO_STATUS_LOG");
    EXPECT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(QString::fromUtf8(home.read("status.log")),
              kStartMessage + "\n" + kNoScannerTitle + "\ntwo  lines\n");
}

// View options when the settings cannot be stored: nothing moves. (Stored: the toolbar in
// test_toolbar.cpp, the scanner dialog in test_end_to_end.cpp.)
namespace {
QRect PreviewGeometry(const MainWindow& window) {
    return window.findChild<QWidget*>("VS")->geometry();
}
} // namespace

TEST_F(MainWindowTest, ViewOptionsStayAsTheyAreWhenTheSettingsCannotBeStored) {
    const QByteArray settings = "[TWAIN]\nDialog=True\n[Toolbar]\nFlag=True\n";
    for (const bool readOnlyFolder : {false, true}) {
        SCOPED_TRACE(readOnlyFolder);
        if (!readOnlyFolder)
            writeSettings(settings);
        ASSERT_TRUE(readOnlyFolder
                        ? QFile::setPermissions(home.path(), QFile::ReadOwner | QFile::ExeOwner)
                        : QFile::setPermissions(home.file("Folivo.ini"), QFile::ReadOwner));
        auto window = startWindow();
        window->show();
        const QRect before = PreviewGeometry(*window);
        scanner.hideUiCalls.clear();
        window->action("menuToolbar")->trigger();
        window->action("menuDialogOFF")->trigger();
        EXPECT_TRUE(checked(*window, "menuToolbar"));
        EXPECT_EQ(PreviewGeometry(*window), before);
        EXPECT_TRUE(checked(*window, "menuDialogON"));
        EXPECT_FALSE(checked(*window, "menuDialogOFF"));
        EXPECT_TRUE(scanner.hideUiCalls.empty());
        EXPECT_TRUE(boxes.shown.empty()) << "a failed store shows no message";
        EXPECT_EQ(home.read("Folivo.ini"), readOnlyFolder ? QByteArray() : settings);
        QFile::setPermissions(home.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QFile::remove(home.file("Folivo.ini"));
    }
}
