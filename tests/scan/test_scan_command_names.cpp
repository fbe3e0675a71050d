// Numbered names, their no-replace publishing, special folders and the output folder by
// "Type": the pieces the automatic save and the temporary page files are named with.
#include "auto_save.h"
#include "numbered_names.h"
#include "program_paths.h"
#include "temp_home.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using namespace folivo;
using folivo::test::TempHome;

namespace {

void Touch(const QString& path, const QByteArray& bytes = {}) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write(bytes);
}

TEST(NumberedName, FiveDigitsTakenFromTheEndOfTheNumber) {
    const struct {
        const char *prefix, *folder, *extension;
        int number;
        const char* expected;
    } cases[] = {
        {"BMP", "/out", "BMP", 1, "/out/BMP00001.BMP"},
        {"JPEG", "/out", "jpg", 12, "/out/JPEG00012.jpg"},
        {"PDF", "/out", "PDF", 99999, "/out/PDF99999.PDF"},
        {"PDF", "/out", "PDF", 100000, "/out/PDF00000.PDF"},
        {"TMP", "/home/u/tmp", "BMP", 345, "/home/u/tmp/TMP00345.BMP"},
        // The separator is always inserted: a folder ending in "/" gives "//".
        {"BMP", "/home/u/Desktop/", "BMP", 2, "/home/u/Desktop//BMP00002.BMP"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NumberedName(c.prefix, c.folder, c.extension, c.number), QString(c.expected))
            << c.expected;
}

TEST(FileExists, OnlyFilesThatCanBeFoundCount) {
    QTemporaryDir dir;
    Touch(dir.filePath("page.BMP"));
    QDir(dir.path()).mkdir("folder.BMP");
    const struct {
        QString path;
        bool expected;
    } cases[] = {
        {dir.filePath("page.BMP"), true},    {dir.filePath("missing.BMP"), false},
        {dir.filePath("folder.BMP"), false}, {QString(), false},
        {dir.filePath("*.BMP"), false},      {dir.filePath("page.BM?"), false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FileExists(c.path), c.expected) << c.path.toStdString();
}

TEST(NextFreeFileName, FillsTheFirstGap) {
    QTemporaryDir dir;
    for (const char* name : {"BMP00001.BMP", "BMP00002.BMP", "BMP00004.BMP", "JPEG00001.jpg"})
        Touch(dir.filePath(name));
    EXPECT_EQ(NextFreeFileName("BMP", dir.path(), "BMP"), dir.path() + "/BMP00003.BMP");
    // Each prefix has its own sequence.
    EXPECT_EQ(NextFreeFileName("JPEG", dir.path(), "jpg"), dir.path() + "/JPEG00002.jpg");
    EXPECT_EQ(NextFreeFileName("PDF", dir.path(), "PDF"), dir.path() + "/PDF00001.PDF");
}

TEST(NextFreeFileName, ZeroesComeAfterNinesAndThenTheSearchEnds) {
    std::vector<QString> asked;
    auto allButZeroes = [&](const QString& name) {
        asked.push_back(name);
        return !name.endsWith("00000.BMP");
    };
    EXPECT_EQ(NextFreeFileName("BMP", "/f", "BMP", allButZeroes), QString("/f/BMP00000.BMP"));
    ASSERT_EQ(asked.size(), 100000u);
    EXPECT_EQ(asked[99998], QString("/f/BMP99999.BMP"));

    int probes = 0;
    auto everythingTaken = [&](const QString&) { return ++probes > 0; };
    EXPECT_EQ(NextFreeFileName("BMP", "/f", "BMP", everythingTaken), std::nullopt);
    EXPECT_EQ(probes, 100000); // every number once, no endless loop
}

// Publishes `bytes` under the numbered target; answers the name it got.
QString Publish(const QString& folder, const QByteArray& bytes) {
    DurableFile file(NumberedTarget("JPEG", folder, "jpg"));
    if (!file.open() || file.write(bytes) != bytes.size())
        return {};
    return file.commit() == DurableFile::Commit::Ok ? file.finalPath() : QString();
}

TEST(NumberedTarget, WritersRacingForTheSameFolderGetDistinctNames) {
    QTemporaryDir dir;
    constexpr int kPerWriter = 60;
    std::vector<QString> a, b;
    auto writer = [&dir](std::vector<QString>& out) {
        for (int i = 0; i < kPerWriter; ++i)
            out.push_back(Publish(dir.path(), QByteArray::number(i)));
    };
    std::thread one(writer, std::ref(a));
    std::thread two(writer, std::ref(b));
    one.join();
    two.join();
    QSet<QString> all;
    for (const auto* list : {&a, &b})
        for (const QString& name : *list)
            all.insert(name);
    EXPECT_EQ(all.size(), 2 * kPerWriter) << "a number was handed to both writers";
    EXPECT_TRUE(all.contains(dir.path() + "/JPEG00120.jpg"));
    EXPECT_EQ(
        QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).size(),
        2 * kPerWriter)
        << "a temporary file stayed behind";
}

TEST(NumberedTarget, ANameTakenByAnythingIsPassedOverAndNoLinkIsWrittenThrough) {
    QTemporaryDir dir;
    QDir(dir.path()).mkdir("JPEG00001.jpg");
    const QString outside = dir.filePath("elsewhere");
    ASSERT_TRUE(QFile::link(outside, dir.filePath("JPEG00002.jpg"))); // dangling
    EXPECT_EQ(Publish(dir.path(), "page"), dir.path() + "/JPEG00003.jpg");
    EXPECT_FALSE(QFileInfo::exists(outside));
    EXPECT_EQ(QFileInfo(dir.filePath("JPEG00002.jpg")).symLinkTarget(), outside);
}

TEST(NumberedTarget, AKilledSaveLeavesNothingUnderAFinalName) {
    QTemporaryDir dir;
    const pid_t child = fork();
    if (child == 0) {
        DurableFile file(NumberedTarget("JPEG", dir.path(), "jpg"));
        (void)file.open();
        (void)file.write(QByteArray(1 << 20, 'x'));
        raise(SIGKILL);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status));
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());
    EXPECT_EQ(NextFreeFileName("JPEG", dir.path(), "jpg", NameIsTaken),
              dir.path() + "/JPEG00001.jpg");
}

