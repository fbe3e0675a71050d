// The multi-page PDF command driven like a user: sheets scanned, the prompt and the save
// dialog answered, the PDF read back.
#include "book_pdf_fixture.h"
#include "pdf_probe.h"
#include "recovery_command.h"
#include "size_limit.h"

#include <QFile>

namespace folivo {
namespace {

using test::BookPdfTest;

const std::vector<double> kPortraitBox{0, 0, 595.2, 841.8};
const std::vector<double> kLandscapeBox{0, 0, 841.8, 595.2};

// A black BMP; a negative height makes a top-down file.
QByteArray BlackBmp(int width, int height) {
    return test::BuildBmp({width, height, 24, {}, 11811, [](int, int) { return 0u; }});
}

TEST_F(BookPdfTest, OneSheetThenDoneGivesAOnePagePdfAndClearsTheSheets) {
    sheets({{40, 60}});
    prompt.answers = {BookPdfAnswer::Done};
    dialog.answer = home.file("book.pdf");
    command->menuBook();
    const test::ProbedPdf pdf = test::ProbePdf(home.file("book.pdf"));
    ASSERT_TRUE(pdf.ok) << pdf.error;
    ASSERT_EQ(pdf.pages.size(), 1u);
    EXPECT_EQ(pdf.pages[0].mediaBox, kPortraitBox);
    EXPECT_EQ(dialog.shown, 1);
    EXPECT_TRUE(sheetFiles().isEmpty());
    EXPECT_EQ(saveEnabledCalls, std::vector<bool>({false}));
    EXPECT_EQ(status.line, QStringLiteral("PDFファイルの保存を終了しました。"));
    ASSERT_EQ(prompt.seen.size(), 1u);
    EXPECT_EQ(prompt.seen[0].sheetCount, 1);
    EXPECT_EQ(prompt.seen[0].lastSheetFile, tmpFolder() + "/TMP00001.BMP");
    EXPECT_EQ(repaints, 1);
}

TEST_F(BookPdfTest, ACancelledFirstScanThenDoneSaysThereIsNothingAndShowsNoDialog) {
    // Sheets of an earlier run are deleted first, other files kept.
    test::ColourPicture(10, 10).save(tmpFolder() + "/TMP00007.bmp", "BMP");
    ASSERT_TRUE(test::WriteBytes(tmpFolder() + "/notes.txt", "kept"));
    sheets({{}});
    prompt.answers = {BookPdfAnswer::Done};
    command->menuBook();
    EXPECT_EQ(prompt.captions(), QStringList({"再試行"}));
    EXPECT_EQ(dialog.shown, 0);
    EXPECT_EQ(status.events, QStringList({"message:" + kNoSheetsText + "|" + kNoSheetsText}));
    EXPECT_EQ(saveEnabledCalls, std::vector<bool>({false}));
    EXPECT_EQ(document.pageCount(), 0);
    EXPECT_TRUE(sheetFiles().isEmpty());
    EXPECT_TRUE(QFile::exists(tmpFolder() + "/notes.txt"));
}

TEST_F(BookPdfTest, ThreeScansWithTheSecondCancelledGiveTwoPagesInScanOrder) {
    sheets({{300, 100}, {}, {100, 300}});
    // A prompt closed by its window button goes on like the first button.
    prompt.answers = {BookPdfAnswer::Next, BookPdfAnswer::Closed, BookPdfAnswer::Done};
    dialog.answer = home.file("three.pdf");
    command->menuBook();
    EXPECT_EQ(prompt.captions(), QStringList({"もう一枚", "再試行", "もう一枚"}));
    EXPECT_EQ(prompt.seen[1].sheetCount, 1);
    EXPECT_EQ(prompt.seen[2].sheetCount, 2);
    ASSERT_EQ(document.pageCount(), 2);
    EXPECT_EQ(document.pages()[0].widthTwips, 16836);
    EXPECT_EQ(document.pages()[0].heightTwips, 11904);
    EXPECT_EQ(document.pages()[0].pictures.at(0).boxTwips, QRect(0, 0, 16836, 5612));
    EXPECT_EQ(document.pages()[1].pictures.at(0).boxTwips, QRect(0, 0, 5612, 16836));
    const test::ProbedPdf pdf = test::ProbePdf(home.file("three.pdf"));
    ASSERT_TRUE(pdf.ok) << pdf.error;
    ASSERT_EQ(pdf.pages.size(), 2u);
    EXPECT_EQ(pdf.pages[0].mediaBox, kLandscapeBox);
    EXPECT_EQ(pdf.pages[0].images.at(0).width, 300);
    EXPECT_EQ(pdf.pages[1].mediaBox, kPortraitBox);
    EXPECT_EQ(pdf.pages[1].images.at(0).width, 100);
}

// A cancelled save dialog keeps the sheets for a later PDF save; the next multi-page run
// asks about them, and going on puts them first.
TEST_F(BookPdfTest, KeptSheetsAreSavedLaterOrAskedAboutAndGoingOnPutsThemFirst) {
    for (const auto& [goOn, pages] : {std::pair{true, 3u}, std::pair{false, 1u}}) {
        SCOPED_TRACE(goOn);
        DeleteSheetFiles(tmpFolder());
        stored = 0;
        saveEnabledCalls.clear();
        sheets({{30, 20}, {20, 30}});
        prompt.answers = {BookPdfAnswer::Next, BookPdfAnswer::Done};
        dialog.answer.clear();
        command->menuBook();
        EXPECT_EQ(sheetFiles(), QStringList({"TMP00001.BMP", "TMP00002.BMP"}));
        EXPECT_TRUE(saveEnabledCalls.empty()) << "save commands must stay enabled";
        EXPECT_EQ(status.line, KeptSheetsStatus(2));
        if (!goOn) {
            dialog.answer = home.file("again.pdf"); // Ctrl+P
            ASSERT_TRUE(save.menuSavePDF());
            EXPECT_EQ(test::ProbePdf(home.file("again.pdf")).pages.size(), 2u);
        }
        prompt.keptAsked.clear();
        prompt.goOn = goOn;
        sheets({{40, 10}});
        prompt.answers = {BookPdfAnswer::Done};
        dialog.answer = home.file("next.pdf");
        command->menuBook();
        EXPECT_EQ(prompt.keptAsked, std::vector<int>({2}));
        const test::ProbedPdf pdf = test::ProbePdf(home.file("next.pdf"));
        ASSERT_EQ(pdf.pages.size(), pages);
        EXPECT_EQ(pdf.pages.back().images.at(0).width, 40) << "the new sheet comes last";
        EXPECT_TRUE(sheetFiles().isEmpty());
    }
}

TEST_F(BookPdfTest, ASaveFailingOnAFullDiskKeepsTheSheets) {
    sheets({{10, 10}, {10, 12}});
    prompt.answers = {BookPdfAnswer::Next, BookPdfAnswer::Done};
    dialog.answer = home.file("full.pdf");
    // Sheets of under 600 bytes fit; a PDF of two pages does not.
    EXPECT_TRUE(test::ReportsFailureUnderSizeLimit(
        [this] {
            command->menuBook();
            return status.line == KeptSheetsStatus(2);
        },
        600));
    EXPECT_EQ(sheetFiles(), QStringList({"TMP00001.BMP", "TMP00002.BMP"}));
    EXPECT_FALSE(QFile::exists(home.file("full.pdf")));
}

TEST_F(BookPdfTest, AFailedExportKeepsTheSheets) {
    sheets({{30, 20}});
    dialog.answer = home.file("missing/folder/book.pdf");
    command->menuBook();
    EXPECT_EQ(sheetFiles(), QStringList({"TMP00001.BMP"}));
    EXPECT_TRUE(saveEnabledCalls.empty());
    EXPECT_EQ(status.events.filter("message:PDFファイルの作成に失敗しました。").size(), 1);
    EXPECT_EQ(status.line, KeptSheetsStatus(1));
}

TEST_F(BookPdfTest, ThousandAndOneSheetsOverflowThenSearchErrorAndKeepTheSheets) {
    const QByteArray sheet = BlackBmp(2, 1);
    // The command empties the folder first; the sheets arrive during its loop.
    command = writingCommand(
        [&] {
            for (int n = 1; n <= 1001; ++n)
                test::WriteBytes(
                    tmpFolder() + QStringLiteral("/TMP%1.BMP").arg(n, 5, 10, QChar(u'0')), sheet);
        },
        [this] { return save.menuSavePDF(); });
    dialog.answer = home.file("last-page-only.pdf");
    command->menuBook();
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].title, QString());
    EXPECT_EQ(boxes.shown[0].prompt, QStringLiteral("ファイル名バッファオーバー"));
    ASSERT_FALSE(status.events.isEmpty());
    EXPECT_EQ(status.events.first(), "message:" + kSearchErrorText + "|" + kSearchErrorText);
    EXPECT_EQ(sheetFiles().size(), 1001);
    EXPECT_TRUE(saveEnabledCalls.empty());
}

