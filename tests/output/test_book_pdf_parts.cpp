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

// The program searches one folder: its files in caseless name order, no link, no
// subfolder; past the list's size the search fails with the message.
TEST_F(SearchFilesTest, OneFolderInCaselessOrderUpToTheListSize) {
    for (const char* name : {"b.bmp", "A.BMP", "c.txt", "sub/three.bmp"})
        touch(name);
    ASSERT_TRUE(QFile::link(dir.filePath("b.bmp"), dir.filePath("link.bmp")));
    ASSERT_TRUE(SearchFiles(root() + "*.bmp", false, list, boxes));
    EXPECT_EQ(found(), QStringList({"A.BMP", "b.bmp"}));
    FileList none;
    EXPECT_FALSE(SearchFiles("no-slash-at-all", false, none, boxes));
    EXPECT_TRUE(SearchFiles(root() + "missing/*.bmp", false, none, boxes));
    EXPECT_EQ(none.count, -1);
    EXPECT_TRUE(boxes.shown.empty());

    for (int i = 2; i < 1000; ++i)
        touch(QStringLiteral("TMP%1.BMP").arg(i, 5, 10, QChar(u'0')));
    FileList full, over;
    ASSERT_TRUE(SearchFiles(root() + "*.bmp", false, full, boxes));
    EXPECT_EQ(full.count, 999);
    EXPECT_TRUE(boxes.shown.empty());
    touch("extra.bmp");
    EXPECT_FALSE(SearchFiles(root() + "*.bmp", false, over, boxes));
    EXPECT_EQ(over.count, kFileListSize);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].prompt, QStringLiteral("ファイル名バッファオーバー"));
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