class OutputFolderTest : public ::testing::Test {
protected:
    void settings(const QByteArray& text) { home.write("Folivo.ini", text); }
    TempHome home;
    SpecialFolders folders{[] { return QStringLiteral("/desk/"); },
                           [] { return QStringLiteral("/docs/"); }};
};

TEST_F(OutputFolderTest, ChosenByTypeAndPath) {
    const QString program = DataFolder() + "/";
    const struct {
        const char* ini;
        AutoSaveFormat format;
        QString expected;
    } cases[] = {
        {"[BMP]\nType=0\n", AutoSaveFormat::Bmp, "/desk/"},
        {"[JPEG]\nType=1\n", AutoSaveFormat::Jpeg, "/docs/"},
        {"[PDF]\nType=2\nPath=/scans/book\n", AutoSaveFormat::Pdf, "/scans/book"},
        {"[PDF]\nType=2\n", AutoSaveFormat::Pdf, program},
        {"[BMP]\nType=3\n", AutoSaveFormat::Bmp, program},
        {"[BMP]\nType=\n", AutoSaveFormat::Bmp, program},
        {"", AutoSaveFormat::Jpeg, program},
        // Each format reads its own section.
        {"[BMP]\nType=0\n", AutoSaveFormat::Jpeg, program},
    };
    for (const auto& c : cases) {
        settings(c.ini);
        EXPECT_EQ(OutputFolder(c.format, folders), std::optional<QString>(c.expected)) << c.ini;
    }
}

TEST_F(OutputFolderTest, FlagMustReadAsTrue) {
    // The words and numbers are read as every other setting; unreadable text is off.
    for (const auto& [flag, on] : {std::pair{"true", true}, std::pair{"-1", true},
                                   std::pair{"0", false}, std::pair{"yes", false}}) {
        settings(QByteArray("[JPEG]\nFlag=") + flag + "\n");
        EXPECT_EQ(AutoSaveEnabled(AutoSaveFormat::Jpeg), on) << flag;
        EXPECT_FALSE(AutoSaveEnabled(AutoSaveFormat::Bmp)) << "absent flag is off";
    }
}

} // namespace
