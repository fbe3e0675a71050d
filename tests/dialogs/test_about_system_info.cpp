// The About window, the system information command and the manual command.
#include "about_dialog.h"
#include "dialog_fakes.h"
#include "platform_ports.h"
#include "system_info.h"
#include "temp_home.h"

#include <QDir>
#include <QImage>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>

using namespace folivo;
using namespace folivo::test;

namespace {

const QString kKey1 = QString::fromUtf16(kSystemInfoKey1);
const QString kKey2 = QString::fromUtf16(kSystemInfoKey2);
const QString kUnavailable = QString::fromUtf16(kSystemInfoUnavailable);

QByteArray Bytes(const char* text, int size) {
    return QByteArray(text, size);
}

class AboutTest : public ::testing::Test {
protected:
    QPointer<frmAbout> open() {
        auto* d = new frmAbout(registry, launcher, messages);
        d->show();
        return d;
    }
    std::shared_ptr<FakeRegistry> registry = std::make_shared<FakeRegistry>();
    std::shared_ptr<FakeLauncher> launcher = std::make_shared<FakeLauncher>();
    FakeMessageBoxes messages;
};

TEST(AboutTexts, VersionNumbersAreNotPadded) {
    EXPECT_EQ(VersionText(10, 2, 0), QStringLiteral("Version : 10.2.0"));
    EXPECT_EQ(VersionText(1, 0, 7), QStringLiteral("Version : 1.0.7"));
}

// Esc and Enter both press "閉じる"; Enter is not taken by "ｼｽﾃﾑ情報".
TEST_F(AboutTest, EnterAndEscClose) {
    for (Qt::Key key : {Qt::Key_Escape, Qt::Key_Return}) {
        auto d = open();
        QTest::keyClick(d, key);
        EXPECT_TRUE(Closed(d)) << key;
        EXPECT_TRUE(launcher->started.isEmpty());
        delete d;
    }
}

TEST_F(AboutTest, EtchedRuleIsGreyOverWhiteAcrossTheDialog) {
    auto d = open();
    const QImage image = d->grab().toImage();
    // 1965 and 1980 twips are rows 131 and 132; 6240 twips end at column 416.
    for (int x : {0, 200, 415}) {
        EXPECT_EQ(image.pixelColor(x, 131), QColor(128, 128, 128)) << x;
        EXPECT_EQ(image.pixelColor(x, 132), QColor(Qt::white)) << x;
    }
    EXPECT_NE(image.pixelColor(418, 131), QColor(128, 128, 128));
    EXPECT_NE(image.pixelColor(200, 130), QColor(128, 128, 128));
    delete d;
}

TEST_F(AboutTest, SystemInfoButtonStartsTheProgramOrSaysWhyNotAndStaysOpen) {
    auto d = open();
    UserClick(Child<QPushButton>(d, QStringLiteral("cmdSysInfo")));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].prompt, kUnavailable);
    registry->set(kKey1, QStringLiteral("PATH"), kRegSz, Bytes("C:\\msinfo32.exe\0", 16));
    UserClick(Child<QPushButton>(d, QStringLiteral("cmdSysInfo")));
    EXPECT_EQ(launcher->started, QStringList{QStringLiteral("C:\\msinfo32.exe")});
    EXPECT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(d->isVisible());
    delete d;
}

