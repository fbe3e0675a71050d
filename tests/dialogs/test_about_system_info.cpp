// The About window, the system information command and the manual command.
#include "about_dialog.h"
#include "dialog_fakes.h"
#include "platform_ports.h"
#include "system_info.h"
#include "temp_home.h"

#include <QDir>
#include <QImage>
#include <QLabel>
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
    QString label(const QWidget* d, const char* name) {
        return Child<QLabel>(d, QString::fromLatin1(name))->text();
    }
    std::shared_ptr<FakeRegistry> registry = std::make_shared<FakeRegistry>();
    std::shared_ptr<FakeLauncher> launcher = std::make_shared<FakeLauncher>();
    RecordingMessageBoxes messages;
};

TEST_F(AboutTest, CaptionTitleVersionAndDescription) {
    auto d = open();
    EXPECT_EQ(d->windowTitle(), QString::fromUtf16(u"[ Folivo ] のﾊﾞｰｼﾞｮﾝ情報"));
    EXPECT_EQ(label(d, "lblTitle"), QStringLiteral("Folivo"));
    EXPECT_EQ(label(d, "lblVersion"), QStringLiteral("Version : 1.0.0"));
    EXPECT_EQ(label(d, "lblDescription"),
              QString::fromUtf16(u"［アプリケーションの説明］\n\n書籍、パンフレット、カタログ、"
                                 u"技術書など、あらゆる紙文書をスキャナーで読み込みPDFファイル"
                                 u"（BMP,JPEGも可能）に変換するソフトウェアです。"));
    EXPECT_EQ(Child<QPushButton>(d, QStringLiteral("cmdOK"))->text(),
              QString::fromUtf16(u"閉じる"));
    EXPECT_EQ(Child<QPushButton>(d, QStringLiteral("cmdSysInfo"))->text(),
              QString::fromUtf16(u"ｼｽﾃﾑ情報(&S)..."));
    EXPECT_EQ(d->size(), QSize(420, 176)); // 6300 x 2640 twips at 96 dpi
    EXPECT_EQ(d->minimumSize(), d->maximumSize());
    EXPECT_FALSE(d->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_FALSE(d->isModal());
    delete d;
}

TEST(AboutTexts, BlanksAndNumbersAreExact) {
    EXPECT_EQ(AboutCaption(QStringLiteral("X")), QString::fromUtf16(u"[ X ] のﾊﾞｰｼﾞｮﾝ情報"));
    EXPECT_EQ(VersionText(10, 2, 0), QStringLiteral("Version : 10.2.0"));
    EXPECT_EQ(VersionText(1, 0, 7), QStringLiteral("Version : 1.0.7"));
}

// Esc and Enter both press "閉じる"; Enter is not taken by "ｼｽﾃﾑ情報".
TEST_F(AboutTest, EnterAndEscClose) {
    for (Qt::Key key : {Qt::Key_Escape, Qt::Key_Return}) {
        auto d = open();
        auto* ok = Child<QPushButton>(d, QStringLiteral("cmdOK"));
        EXPECT_TRUE(ok->isDefault());
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

TEST_F(AboutTest, SystemInfoButtonStartsTheRegistryProgram) {
    registry->set(kKey1, QStringLiteral("PATH"), kRegSz, Bytes("C:\\msinfo32.exe\0", 16));
    auto d = open();
    UserClick(Child<QPushButton>(d, QStringLiteral("cmdSysInfo")));
    EXPECT_EQ(launcher->started, QStringList{QStringLiteral("C:\\msinfo32.exe")});
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_TRUE(d->isVisible());
    delete d;
}

TEST_F(AboutTest, SystemInfoUnavailableShowsTheMessageAndStaysOpen) {
    auto d = open();
    UserClick(Child<QPushButton>(d, QStringLiteral("cmdSysInfo")));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].title, QString());
    EXPECT_EQ(messages.shown[0].prompt, kUnavailable);
    EXPECT_TRUE(d->isVisible());
    delete d;
}

class SystemInfoTest : public ::testing::Test {
protected:
    void launch() { LaunchSystemInfo(registry, launcher, messages); }
    bool messageShown() const {
        return messages.shown.size() == 1 && messages.shown[0].prompt == kUnavailable;
    }
    FakeRegistry registry;
    FakeLauncher launcher;
    RecordingMessageBoxes messages;
    QTemporaryDir folder;
};

TEST_F(SystemInfoTest, KeyOneFoundMeansKeyTwoIsNeverRead) {
    registry.set(kKey1, QStringLiteral("PATH"), kRegSz, "/opt/info");
    registry.set(kKey2, QStringLiteral("MSINFO"), kRegSz, folder.path().toUtf8());
    launch();
    EXPECT_EQ(registry.queried, QStringList{kKey1});
    EXPECT_EQ(launcher.started, QStringList{QStringLiteral("/opt/info")});
    for (std::uint32_t root : registry.roots)
        EXPECT_EQ(root, kHKeyLocalMachine);
}

TEST_F(SystemInfoTest, KeyTwoFolderWithTheProgramStartsIt) {
    QFile program(folder.filePath(QStringLiteral("MSINFO32.EXE")));
    ASSERT_TRUE(program.open(QIODevice::WriteOnly));
    program.close();
    registry.set(kKey2, QStringLiteral("MSINFO"), kRegSz, folder.path().toUtf8() + '\0');
    launch();
    EXPECT_EQ(registry.queried, (QStringList{kKey1, kKey2}));
    EXPECT_EQ(launcher.started, QStringList{program.fileName()});
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(SystemInfoTest, KeyTwoFolderWithoutTheProgramShowsTheMessageAndStartsNothing) {
    QDir(folder.path()).mkdir(QStringLiteral("MSINFO32.EXE")); // a folder is not the program
    registry.set(kKey2, QStringLiteral("MSINFO"), kRegSz, folder.path().toUtf8());
    launcher.onPath[QStringLiteral("hardinfo")] = QStringLiteral("/usr/bin/hardinfo");
    launch();
    EXPECT_TRUE(launcher.started.isEmpty());
    EXPECT_TRUE(messageShown());
}

TEST_F(SystemInfoTest, KeyOneOfAnotherTypeGivesNothingToStart) {
    registry.set(kKey1, QStringLiteral("PATH"), 3, Bytes("\x01\x02", 2));
    launch();
    EXPECT_EQ(registry.queried, QStringList{kKey1});
    EXPECT_TRUE(launcher.started.isEmpty());
    EXPECT_TRUE(messageShown());
}

TEST_F(SystemInfoTest, WithoutRegistryTheFirstEquivalentOnPathStarts) {
    launcher.onPath[QStringLiteral("hardinfo")] = QStringLiteral("/usr/bin/hardinfo");
    launcher.onPath[QStringLiteral("gnome-system-monitor")] = QStringLiteral("/usr/bin/gsm");
    launch();
    EXPECT_EQ(launcher.looked,
              (QStringList{QStringLiteral("kinfocenter"), QStringLiteral("hardinfo")}));
    EXPECT_EQ(launcher.started, QStringList{QStringLiteral("/usr/bin/hardinfo")});
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(SystemInfoTest, NothingAnywhereShowsTheMessage) {
    launch();
    EXPECT_EQ(launcher.looked.size(), 3);
    EXPECT_TRUE(launcher.started.isEmpty());
    EXPECT_TRUE(messageShown());
}

TEST_F(SystemInfoTest, AProgramThatFailsToStartShowsTheMessage) {
    registry.set(kKey1, QStringLiteral("PATH"), kRegSz, "/opt/info");
    launcher.startWorks = false;
    launch();
    EXPECT_EQ(launcher.started.size(), 1);
    EXPECT_TRUE(messageShown());
}

struct DecodeCase {
    const char* name;
    std::uint32_t type;
    QByteArray data;
    bool found;
    QString text;
};

class RegistryDecode : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(RegistryDecode, TrimsOneClosingNulAndConvertsByType) {
    const DecodeCase& c = GetParam();
    FakeRegistry registry;
    registry.set(QStringLiteral("K"), QStringLiteral("V"), c.type, c.data);
    const RegistryText got =
        ReadRegistryText(registry, kHKeyLocalMachine, QStringLiteral("K"), QStringLiteral("V"));
    EXPECT_EQ(got.found, c.found);
    EXPECT_EQ(got.text, c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Registry, RegistryDecode,
    ::testing::Values(
        DecodeCase{"TextWithNul", kRegSz, Bytes("C:\\info.exe\0", 12), true, "C:\\info.exe"},
        DecodeCase{"TextWithoutNulKeepsLastCharacter", kRegSz, "C:\\info.exe", true,
                   "C:\\info.exe"},
        DecodeCase{"OnlyOneNulIsDropped", kRegSz, Bytes("ab\0\0", 4), true,
                   QString::fromLatin1("ab\0", 3)},
        DecodeCase{"EmptyText", kRegSz, QByteArray(), true, QString()},
        DecodeCase{"JustANul", kRegSz, Bytes("\0", 1), true, QString()},
        DecodeCase{"Utf8Text", kRegSz, QString::fromUtf16(u"情報").toUtf8(), true,
                   QString::fromUtf16(u"情報")},
        DecodeCase{"Dword", kRegDword, Bytes("\x39\x30\0\0", 4), true, "12345"},
        DecodeCase{"DwordAllOnesIsUnsigned", kRegDword, Bytes("\xff\xff\xff\xff", 4), true,
                   "4294967295"},
        DecodeCase{"ShortDwordIsZeroPadded", kRegDword, Bytes("\x01\x02", 2), true, "513"},
        DecodeCase{"OtherTypeIsFoundButEmpty", 3, Bytes("\x01\x02\x03", 3), true, QString()},
        DecodeCase{"FillsTheBuffer", kRegSz, QByteArray(1024, 'a'), true, QString(1024, u'a')},
        DecodeCase{"LargerThanTheBuffer", kRegSz, QByteArray(1025, 'a'), false, QString()}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RegistryRead, MissingValueIsNotFound) {
    FakeRegistry registry;
    const RegistryText got =
        ReadRegistryText(registry, kHKeyLocalMachine, QStringLiteral("K"), QStringLiteral("V"));
    EXPECT_FALSE(got.found);
    EXPECT_TRUE(got.text.isEmpty());
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
    RecordingMessageBoxes messages;
    LaunchSystemInfo(registry, launcher, messages);
    qputenv("PATH", oldPath);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_TRUE(QTest::qWaitFor([&] { return QFile::exists(mark); }, 10000));
}

TEST(SystemInfoOnLinux, EmptyPathStartsNothing) {
    const QByteArray oldPath = qgetenv("PATH");
    QTemporaryDir empty;
    qputenv("PATH", empty.path().toUtf8());
    NullRegistry registry;
    QtProcessLauncher launcher;
    RecordingMessageBoxes messages;
    LaunchSystemInfo(registry, launcher, messages);
    qputenv("PATH", oldPath);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].prompt, kUnavailable);
    EXPECT_FALSE(launcher.startDetached(QString()));
}

TEST(Manual, OpensTheFileUrlUnderTheProgramFolderAndStaysSilentOnFailure) {
    TempHome home;
    FakeUrlOpener opener;
    opener.answer = false;
    OpenManual(opener);
    ASSERT_EQ(opener.opened.size(), 1u);
    EXPECT_TRUE(opener.opened[0].isLocalFile());
    EXPECT_EQ(opener.opened[0].toLocalFile(),
              QDir(home.path()).filePath(QStringLiteral("Manual/html/index.htm")));
    EXPECT_EQ(ManualPath(), opener.opened[0].toLocalFile());
}

} // namespace
