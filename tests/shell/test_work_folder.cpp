// Work folders: one Folivo never takes or deletes what another one is working on.
#include "work_folder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace folivo;

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
