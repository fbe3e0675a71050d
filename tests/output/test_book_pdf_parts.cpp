// The parts of the multi-page PDF command: the file search it reads its sheets with, and
// its prompt.
#include "book_pdf_prompt.h"
#include "fake_message_boxes.h"
#include "search_files.h"
#include "test_images.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

namespace folivo {
namespace {

class SearchFilesTest : public ::testing::Test {
protected:
    void touch(const QString& relative) {
        const QString path = dir.filePath(relative);
        QDir().mkpath(QFileInfo(path).path());
        ASSERT_TRUE(test::WriteBytes(path, "x")) << relative.toStdString();
    }
    QStringList found() const {
        QStringList names;
        for (int i = 0; i <= list.count; ++i)
            names << QDir(dir.path()).relativeFilePath(list.entries[std::size_t(i)]);
        return names;
    }
    QString root() const { return dir.path() + "/"; }

    QTemporaryDir dir;
    FileList list;
    test::FakeMessageBoxes boxes;
};

TEST(MatchesPattern, WildcardsWithoutRegardToCase) {
    const std::tuple<const char*, const char*, bool> cases[] = {{"TMP00001.BMP", "*.bmp", true},
                                                                {"scan.Bmp", "*.bmp", true},
                                                                {"scan.bmp.txt", "*.bmp", false},
                                                                {"scan.jpg", "*.bmp", false},
                                                                {"TMP1.BMP", "TMP?.BMP", true},
                                                                {"TMP12.BMP", "TMP?.BMP", false},
                                                                {"a.b", "*.*", true}};
    for (const auto& [name, pattern, matches] : cases)
        EXPECT_EQ(MatchesPattern(name, pattern), matches) << name << " " << pattern;
}

TEST_F(SearchFilesTest, OwnFilesFirstInCaselessOrderThenSubfoldersDepthFirst) {
    for (const char* name : {"b.bmp", "A.BMP", "c.txt", "sub2/z.bmp", "Sub1/y.bmp",
                             "Sub1/deeper/x.BMP", "Sub1/w.bmp", "folder.bmp/inside.bmp"})
        touch(name);
    ASSERT_TRUE(SearchFiles(root() + "*.bmp", true, list, boxes));
    EXPECT_EQ(found(), QStringList({"A.BMP", "b.bmp", "folder.bmp/inside.bmp", "Sub1/w.bmp",
                                    "Sub1/y.bmp", "Sub1/deeper/x.BMP", "sub2/z.bmp"}));
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(SearchFilesTest, OneFolderOnlyAnEmptyPatternAndFailuresOfThePath) {
    touch("one.bmp");
    touch("two.txt");
    touch("sub/three.bmp");
    ASSERT_TRUE(SearchFiles(root() + "*.bmp", false, list, boxes));
    EXPECT_EQ(found(), QStringList({"one.bmp"}));
    // A second search appends after the entry the count names; an empty pattern takes all.
    ASSERT_TRUE(SearchFiles(root(), false, list, boxes));
    EXPECT_EQ(found(), QStringList({"one.bmp", "one.bmp", "two.txt"}));

    FileList none;
    EXPECT_FALSE(SearchFiles("no-slash-at-all", true, none, boxes));
    EXPECT_FALSE(SearchFiles(root() + "missing/*.bmp", true, none, boxes));
    EXPECT_TRUE(SearchFiles(root() + "missing/*.bmp", false, none, boxes));
    EXPECT_EQ(none.count, -1);
}

TEST_F(SearchFilesTest, TheThousandAndFirstMatchOverflows) {
    for (int i = 0; i < 1000; ++i)
        touch(QStringLiteral("s/TMP%1.BMP").arg(i, 5, 10, QChar(u'0')));
    ASSERT_TRUE(SearchFiles(root() + "*.bmp", true, list, boxes));
    EXPECT_EQ(list.count, 999);
    EXPECT_TRUE(boxes.shown.empty());

    touch("extra.bmp");
    FileList again;
    EXPECT_FALSE(SearchFiles(root() + "*.bmp", true, again, boxes));
    EXPECT_EQ(again.count, kFileListSize);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].prompt, QStringLiteral("ファイル名バッファオーバー"));
    EXPECT_EQ(again.entries[0], root() + "extra.bmp");
}

TEST_F(SearchFilesTest, NoLinkIsListedOrFollowed) {
    touch("sub/page.bmp");
    ASSERT_TRUE(QFile::link(dir.path(), dir.filePath("sub/loop")));
    ASSERT_TRUE(QFile::link(dir.filePath("sub/page.bmp"), dir.filePath("link.bmp")));
    ASSERT_TRUE(SearchFiles(root() + "*.bmp", true, list, boxes));
    EXPECT_EQ(found(), QStringList({"sub/page.bmp"}));
}

// Answers the prompt the way given, once it is open.
BookPdfAnswer AskAndAnswer(const std::function<void(frmBookPDF*)>& act) {
    QTimer::singleShot(0, [act] {
        auto* dialog = qobject_cast<frmBookPDF*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        act(dialog);
    });
    QWidget owner;
    DialogBookPdfPrompt prompt(&owner);
    return prompt.ask({QStringLiteral("もう一枚"), 1, QString()});
}

TEST(BookPdfPrompt, EachWayOfClosingGivesItsAnswer) {
    EXPECT_EQ(AskAndAnswer([](frmBookPDF* d) { d->nextButton()->click(); }), BookPdfAnswer::Next);
    EXPECT_EQ(AskAndAnswer([](frmBookPDF* d) { d->closeButton()->click(); }), BookPdfAnswer::Done);
    EXPECT_EQ(AskAndAnswer([](frmBookPDF* d) { d->close(); }), BookPdfAnswer::Closed);
    EXPECT_EQ(AskAndAnswer([](frmBookPDF* d) { d->reject(); }), BookPdfAnswer::Closed);
}

} // namespace
} // namespace folivo
