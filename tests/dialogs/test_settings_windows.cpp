// The controller the main window owns: one modeless window of each kind, brought to the
// front when asked again, all closed without storing when the main window goes.
#include "about_dialog.h"
#include "autosave_dialog.h"
#include "compression_dialogs.h"
#include "dialog_fakes.h"
#include "program_state.h"
#include "settings.h"
#include "settings_windows.h"
#include "system_info.h"
#include "temp_home.h"

#include <QComboBox>
#include <QDir>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>

using namespace folivo;
using namespace folivo::test;

namespace {

class SettingsWindowsTest : public ::testing::Test {
protected:
    SettingsWindowsTest() {
        main->setGeometry(100, 80, 900, 700);
        main->show();
        services.folderPicker = picker;
        services.registry = registry;
        services.launcher = launcher;
        services.urlOpener = opener;
        windows = new SettingsWindows(main.get(), state, messages, services);
    }
    static void settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    TempHome home;
    std::unique_ptr<QWidget> main = std::make_unique<QWidget>();
    ProgramState state;
    FakeMessageBoxes messages;
    std::shared_ptr<FakeFolderPicker> picker = std::make_shared<FakeFolderPicker>();
    std::shared_ptr<FakeRegistry> registry = std::make_shared<FakeRegistry>();
    std::shared_ptr<FakeLauncher> launcher = std::make_shared<FakeLauncher>();
    std::shared_ptr<FakeUrlOpener> opener = std::make_shared<FakeUrlOpener>();
    DialogServices services;
    SettingsWindows* windows = nullptr; // owned by the main window
};

TEST_F(SettingsWindowsTest, AutosaveBroughtForwardKeepsItsOwnFormat) {
    windows->showAutosave(QStringLiteral("BMP"));
    EXPECT_EQ(state.autosaveFormat, QStringLiteral("BMP"));
    QPointer<frmAutosave> first = windows->autosaveWindow();
    ASSERT_TRUE(first);
    EXPECT_TRUE(first->isVisible());
    EXPECT_FALSE(first->isModal());

    windows->showAutosave(QStringLiteral("PDF")); // "PDF(&P)" while the BMP window is open
    EXPECT_EQ(state.autosaveFormat, QStringLiteral("PDF"));
    EXPECT_EQ(windows->autosaveWindow(), first.data());
    EXPECT_EQ(first->windowTitle(), QString::fromUtf16(u"[BMP] ファイルの自動保存設定"));

    UserClick(Child<QRadioButton>(first, QStringLiteral("OptSave0")));
    UserClick(Child<QPushButton>(first, QStringLiteral("CmdSave")));
    settle();
    EXPECT_EQ(ReadSetting(QStringLiteral("BMP"), QStringLiteral("Flag"), QString()),
              QStringLiteral("True"));
    EXPECT_EQ(ReadSetting(QStringLiteral("PDF"), QStringLiteral("Flag"), QStringLiteral("none")),
              QStringLiteral("none"));
    EXPECT_EQ(windows->autosaveWindow(), nullptr);

    windows->showAutosave(QStringLiteral("PDF")); // closed: a new window for the new format
    ASSERT_TRUE(windows->autosaveWindow());
    EXPECT_EQ(windows->autosaveWindow()->format(), QStringLiteral("PDF"));
}

TEST_F(SettingsWindowsTest, EachWindowExistsOnceAndIsMadeAnewAfterClosing) {
    windows->showCompressionJpeg();
    frmCompJPEG* jpeg = windows->jpegWindow();
    windows->showCompressionJpeg();
    EXPECT_EQ(windows->jpegWindow(), jpeg);
    windows->showCompressionPdf();
    frmCompPDF* pdf = windows->pdfWindow();
    windows->showCompressionPdf();
    EXPECT_EQ(windows->pdfWindow(), pdf);
    windows->showAbout();
    frmAbout* about = windows->aboutWindow();
    windows->showAbout();
    EXPECT_EQ(windows->aboutWindow(), about);
    EXPECT_EQ(main->findChildren<frmCompJPEG*>().size(), 1);
    EXPECT_EQ(main->findChildren<frmAbout*>().size(), 1);

    // Reopened after closing, the window shows what is stored now.
    UserClick(Child<QPushButton>(jpeg, QStringLiteral("CmdClose")));
    settle();
    ASSERT_EQ(windows->jpegWindow(), nullptr);
    ASSERT_EQ(
        WriteSetting(QStringLiteral("JPEG"), QStringLiteral("Complevel"), QStringLiteral("3")), 1);
    windows->showCompressionJpeg();
    ASSERT_TRUE(windows->jpegWindow());
    EXPECT_EQ(Child<QComboBox>(windows->jpegWindow(), QStringLiteral("ComboComp"))->currentIndex(),
              3);
}

TEST_F(SettingsWindowsTest, MinimisedWindowIsShownAgain) {
    windows->showCompressionPdf();
    windows->pdfWindow()->showMinimized();
    windows->showCompressionPdf();
    EXPECT_FALSE(windows->pdfWindow()->isMinimized());
    EXPECT_TRUE(windows->pdfWindow()->isVisible());
}

TEST_F(SettingsWindowsTest, WindowsAreCentredOnTheMainWindow) {
    windows->showCompressionJpeg();
    windows->showAbout();
    const QPoint centre = main->frameGeometry().center();
    for (QWidget* w : {static_cast<QWidget*>(windows->jpegWindow()),
                       static_cast<QWidget*>(windows->aboutWindow())}) {
        const QPoint offset = w->frameGeometry().center() - centre;
        EXPECT_LE(offset.manhattanLength(), 1) << w->objectName().toStdString();
    }
}

TEST_F(SettingsWindowsTest, CloseAllClosesEverythingWithoutStoring) {
    ASSERT_EQ(WriteSetting(QStringLiteral("PDF"), QStringLiteral("Comp"), QStringLiteral("True")),
              1);
    const QByteArray before = FileBytes(SettingsFilePath());
    windows->showAutosave(QStringLiteral("JPEG"));
    windows->showCompressionJpeg();
    windows->showCompressionPdf();
    windows->showAbout();
    UserClick(Child<QRadioButton>(windows->autosaveWindow(), QStringLiteral("OptSave0")));
    UserClick(Child<QRadioButton>(windows->pdfWindow(), QStringLiteral("OptComp1")));
    UserClick(Child<QPushButton>(windows->jpegWindow(), QStringLiteral("cmdDown")));

    windows->closeAll();
    settle();
    EXPECT_EQ(windows->autosaveWindow(), nullptr);
    EXPECT_EQ(windows->jpegWindow(), nullptr);
    EXPECT_EQ(windows->pdfWindow(), nullptr);
    EXPECT_EQ(windows->aboutWindow(), nullptr);
    EXPECT_TRUE(main->findChildren<QDialog*>().isEmpty());
    EXPECT_EQ(FileBytes(SettingsFilePath()), before);
}

TEST_F(SettingsWindowsTest, DestroyingTheMainWindowWithWindowsOpenStoresNothing) {
    const QByteArray before = FileBytes(SettingsFilePath());
    windows->showAutosave(QStringLiteral("BMP"));
    windows->showCompressionPdf();
    UserClick(Child<QRadioButton>(windows->autosaveWindow(), QStringLiteral("OptSave0")));
    main.reset();
    settle();
    EXPECT_EQ(FileBytes(SettingsFilePath()), before);
    for (QWidget* w : QApplication::topLevelWidgets())
        EXPECT_EQ(qobject_cast<QDialog*>(w), nullptr);
}

TEST_F(SettingsWindowsTest, AboutUsesTheGivenServicesAndMessageBoxes) {
    windows->showAbout();
    UserClick(Child<QPushButton>(windows->aboutWindow(), QStringLiteral("cmdSysInfo")));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].prompt, QString::fromUtf16(kSystemInfoUnavailable));
    EXPECT_EQ(registry->queried.size(), 2);
}

TEST_F(SettingsWindowsTest, AutosavePickerIsTheGivenOne) {
    windows->showAutosave(QStringLiteral("JPEG"));
    frmAutosave* d = windows->autosaveWindow();
    UserClick(Child<QRadioButton>(d, QStringLiteral("OptSave0")));
    UserClick(Child<QRadioButton>(d, QStringLiteral("OptAutosave2")));
    EXPECT_EQ(picker->initialFolders, QStringList{home.path()});
    UserClick(Child<QPushButton>(d, QStringLiteral("CmdSave"))); // cancelled picker, empty box
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].prompt, QString::fromUtf16(kNoOutputFolder));
    EXPECT_TRUE(windows->autosaveWindow());
}

TEST_F(SettingsWindowsTest, OpenManualHandsTheStartPageToTheDesktop) {
    windows->openManual();
    ASSERT_EQ(opener->opened.size(), 1u);
    EXPECT_EQ(
        opener->opened[0],
        QUrl::fromLocalFile(QDir(home.path()).filePath(QStringLiteral("Manual/html/index.htm"))));
}

} // namespace
