// The About window and the system information command.
#include "about_dialog.h"
#include "dialog_fakes.h"
#include "platform_ports.h"
#include "system_info.h"

#include <QDir>
#include <QTemporaryDir>

using namespace folivo;
using namespace folivo::test;

namespace {

const QString kKey1 = QString::fromUtf16(kSystemInfoKey1);
const QString kKey2 = QString::fromUtf16(kSystemInfoKey2);
const QString kPath = QStringLiteral("PATH");
const QString kMsinfo = QStringLiteral("MSINFO");

// Esc and Enter both press "閉じる" (Enter is not taken by "ｼｽﾃﾑ情報"); the system
// information button says why it cannot start and leaves the window open.
TEST(About, KeysCloseAndSystemInfoButtonKeepsTheWindowOpen) {
    auto registry = std::make_shared<FakeRegistry>();
    auto launcher = std::make_shared<FakeLauncher>();
    FakeMessageBoxes messages;
    for (Qt::Key key : {Qt::Key_Escape, Qt::Key_Return}) {
        QPointer<frmAbout> d = new frmAbout(registry, launcher, messages);
        d->show();
        if (key == Qt::Key_Escape) {
            Click(d, "cmdSysInfo");
            EXPECT_TRUE(d->isVisible());
        }
        QTest::keyClick(d, key);
        EXPECT_TRUE(Closed(d)) << key;
        delete d;
    }
    ASSERT_EQ(messages.shown.size(), 1u) << "Enter must not start the program";
    EXPECT_EQ(messages.shown[0].prompt, QString::fromUtf16(kSystemInfoUnavailable));
}

// Which program the command starts: the first registry key, else the program in the
// second key's folder, else the first equivalent on PATH; else, or when it fails to
// start, the message.
TEST(SystemInfo, SearchOrderAndFailures) {
    QTemporaryDir folder;
    const QString inFolder = folder.filePath(QStringLiteral("MSINFO32.EXE"));
    const QByteArray dir = folder.path().toUtf8();
    const QString info = QStringLiteral("/opt/info"),
                  hardinfo = QStringLiteral("/usr/bin/hardinfo");
    const QStringList both{kKey1, kKey2};
    enum Found { None, File, Folder }; // what MSINFO32.EXE in the second key's folder is
    const struct {
        QByteArray key1, key2; // values of the two keys; key 1 of another type when "\x01"
        Found found;
        QStringList onPath, queried, started; // nothing started: the message is shown
        bool startWorks = true;
    } cases[] = {
        {QByteArray("/opt/info\0", 10), dir, File, {}, {kKey1}, {info}},
        {"/opt/info", {}, None, {}, {kKey1}, {info}, false},
        {{}, dir + '\0', File, {}, both, {inFolder}},
        {{}, dir, Folder, {"hardinfo"}, both, {}},
        {"\x01", dir, File, {}, {kKey1}, {}},
        {{}, {}, None, {"hardinfo", "gnome-system-monitor"}, both, {hardinfo}},
        {{}, {}, None, {}, both, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.key1.toStdString() + " / " + c.key2.toStdString());
        QDir(folder.path()).rmdir(QStringLiteral("MSINFO32.EXE"));
        QFile::remove(inFolder);
        if (c.found == File)
            QFile(inFolder).open(QIODevice::WriteOnly);
        else if (c.found == Folder)
            QDir(folder.path()).mkdir(QStringLiteral("MSINFO32.EXE"));
        FakeRegistry registry;
        if (!c.key1.isEmpty())
            registry.set(kKey1, kPath, c.key1 == "\x01" ? 3 : kRegSz, c.key1);
        if (!c.key2.isEmpty())
            registry.set(kKey2, kMsinfo, kRegSz, c.key2);
        FakeLauncher launcher;
        for (const QString& name : c.onPath)
            launcher.onPath[name] = QStringLiteral("/usr/bin/") + name;
        launcher.startWorks = c.startWorks;
        FakeMessageBoxes messages;
        LaunchSystemInfo(registry, launcher, messages);
        EXPECT_EQ(registry.queried, c.queried);
        EXPECT_EQ(launcher.started, c.started);
        const bool failed = c.started.isEmpty() || !c.startWorks;
        ASSERT_EQ(messages.shown.size(), failed ? 1u : 0u);
        if (failed) {
            EXPECT_EQ(messages.shown[0].prompt, QString::fromUtf16(kSystemInfoUnavailable));
        }
        for (std::uint32_t root : registry.roots)
            EXPECT_EQ(root, kHKeyLocalMachine);
    }
}

TEST(RegistryRead, TrimsOneClosingNulAndConvertsByType) {
    const struct {
        std::uint32_t type;
        QByteArray data;
        bool found;
        QString text;
    } cases[] = {
        {kRegSz, QByteArray("C:\\info.exe\0", 12), true, "C:\\info.exe"},
        {kRegSz, "C:\\info.exe", true, "C:\\info.exe"},
        {kRegSz, QByteArray("ab\0\0", 4), true, QString::fromLatin1("ab\0", 3)},
        {kRegSz, QByteArray(), true, QString()},
        {kRegSz, QByteArray("\0", 1), true, QString()},
        {kRegSz, QString::fromUtf16(u"情報").toUtf8(), true, QString::fromUtf16(u"情報")},
        {kRegDword, QByteArray("\x39\x30\0\0", 4), true, "12345"},
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
    FakeRegistry empty;
    EXPECT_FALSE(ReadRegistryText(empty, kHKeyLocalMachine, kKey1, kPath).found);
    NullRegistry none;
    EXPECT_FALSE(ReadRegistryText(none, kHKeyLocalMachine, kKey1, kPath).found);
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

} // namespace