TEST_F(BookPdfTest, SheetsComeInCaselessNameOrderAndPagesFollowTheirHeaders) {
    prompt.answers = {BookPdfAnswer::Done};
    command = writingCommand(
        [this] { // written out of order, in mixed letter case
            test::WriteBytes(tmpFolder() + "/TMP00004.BMP", "not a picture");
            // A top-down BMP: its height does not fit the header reader.
            test::WriteBytes(tmpFolder() + "/tmp00003.bmp", BlackBmp(4, -9));
            test::ColourPicture(60, 20).save(tmpFolder() + "/TMP00002.BMP", "BMP");
            test::ColourPicture(50, 50).save(tmpFolder() + "/TMP00001.bmp", "BMP");
        },
        [] { return false; });
    command->menuBook();
    ASSERT_EQ(document.pageCount(), 4);
    EXPECT_EQ(document.pages()[0].pictures.at(0).load().width(), 50);
    EXPECT_EQ(document.pages()[1].pictures.at(0).load().width(), 60);
    const int expected[] = {0, 1, 1, 0}; // square portrait, wide, kept, unrecognised
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(document.pages()[i].orientation, expected[i]) << "page " << i + 1;
}

class ScriptedRecovery final : public RecoveryPrompt {
public:
    RecoveryChoice ask(const QStringList& pages) override {
        asked.append(pages);
        return choice;
    }
    RecoveryChoice choice = RecoveryChoice::None;
    QList<QStringList> asked;
};