// Which program the system information command starts: the first registry key, else the
// program in the second key's folder, else the first equivalent on PATH.
TEST(SystemInfo, SearchOrderAndFailures) {
    QTemporaryDir folder;
    const QString inFolder = folder.filePath(QStringLiteral("MSINFO32.EXE"));
    const struct Case {
        const char* name;
        std::function<void(FakeRegistry&, FakeLauncher&)> setUp;
        QStringList queried;
        QStringList started; // empty: the message is shown instead
    } cases[] = {
        {"KeyOneWinsAndKeyTwoIsNeverRead",
         [&](FakeRegistry& r, FakeLauncher&) {
             r.set(kKey1, QStringLiteral("PATH"), kRegSz, "/opt/info");
             r.set(kKey2, QStringLiteral("MSINFO"), kRegSz, folder.path().toUtf8());
         },
         {kKey1},
         {QStringLiteral("/opt/info")}},
        {"KeyTwoFolderWithTheProgram",
         [&](FakeRegistry& r, FakeLauncher&) {
             QFile(inFolder).open(QIODevice::WriteOnly);
             r.set(kKey2, QStringLiteral("MSINFO"), kRegSz, folder.path().toUtf8() + '\0');
         },
         {kKey1, kKey2},
         {inFolder}},
        {"KeyTwoFolderWithAFolderOfThatName",
         [&](FakeRegistry& r, FakeLauncher& l) {
             QFile::remove(inFolder);
             QDir(folder.path()).mkdir(QStringLiteral("MSINFO32.EXE"));
             r.set(kKey2, QStringLiteral("MSINFO"), kRegSz, folder.path().toUtf8());
             l.onPath[QStringLiteral("hardinfo")] = QStringLiteral("/usr/bin/hardinfo");
         },
         {kKey1, kKey2},
         {}},
        {"KeyOneOfAnotherType",
         [](FakeRegistry& r, FakeLauncher&) {
             r.set(kKey1, QStringLiteral("PATH"), 3, Bytes("\x01\x02", 2));
         },
         {kKey1},
         {}},
        {"FirstEquivalentOnPath",
         [](FakeRegistry&, FakeLauncher& l) {
             l.onPath[QStringLiteral("hardinfo")] = QStringLiteral("/usr/bin/hardinfo");
             l.onPath[QStringLiteral("gnome-system-monitor")] = QStringLiteral("/usr/bin/gsm");
         },
         {kKey1, kKey2},
         {QStringLiteral("/usr/bin/hardinfo")}},
        {"NothingAnywhere", [](FakeRegistry&, FakeLauncher&) {}, {kKey1, kKey2}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeRegistry registry;
        FakeLauncher launcher;
        FakeMessageBoxes messages;
        c.setUp(registry, launcher);
        LaunchSystemInfo(registry, launcher, messages);
        EXPECT_EQ(registry.queried, c.queried);
        EXPECT_EQ(launcher.started, c.started);
        EXPECT_EQ(messages.shown.size(), c.started.isEmpty() ? 1u : 0u);
        for (std::uint32_t root : registry.roots)
            EXPECT_EQ(root, kHKeyLocalMachine);
    }
}

TEST(SystemInfo, AProgramThatFailsToStartShowsTheMessage) {
    FakeRegistry registry;
    FakeLauncher launcher;
    FakeMessageBoxes messages;
    registry.set(kKey1, QStringLiteral("PATH"), kRegSz, "/opt/info");
    launcher.startWorks = false;
    LaunchSystemInfo(registry, launcher, messages);
    EXPECT_EQ(launcher.started.size(), 1);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].prompt, kUnavailable);
}

TEST(RegistryRead, TrimsOneClosingNulAndConvertsByType) {
    const struct {
        std::uint32_t type;
        QByteArray data;
        bool found;
        QString text;
    } cases[] = {
        {kRegSz, Bytes("C:\\info.exe\0", 12), true, "C:\\info.exe"},
        {kRegSz, "C:\\info.exe", true, "C:\\info.exe"},
        {kRegSz, Bytes("ab\0\0", 4), true, QString::fromLatin1("ab\0", 3)},
        {kRegSz, QByteArray(), true, QString()},
        {kRegSz, Bytes("\0", 1), true, QString()},
        {kRegSz, QString::fromUtf16(u"情報").toUtf8(), true, QString::fromUtf16(u"情報")},
        {kRegDword, Bytes("\x39\x30\0\0", 4), true, "12345"},
        {kRegDword, Bytes("\xff\xff\xff\xff", 4), true, "4294967295"},
        {kRegDword, Bytes("\x01\x02", 2), true, "513"},
        {3, Bytes("\x01\x02\x03", 3), true, QString()},
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
    FakeRegistry empty;
    EXPECT_FALSE(ReadRegistryText(empty, kHKeyLocalMachine, kKey1, QStringLiteral("PATH")).found);
    NullRegistry none;
    EXPECT_FALSE(ReadRegistryText(none, kHKeyLocalMachine, kKey1, QStringLiteral("PATH")).found);
}

// The real launcher, with a stand-in program on PATH that leaves a mark when it runs.
TEST(SystemInfoOnLinux, StartsTheEquivalentFoundOnPath) {
    QTemporaryDir bin;
    const QString mark = bin.filePath(QStringLiteral("started"));
    // The first choice, so a real one further along PATH is never reached.
    QFile script(bin.filePath(QStringLiteral("kinfocenter")));
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    script.write("#!/bin/sh\ntouch '" + mark.toUtf8() + "'\n");
    script.close();
    script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const QByteArray oldPath = qgetenv("PATH");
    qputenv("PATH", bin.path().toUtf8() + ':' + oldPath);
    NullRegistry registry;
    QtProcessLauncher launcher;
    FakeMessageBoxes messages;
    LaunchSystemInfo(registry, launcher, messages);
    qputenv("PATH", oldPath);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_TRUE(QTest::qWaitFor([&] { return QFile::exists(mark); }, 10000));
}

TEST(Manual, OpensTheFileUrlUnderTheProgramFolderAndStaysSilentOnFailure) {
    TempHome home;
    FakeUrlOpener opener;
    opener.answer = false;
    OpenManual(opener);
    ASSERT_EQ(opener.opened.size(), 1u);
    EXPECT_EQ(opener.opened[0].toLocalFile(),
              QDir(home.path()).filePath(QStringLiteral("Manual/html/index.htm")));
}

} // namespace
