
#include "program_paths.h"
#include "settings.h"
#include "size_limit.h"
#include "temp_home.h"
#include "work_folder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace folivo;
using folivo::test::TempHome;

TEST(Settings, MissingFileSectionOrKeyGivesTheDefault) {
    TempHome home;
    EXPECT_EQ(ReadSetting("ToolBar", "Flag", "True"), "True");
    home.write("Folivo.ini", "[JPEG]\nEncode=False\n");
    EXPECT_EQ(ReadSetting("PDF", "Comp", "dflt"), "dflt");
    EXPECT_EQ(ReadSetting("JPEG", "Complevel", ""), "");
    EXPECT_EQ(ReadSetting("JPEG", "Encode", ""), "False");
}

TEST(Settings, SectionAndKeyMatchWithoutRegardToCase) {
    TempHome home;
    ASSERT_EQ(WriteSetting("Toolbar", "Flag", "False"), 1);
    EXPECT_EQ(ReadSetting("ToolBar", "Flag", "True"), "False");
    ASSERT_EQ(WriteSetting("TOOLBAR", "flag", "True"), 1);
    EXPECT_EQ(home.read("Folivo.ini"), "[Toolbar]\nflag=True\n");
}

TEST(Settings, HandEditedFileKeepsCommentsBlankLinesAndOrder) {
    TempHome home;
    const QByteArray original = "; Folivo settings\r\n\r\n[ JPEG ]\r\n  Complevel = 4 \r\n"
                                "# keep me\r\n\r\n[PDF]\r\nComp=\"False\"\r\n";
    home.write("Folivo.ini", original);
    EXPECT_EQ(ReadSetting("jpeg", "COMPLEVEL", ""), "4");
    EXPECT_EQ(ReadSetting("PDF", "Comp", ""), "False");
    ASSERT_EQ(WriteSetting("JPEG", "Encode", "True"), 1);
    EXPECT_EQ(home.read("Folivo.ini"),
              "; Folivo settings\r\n\r\n[ JPEG ]\r\n  Complevel = 4 \r\n# keep me\r\n"
              "Encode=True\r\n\r\n[PDF]\r\nComp=\"False\"\r\n");
    ASSERT_EQ(WriteSetting("JPEG", "Complevel", "5"), 1);
    EXPECT_EQ(ReadSetting("JPEG", "Complevel", ""), "5");
    EXPECT_TRUE(
        home.read("Folivo.ini").startsWith("; Folivo settings\r\n\r\n[ JPEG ]\r\nComplevel=5\r\n"));
}

TEST(Settings, LongValuesAreCutAt255BytesWithoutHalfACharacter) {
    TempHome home;
    const QString ascii(300, u'a');
    ASSERT_EQ(WriteSetting("BMP", "Path", ascii), 1);
    EXPECT_EQ(ReadSetting("BMP", "Path", ""), QString(255, u'a'));
    // Three bytes a character in UTF-8: 85 fit exactly, then "a" + 85 need 256 bytes.
    const QString japanese(100, QChar(0x3042));
    ASSERT_EQ(WriteSetting("BMP", "Path", japanese), 1);
    EXPECT_EQ(ReadSetting("BMP", "Path", ""), QString(85, QChar(0x3042)));
    ASSERT_EQ(WriteSetting("BMP", "Path", u'a' + japanese), 1);
    EXPECT_EQ(ReadSetting("BMP", "Path", ""), u'a' + QString(84, QChar(0x3042)));
}

