// The controller the main window owns: one modeless window of each kind, brought to the
// front when asked again, all closed without storing when the main window goes.
#include "about_dialog.h"
#include "autosave_dialog.h"
#include "compression_dialogs.h"
#include "dialog_fakes.h"
#include "program_state.h"
#include "settings_windows.h"
#include "system_info.h"

#include <QComboBox>
#include <QDir>

using namespace folivo;
using namespace folivo::test;

namespace {

class SettingsWindowsTest : public ::testing::Test {
protected:
    SettingsWindowsTest() {
        main->setGeometry(100, 80, 900, 700);
        main->show();
        windows = new SettingsWindows(main.get(), state, messages,
                                      DialogServices{picker, registry, launcher, opener});
    }
    static void settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
    QList<QWidget*> all() const {
        return {windows->autosaveWindow(), windows->jpegWindow(), windows->pdfWindow(),
                windows->aboutWindow()};
    }
    void showAll() {
        windows->showAutosave(QStringLiteral("JPEG"));
        windows->showCompressionJpeg();
        windows->showCompressionPdf();
        windows->showAbout();
    }

    TempHome home;
    std::unique_ptr<QWidget> main = std::make_unique<QWidget>();
    ProgramState state;
    FakeMessageBoxes messages;
    std::shared_ptr<FakeFolderPicker> picker = std::make_shared<FakeFolderPicker>();
    std::shared_ptr<FakeRegistry> registry = std::make_shared<FakeRegistry>();
    std::shared_ptr<FakeLauncher> launcher = std::make_shared<FakeLauncher>();
    std::shared_ptr<FakeUrlOpener> opener = std::make_shared<FakeUrlOpener>();
    SettingsWindows* windows = nullptr; // owned by the main window
};

TEST_F(SettingsWindowsTest, AutosaveBroughtForwardKeepsItsOwnFormat) {
    windows->showAutosave(QStringLiteral("BMP"));
    QPointer<frmAutosave> first = windows->autosaveWindow();
    ASSERT_TRUE(first);
    windows->showAutosave(QStringLiteral("PDF")); // "PDF(&P)" while the BMP window is open
    EXPECT_EQ(state.autosaveFormat, QStringLiteral("PDF"));
    EXPECT_EQ(windows->autosaveWindow(), first.data());
    EXPECT_EQ(first->windowTitle(), QString::fromUtf16(u"[BMP] ファイルの自動保存設定"));

    Click(first, "OptSave0");
    Click(first, "CmdSave");
    settle();
    EXPECT_EQ(Stored("BMP", "Flag"), QStringLiteral("True"));
    EXPECT_EQ(Stored("PDF", "Flag"), kAbsent);
    EXPECT_EQ(windows->autosaveWindow(), nullptr);

    windows->showAutosave(QStringLiteral("PDF")); // closed: a new window for the new format
    ASSERT_TRUE(windows->autosaveWindow());
    EXPECT_EQ(windows->autosaveWindow()->format(), QStringLiteral("PDF"));
}

// Asked again, a window (even a minimised one) is shown once more, centred on the main
// window, never twice; closed, it is made anew and shows what is stored now.
TEST_F(SettingsWindowsTest, EachWindowExistsOnceCentredAndIsMadeAnewAfterClosing) {
    showAll();
    const QList<QWidget*> first = all();
    windows->pdfWindow()->showMinimized();
    showAll();
    EXPECT_EQ(all(), first);
    EXPECT_FALSE(windows->pdfWindow()->isMinimized());
    for (QWidget* w : first) {
        EXPECT_TRUE(w->isVisible() && !w->isModal()) << w->objectName().toStdString();
        const QPoint offset = w->frameGeometry().center() - main->frameGeometry().center();
        EXPECT_LE(offset.manhattanLength(), 1) << w->objectName().toStdString();
    }
    EXPECT_EQ(main->findChildren<QDialog*>().size(), 4);

    Click(windows->jpegWindow(), "CmdClose");
    settle();
    ASSERT_EQ(windows->jpegWindow(), nullptr);
    Preset("JPEG", "Complevel", QStringLiteral("3"));
    windows->showCompressionJpeg();
    ASSERT_TRUE(windows->jpegWindow());
    EXPECT_EQ(Child<QComboBox>(windows->jpegWindow(), "ComboComp")->currentIndex(), 3);
}

// Closing everything, or the main window going, closes all windows without storing.
TEST_F(SettingsWindowsTest, CloseAllOrTheMainWindowGoingStoresNothing) {
    for (const bool mainGoes : {false, true}) {
        SCOPED_TRACE(mainGoes);
        Preset("PDF", "Comp", QStringLiteral("True"));
        const QByteArray before = SettingsBytes();
        showAll();
        Click(windows->autosaveWindow(), "OptSave0");
        Click(windows->pdfWindow(), "OptComp1");
        Click(windows->jpegWindow(), "cmdDown");
        if (mainGoes)
            main.reset();
        else
            windows->closeAll();
        settle();
        if (!mainGoes) {
            EXPECT_EQ(all(), QList<QWidget*>(4, nullptr));
        }
        for (QWidget* w : QApplication::topLevelWidgets())
            EXPECT_EQ(qobject_cast<QDialog*>(w), nullptr);
        EXPECT_EQ(SettingsBytes(), before);
    }
}

// The windows use the services and message boxes they were given; the manual is handed
// to the desktop, and its failure is not reported.
TEST_F(SettingsWindowsTest, WindowsUseTheGivenServices) {
    windows->showAbout();
    Click(windows->aboutWindow(), "cmdSysInfo");
    EXPECT_EQ(registry->queried.size(), 2);
    windows->showAutosave(QStringLiteral("JPEG"));
    Click(windows->autosaveWindow(), "OptSave0");
    Click(windows->autosaveWindow(), "OptAutosave2");
    EXPECT_EQ(picker->initialFolders, QStringList{home.path()});
    Click(windows->autosaveWindow(), "CmdSave"); // cancelled picker, empty box
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[0].prompt, QString::fromUtf16(kSystemInfoUnavailable));
    EXPECT_EQ(messages.shown[1].prompt, QString::fromUtf16(kNoOutputFolder));

    opener->answer = false;
    windows->openManual();
    ASSERT_EQ(opener->opened.size(), 1u);
    EXPECT_EQ(
        opener->opened[0],
        QUrl::fromLocalFile(QDir(home.path()).filePath(QStringLiteral("Manual/html/index.htm"))));
    EXPECT_EQ(messages.shown.size(), 2u);
}

} // namespace