// Pages an earlier run left in a work folder whose owner is gone; this window's own
// work folder is a live one beside it.
class RecoveryTest : public test::BookPdfTest {
protected:
    QString dead() const { return home.file("tmp/work-dead"); }
    // A fresh start: three pages left by the dead run, an empty folder of our own.
    void restart() {
        QDir(home.file("tmp")).removeRecursively();
        QDir().mkpath(home.file("tmp"));
        mine = std::make_unique<WorkFolder>(home.file("tmp"));
        state.workFolder = mine->path();
        QDir().mkpath(dead());
        for (int i = 1; i <= 3; ++i)
            test::ColourPicture(10 * i, 20).save(dead() + QStringLiteral("/TMP0000%1.BMP").arg(i));
    }
    ScriptedRecovery prompt;
    std::unique_ptr<WorkFolder> mine;
    RecoveryCommand recovery{prompt,
                             status,
                             state,
                             document,
                             {[this] { return save.menuSavePDF(); },
                              [this](bool on) { saveEnabledCalls.push_back(on); }}};
};

TEST_F(RecoveryTest, EveryChoiceKeepsOrGivesUpThePagesAsTheUserSaid) {
    const struct {
        RecoveryChoice choice;
        const char* pdf; // the save dialog's answer
        int pdfPages;    // pages of the PDF written, 0 for none
        int pagesLeft;   // page files left under tmp
    } cases[] = {
        {RecoveryChoice::None, "", 0, 3},    {RecoveryChoice::MakePdf, "all.pdf", 3, 0},
        {RecoveryChoice::MakePdf, "", 0, 3}, // dialog cancelled: kept sheets
        {RecoveryChoice::Show, "", 0, 3},    {RecoveryChoice::Discard, "", 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.choice));
        restart();
        prompt.choice = c.choice;
        dialog.answer = c.pdf[0] ? home.file(c.pdf) : QString();
        auto folders = ClaimAbandonedFolders(home.file("tmp"));
        recovery.offer(folders);
        ASSERT_EQ(prompt.asked.size(), 1);
        ASSERT_EQ(prompt.asked.takeLast().size(), 3);
        const int left = int(PageFilesIn(state.workFolder).size() + PageFilesIn(dead()).size());
        EXPECT_EQ(left, c.pagesLeft);
        if (c.pdfPages > 0) {
            EXPECT_EQ(test::ProbePdf(home.file(c.pdf)).pages.size(), std::size_t(c.pdfPages));
        }
        if (c.choice == RecoveryChoice::MakePdf || c.choice == RecoveryChoice::Show) {
            ASSERT_EQ(document.pageCount(), 3);
            EXPECT_EQ(document.pages()[2].pictures.at(0).load().width(), 30) << "in scan order";
        }
        if (c.pagesLeft > 0 && c.choice != RecoveryChoice::None) {
            EXPECT_TRUE(HoldsSheets(state.workFolder)) << "kept as this window's sheets";
            EXPECT_FALSE(QFileInfo::exists(dead()));
            EXPECT_EQ(status.line, KeptSheetsStatus(3));
        }
    }
}

} // namespace
} // namespace folivo
