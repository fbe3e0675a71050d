// The controller of the modeless settings windows, the About window and the system
// information command.
#include "about_dialog.h"
#include "autosave_dialog.h"
#include "compression_dialogs.h"
#include "dialog_fakes.h"
#include "platform_ports.h"
#include "program_state.h"
#include "settings_windows.h"
#include "system_info.h"

#include <QDir>

using namespace folivo;
using namespace folivo::test;

namespace {

const QString kKey1 = QString::fromUtf16(kSystemInfoKey1);
const QString kKey2 = QString::fromUtf16(kSystemInfoKey2);

class SettingsWindowsTest : public ::testing::Test {
protected:
    SettingsWindowsTest() {
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
    std::shared_ptr<NoProgramLauncher> launcher = std::make_shared<NoProgramLauncher>();
    std::shared_ptr<FakeUrlOpener> opener = std::make_shared<FakeUrlOpener>();
    SettingsWindows* windows = nullptr; // owned by the main window
};

// "PDF(&P)" while the BMP window is open brings that forward; closed, a new one opens.
TEST_F(SettingsWindowsTest, AutosaveBroughtForwardKeepsItsOwnFormat) {
    windows->showAutosave(QStringLiteral("BMP"));
    QPointer<frmAutosave> first = windows->autosaveWindow();
    windows->showAutosave(QStringLiteral("PDF"));
    EXPECT_EQ(windows->autosaveWindow(), first.data());
    Click(first, "OptSave0");
    Click(first, "CmdSave");
    settle();
    EXPECT_EQ(Stored("BMP", "Flag"), QStringLiteral("True"));
    EXPECT_EQ(Stored("PDF", "Flag"), kAbsent);
    windows->showAutosave(QStringLiteral("PDF"));
    ASSERT_TRUE(windows->autosaveWindow());
    EXPECT_EQ(windows->autosaveWindow()->format(), QStringLiteral("PDF"));
}

// Closing everything, or the main window going, closes all windows without storing;
// until then each window exists once.
TEST_F(SettingsWindowsTest, CloseAllOrTheMainWindowGoingStoresNothing) {
    for (const bool mainGoes : {false, true}) {
        SCOPED_TRACE(mainGoes);
        Preset("PDF", "Comp", QStringLiteral("True"));
        const QByteArray before = SettingsBytes();
        showAll();
        const QList<QWidget*> first = all();
        windows->pdfWindow()->showMinimized();
        showAll(); // asked again, each window (even a minimised one) is shown once more
        EXPECT_EQ(all(), first);
        EXPECT_FALSE(windows->pdfWindow()->isMinimized());
        EXPECT_EQ(main->findChildren<QDialog*>().size(), 4);
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

// The windows use the services they were given; the manual is handed to the desktop, and
// its failure is not reported. The system information button leaves About open.
TEST_F(SettingsWindowsTest, WindowsUseTheGivenServices) {
    windows->showAbout();
    Click(windows->aboutWindow(), "cmdSysInfo");
    EXPECT_TRUE(windows->aboutWindow()->isVisible());
    EXPECT_EQ(registry->queried, QStringList({kKey1, kKey2}));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].prompt, QString::fromUtf16(kSystemInfoUnavailable));
    windows->showAutosave(QStringLiteral("JPEG"));
    Click(windows->autosaveWindow(), "OptSave0");
    Click(windows->autosaveWindow(), "OptAutosave2");
    EXPECT_EQ(picker->initialFolders, QStringList{home.path()});

    opener->answer = false;
    windows->openManual();
    ASSERT_EQ(opener->opened.size(), 1u);
    EXPECT_EQ(
        opener->opened[0],
        QUrl::fromLocalFile(QDir(home.path()).filePath(QStringLiteral("Manual/html/index.htm"))));
    EXPECT_EQ(messages.shown.size(), 1u);
}

TEST(RegistryRead, TrimsOneClosingNulAndConvertsByType) {
    const struct {
        std::uint32_t type;
        QByteArray data;
        bool found;
        QString text;
    } cases[] = {
        {kRegSz, QByteArray("C:\\info.exe\0", 12), true, "C:\\info.exe"},
        {kRegSz, QByteArray("ab\0\0", 4), true, QString::fromLatin1("ab\0", 3)},
        {kRegSz, QString::fromUtf16(u"情報").toUtf8(), true, QString::fromUtf16(u"情報")},
        {kRegDword, "\xff\xff\xff\xff", true, "4294967295"},
        {kRegDword, "\x01\x02", true, "513"},
        {3, "\x01\x02\x03", true, QString()},
        {kRegSz, QByteArray(1024, 'a'), true, QString(1024, u'a')},
        {kRegSz, QByteArray(1025, 'a'), false, QString()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.data.left(16).toHex().toStdString());
        FakeRegistry registry;
        registry.set(QStringLiteral("K"), QStringLiteral("V"), c.type, c.data);
        const RegistryText got =
            ReadRegistryText(registry, kHKeyLocalMachine, QStringLiteral("K"), QStringLiteral("V"));
        EXPECT_EQ(got.found, c.found);
        EXPECT_EQ(got.text, c.text);
    }
    NullRegistry none;
    EXPECT_FALSE(ReadRegistryText(none, kHKeyLocalMachine, kKey1, QStringLiteral("PATH")).found);
}

} // namespace