TEST(Settings, RefusedWritesAnswerZeroAndChangeNothing) {
    TempHome home;
    // Values that would break the file's lines.
    EXPECT_EQ(WriteSetting("BMP", "Path", "a\nInjected=1"), 0);
    EXPECT_EQ(WriteSetting("B]MP", "Path", "x"), 0);
    EXPECT_EQ(WriteSetting("BMP", "Pa=th", "x"), 0);
    // A read-only folder, then a read-only file (also as root, whom the bits alone would
    // not stop).
    QFile::setPermissions(home.path(), QFile::ReadOwner | QFile::ExeOwner);
    EXPECT_EQ(WriteSetting("TWAIN", "Dialog", "False"), 0);
    QFile::setPermissions(home.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_FALSE(QFile::exists(home.file("Folivo.ini")));
    home.write("Folivo.ini", "[TWAIN]\nDialog=True\n");
    QFile::setPermissions(home.file("Folivo.ini"), QFile::ReadOwner | QFile::ReadUser);
    EXPECT_EQ(WriteSetting("TWAIN", "Dialog", "False"), 0);
    EXPECT_EQ(home.read("Folivo.ini"), "[TWAIN]\nDialog=True\n");
}

TEST(Settings, FilePathAtARootHasNoDoubledSeparator) {
    const QByteArray old = qgetenv("FOLIVO_HOME");
    qputenv("FOLIVO_HOME", "/");
    EXPECT_EQ(SettingsFilePath(), "/Folivo.ini");
    qputenv("FOLIVO_HOME", "/opt/folivo");
    EXPECT_EQ(SettingsFilePath(), "/opt/folivo/Folivo.ini");
    qputenv("FOLIVO_HOME", old);
}

TEST(Settings, BooleansReadAsWordsOrNumbers) {
    struct Case {
        const char* text;
        std::optional<bool> expected;
    };
    const Case cases[] = {{"True", true},     {"FALSE", false},      {"true", true},
                          {"0", false},       {"-1", true},          {"2", true},
                          {"", std::nullopt}, {"yes", std::nullopt}, {"Tru", std::nullopt}};
    for (const Case& c : cases)
        EXPECT_EQ(ParseSettingBool(QString::fromUtf8(c.text)), c.expected) << c.text;
}

TEST(Settings, ValuesReadBackExactlyAsWritten) {
    TempHome home;
    for (const char* value : {" a ", "\"q\"", "x ", "\"", "\t", "plain", ""}) {
        ASSERT_EQ(WriteSetting("BMP", "Path", value), 1) << value;
        EXPECT_EQ(ReadSetting("BMP", "Path", "dflt"), value);
    }
}

TEST(Settings, AFileThatIsNotUtf8IsReadButNeverRewritten) {
    TempHome home;
    const QByteArray sjis = "[BMP]\r\nPath=C:\\\x83\x58\x83\x4c\x83\x83\x83\x93\r\n"
                            "[JPEG]\r\nComplevel=4\r\n";
    for (const QByteArray& bytes : {sjis, QByteArray("\xff\xfe[\0B\0", 6)}) {
        home.write("Folivo.ini", bytes);
        EXPECT_TRUE(SettingsFileIsUnreadableText());
        EXPECT_EQ(WriteSetting("Toolbar", "Flag", "False"), 0);
        EXPECT_EQ(home.read("Folivo.ini"), bytes);
    }
    home.write("Folivo.ini", sjis);
    EXPECT_EQ(ReadSetting("JPEG", "Complevel", ""), "4");
    home.write("Folivo.ini", "[BMP]\nPath=\xe3\x81\x82\n");
    EXPECT_FALSE(SettingsFileIsUnreadableText());
}

TEST(Settings, AFullDiskAnswersZeroAndKeepsTheFile) {
    TempHome home;
    const QByteArray old = "[Toolbar]\nFlag=True\n[BMP]\nPath=" + QByteArray(1500, 'p') + "\n";
    home.write("Folivo.ini", old);
    EXPECT_TRUE(test::ReportsFailureUnderSizeLimit(
        [] { return WriteSetting("Toolbar", "Flag", "False") == 0; }));
    EXPECT_EQ(home.read("Folivo.ini"), old);
    EXPECT_EQ(QDir(home.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

// Work folders: one Folivo never takes or deletes what another one is working on.
namespace {

void Page(const QString& path, const QByteArray& bytes = "BM page") {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

TEST(WorkFolder, OnlyFoldersWhoseOwnerIsGoneAreClaimedAndOnlyEmptyOnesRemoved) {
    QTemporaryDir tmp;
    WorkFolder live(tmp.path());
    ASSERT_FALSE(live.path().isEmpty());
    Page(live.path() + "/TMP00001.BMP");
    for (const char* dead : {"work-dead1", "work-dead2", "work-empty", "elsewhere"})
        QDir(tmp.path()).mkdir(dead);
    Page(tmp.filePath("work-dead1/TMP00002.BMP"));
    Page(tmp.filePath("work-dead1/TMP00001.bmp"));
    Page(tmp.filePath("work-dead2/TMP00001.BMP"));
    Page(tmp.filePath("work-empty/TMP00001.BMP"), {}); // an empty file holds no page
    Page(tmp.filePath("elsewhere/TMP00001.BMP"));
    ASSERT_TRUE(QFile::link(tmp.filePath("elsewhere"), tmp.filePath("work-link")));
    ASSERT_TRUE(QFile::link(tmp.filePath("elsewhere/TMP00001.BMP"),
                            tmp.filePath("work-dead2/TMP00002.BMP")));

    std::vector<AbandonedFolder> claimed = ClaimAbandonedFolders(tmp.path());
    ASSERT_EQ(claimed.size(), 2u);
    EXPECT_EQ(claimed[0].pages, QStringList({tmp.filePath("work-dead1/TMP00001.bmp"),
                                             tmp.filePath("work-dead1/TMP00002.BMP")}));
    EXPECT_EQ(claimed[1].pages, QStringList({tmp.filePath("work-dead2/TMP00001.BMP")}));
    EXPECT_FALSE(QFileInfo::exists(tmp.filePath("work-empty")));
    EXPECT_TRUE(QFileInfo::exists(live.path() + "/TMP00001.BMP"));
    EXPECT_TRUE(QFileInfo::exists(tmp.filePath("elsewhere/TMP00001.BMP")));
    EXPECT_TRUE(ClaimAbandonedFolders(tmp.path()).empty()) << "claimed folders stay locked";

    RemoveAbandonedFolder(claimed[1]);
    EXPECT_FALSE(QFileInfo::exists(tmp.filePath("work-dead2")));
    EXPECT_TRUE(QFileInfo::exists(tmp.filePath("elsewhere/TMP00001.BMP"))) << "link followed";
}

TEST(WorkFolder, SheetsAreMarkedAndAdoptedPagesTakeFreeNumbersInOrder) {
    QTemporaryDir tmp;
    WorkFolder mine(tmp.path());
    Page(mine.path() + "/TMP00001.BMP");
    EXPECT_FALSE(HoldsSheets(mine.path()));
    MarkSheets(mine.path(), true);
    EXPECT_TRUE(HoldsSheets(mine.path()));
    QDir(tmp.path()).mkdir("old");
    Page(tmp.filePath("old/TMP00001.BMP"), "first");
    Page(tmp.filePath("old/TMP00002.BMP"), "second");
    const QStringList moved = AdoptPages(
        {tmp.filePath("old/TMP00001.BMP"), tmp.filePath("old/TMP00002.BMP")}, mine.path());
    EXPECT_EQ(moved, QStringList({mine.path() + "/TMP00002.BMP", mine.path() + "/TMP00003.BMP"}));
    QFile second(moved[1]);
    ASSERT_TRUE(second.open(QIODevice::ReadOnly));
    EXPECT_EQ(second.readAll(), "second");
    MarkSheets(mine.path(), false);
    EXPECT_FALSE(HoldsSheets(mine.path()));
    mine.remove();
    EXPECT_FALSE(QFileInfo::exists(mine.path()));
}

} // namespace
