// The save-as, multi-page PDF and recovery commands driven like a user on a temporary
// program folder: sheets "scanned" by the test, the prompts and the save dialog answered,
// the files read back; the file search and prompt behind it.
#include "answering_prompts.h"
#include "book_pdf_command.h"
#include "fake_message_boxes.h"
#include "image_writers.h"
#include "jpeg_probe.h"
#include "page_document.h"
#include "pdf_exporter.h"
#include "pdf_probe.h"
#include "pdf_stream_cache.h"
#include "poppler_tools.h"
#include "program_state.h"
#include "recording_status.h"
#include "recovery_command.h"
#include "save_as_commands.h"
#include "save_dialog.h"
#include "search_files.h"
#include "settings.h"
#include "sheet_rotation.h"
#include "sheet_strip.h"
#include "size_limit.h"
#include "temp_home.h"
#include "test_images.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <deque>
#include <gtest/gtest.h>

namespace folivo {
namespace {

using test::ProbePdf;

// Answers the save dialog with a scripted name ("" = Cancel) and remembers what it saw.
class ScriptedDialog : public SaveDialog {
public:
    QString askSaveFileName(const QString&, const QString& defaultExtension) override {
        ++shown;
        this->defaultExtension = defaultExtension;
        if (whileOpen)
            whileOpen();
        return answer;
    }
    QString answer, defaultExtension;
    std::function<void()> whileOpen;
    int shown = 0;
};

class CommandsTest : public ::testing::Test {
protected:
    CommandsTest() {
        QDir().mkpath(tmpFolder());
        state.workFolder = tmpFolder();
        QObject::connect(&document, &PageDocument::mousePointerChanged,
                         [this](int pointer) { pointers.push_back(pointer); });
        command =
            bookCommand([this] { return scanSheet(); }, [this] { return save.menuSavePDF(); });
    }
    // A multi-page command whose scans and PDF saves do what the test says.
    std::unique_ptr<BookPdfCommand> bookCommand(std::function<bool()> scan,
                                                std::function<bool()> savePdf,
                                                std::function<void(const QString&)> stored = {},
                                                std::function<void()> deleted = {},
                                                std::function<void(const QString&)> removed = {}) {
        return std::make_unique<BookPdfCommand>(
            BookPdfActions{std::move(scan),
                           std::move(savePdf),
                           [this](bool on) { saveEnabledCalls.push_back(on); },
                           {},
                           std::move(stored),
                           std::move(deleted),
                           std::move(removed)},
            prompt, status, boxes, state, document);
    }
    // One page on the document from the current image file, for the save-as commands.
    void onePage() {
        state.currentImageFile = home.file(QStringLiteral("TMP00001.BMP"));
        picture.save(state.currentImageFile, "BMP");
        document.StartDoc();
        document.DrawPicture(state.currentImageFile, 0, 0, kA4ShortTwips, kA4LongTwips);
        document.EndDoc();
    }

    QString tmpFolder() const { return home.file(QStringLiteral("tmp")); }
    QStringList sheetFiles() const {
        return QDir(tmpFolder()).entryList({QStringLiteral("*.bmp")}, QDir::Files, QDir::Name);
    }
    // The next scans deliver sheets of these sizes (a null size: the scan is cancelled).
    void sheets(std::initializer_list<QSize> sizes) { scans.insert(scans.end(), sizes); }
    bool scanSheet() {
        const QSize size = scans.empty() ? QSize() : scans.front();
        if (!scans.empty())
            scans.pop_front();
        if (size.isEmpty())
            return false;
        const QString name = QStringLiteral("TMP%1.BMP").arg(++stored, 5, 10, QChar(u'0'));
        state.currentImageFile = tmpFolder() + u'/' + name;
        test::ColourPicture(size.width(), size.height()).save(state.currentImageFile, "BMP");
        return true;
    }

    test::TempHome home;
    test::ScriptedBookPrompt prompt;
    ScriptedDialog dialog;
    test::RecordingStatus status;
    test::FakeMessageBoxes boxes;
    ProgramState state;
    PageDocument document;
    PdfExporter exporter;
    int repaints = 0;
    std::vector<int> pointers;
    QImage picture = test::ColourPicture(48, 32);
    SaveAsCommands save{dialog, status, state, document, exporter, [this] { ++repaints; }};
    std::unique_ptr<BookPdfCommand> command;
    std::deque<QSize> scans;
    int stored = 0;
    std::vector<bool> saveEnabledCalls;
};

// Each dialog completes bare names with its own extension; cancelled, nothing happens.
TEST_F(CommandsTest, CancelledSaveDialogsDoNothing) {
    onePage();
    pointers.clear();
    const QStringList before = QDir(home.path()).entryList(QDir::Files);
    save.menuSaveBMP();
    EXPECT_EQ(dialog.defaultExtension, QStringLiteral("*.bmp"));
    save.menuSaveJPEG();
    EXPECT_EQ(dialog.defaultExtension, QStringLiteral("*.jpg"));
    EXPECT_FALSE(save.menuSavePDF());
    EXPECT_EQ(dialog.defaultExtension, QStringLiteral("*.pdf"));
    EXPECT_TRUE(status.events.isEmpty());
    EXPECT_EQ(status.line, QStringLiteral("(unchanged)"));
    EXPECT_TRUE(pointers.empty());
    EXPECT_EQ(repaints, 0);
    EXPECT_EQ(QDir(home.path()).entryList(QDir::Files), before);
}

TEST_F(CommandsTest, JpegUsesTheSettingsStoredWhenTheCommandStarted) {
    onePage();
    WriteSetting(QStringLiteral("JPEG"), QStringLiteral("Encode"), QStringLiteral("True"));
    WriteSetting(QStringLiteral("JPEG"), QStringLiteral("Complevel"), QStringLiteral("4"));
    dialog.whileOpen = [] { // the user changes the settings while the dialog is open
        WriteSetting(QStringLiteral("JPEG"), QStringLiteral("Encode"), QStringLiteral("False"));
    };
    dialog.answer = home.file(QStringLiteral("scan.jpg"));
    save.menuSaveJPEG();
    const auto jpeg = test::ProbeJpeg(home.read(QStringLiteral("scan.jpg")));
    ASSERT_TRUE(jpeg.ok);
    EXPECT_EQ(jpeg.startOfFrame, 0xC2);
    EXPECT_LT(test::MeanDifference(jpeg.pixels, picture), 12.0);
    EXPECT_EQ(status.events,
              QStringList({"status:" + text::kJpegStart, "status:" + text::kJpegEnd}));
}

TEST_F(CommandsTest, FailedSavesAreReportedAndKeepTheOldFile) {
    onePage();
    const QString locked = home.file(QStringLiteral("locked"));
    ASSERT_TRUE(QDir().mkpath(locked));
    ASSERT_TRUE(test::WriteBytes(locked + QStringLiteral("/a.pdf"), "old pdf"));
    ASSERT_TRUE(test::WriteBytes(locked + QStringLiteral("/a.bmp"), "old bmp"));
    ASSERT_TRUE(QFile::setPermissions(locked, QFile::ReadOwner | QFile::ExeOwner));
    dialog.answer = locked + QStringLiteral("/a.pdf");
    EXPECT_FALSE(save.menuSavePDF());
    EXPECT_EQ(pointers, (std::vector<int>{kPointerHourglass, kPointerDefault}));
    dialog.answer = locked + QStringLiteral("/a.bmp");
    save.menuSaveBMP();
    state.currentImageFile = home.file(QStringLiteral("vanished.bmp"));
    dialog.answer = home.file(QStringLiteral("x.jpg"));
    save.menuSaveJPEG();
    const auto failed = [&](const QString& title, const QString& file) {
        return "message:" + title + "|" + file + "\n" +
               WriteFailureReason(WriteResult::TargetUnwritable);
    };
    EXPECT_EQ(
        status.events,
        QStringList({"status:" + text::kPdfStart, failed(text::kPdfFailedTitle, locked + "/a.pdf"),
                     "status:" + text::kBmpStart, failed(text::kBmpFailedTitle, locked + "/a.bmp"),
                     "status:" + text::kJpegStart,
                     "message:" + text::kJpegFailedTitle + "|" + JpegResultPrompt(1)}));
    EXPECT_FALSE(QFile::exists(home.file(QStringLiteral("x.jpg"))));
    EXPECT_EQ(test::ReadBytes(locked + QStringLiteral("/a.pdf")), QByteArray("old pdf"));
    EXPECT_EQ(test::ReadBytes(locked + QStringLiteral("/a.bmp")), QByteArray("old bmp"));
    QFile::setPermissions(locked, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

TEST(SaveDialogNames, DefaultExtensionsCompleteBareNamesOnly) {
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"/a/scan", "*.bmp", "/a/scan.bmp"},     {"/a/scan.png", "*.jpg", "/a/scan.png"},
        {"/a.b/scan", "*.pdf", "/a.b/scan.pdf"}, {"/a/scan", "", "/a/scan"},
        {"/a/scan", ".jpg", "/a/scan.jpg"},
    };
    for (const auto& [path, ext, expected] : cases)
        EXPECT_EQ(CompleteFileName(QString::fromUtf8(path), QString::fromUtf8(ext)),
                  QString::fromUtf8(expected));
}

// Opens the real dialog, answers it (`answer` empty: Cancel), gives the folder and name it
// offered.
std::pair<QString, QString> OfferedByRealDialog(const char* extension, const QString& answer) {
    std::pair<QString, QString> offered;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        offered = {dialog->directory().absolutePath(),
                   QFileInfo(dialog->selectedFiles().value(0)).fileName()};
        dialog->selectFile(answer);
        answer.isEmpty() ? dialog->reject() : static_cast<QDialog*>(dialog)->accept();
    });
    QtSaveDialog().askSaveFileName(QStringLiteral("x|*"), QString::fromLatin1(extension));
    return offered;
}

// Each format opens where its last save went (else the working folder) and offers the
// first free number there, in the automatic save's sequence.
TEST(SaveDialogStart, OffersTheNextFreeNameInTheLastFolderOfItsFormat) {
    test::TempHome home;
    const QString last = home.file(QStringLiteral("last")),
                  work = home.file(QStringLiteral("work"));
    for (const QString& file :
         {last + "/BMP00001.BMP", last + "/BMP00003.BMP", work + "/JPEG00001.jpg"})
        ASSERT_TRUE(QDir().mkpath(QFileInfo(file).path()) && test::WriteBytes(file, "x"));
    const QString oldCurrent = QDir::currentPath();
    QDir::setCurrent(work);
    home.write("Folivo.ini", "[BMP]\nSaveFolder=" + last.toUtf8() + "\n[PDF]\nSaveFolder=/gone\n");
    const std::tuple<const char*, QString, QString, QString> cases[] = {
        {"*.bmp", "", last, "BMP00002.BMP"},
        {"*.jpg", "", work, "JPEG00002.jpg"},
        {"*.pdf", last + "/page.pdf", work, "PDF00001.PDF"}, // saving there remembers it
        {"*.pdf", "", last, "PDF00001.PDF"},
    };
    for (const auto& [extension, answer, folder, name] : cases)
        EXPECT_EQ(OfferedByRealDialog(extension, answer), std::pair(folder, name)) << extension;
    QDir::setCurrent(oldCurrent);
}

TEST_F(CommandsTest, ACancelledFirstScanThenDoneSaysThereIsNothingAndShowsNoDialog) {
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
    EXPECT_TRUE(sheetFiles().isEmpty());
    EXPECT_TRUE(QFile::exists(tmpFolder() + "/notes.txt"));
}

// A cancelled save dialog keeps the sheets; the next multi-page run asks about them, and
// going on puts them first.
TEST_F(CommandsTest, KeptSheetsAreSavedLaterOrAskedAboutAndGoingOnPutsThemFirst) {
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
        prompt.keptAsked.clear();
        prompt.goOn = goOn;
        sheets({{40, 10}});
        prompt.answers = {BookPdfAnswer::Done};
        dialog.answer = home.file("next.pdf");
        command->menuBook();
        EXPECT_EQ(prompt.keptAsked, std::vector<int>({2}));
        const test::ProbedPdf pdf = ProbePdf(home.file("next.pdf"));
        ASSERT_EQ(pdf.pages.size(), pages);
        EXPECT_EQ(pdf.pages.back().images.at(0).width, 40) << "the new sheet comes last";
        EXPECT_TRUE(sheetFiles().isEmpty());
    }
}

// A save failing on a full disk keeps the sheets.
TEST_F(CommandsTest, AFailedSaveKeepsTheSheets) {
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

TEST_F(CommandsTest, SheetsComeInCaselessNameOrderAndPagesFollowTheirHeaders) {
    prompt.answers = {BookPdfAnswer::Done};
    command = bookCommand(
        [this] { // one "scan" writes them all, out of order, in mixed letter case
            test::WriteBytes(tmpFolder() + "/TMP00004.BMP", "not a picture");
            // A top-down BMP: its height does not fit the header reader.
            test::WriteBytes(tmpFolder() + "/tmp00003.bmp",
                             test::BuildBmp({4, -9, 24, {}, 11811, [](int, int) { return 0u; }}));
            test::ColourPicture(60, 20).save(tmpFolder() + "/TMP00002.BMP", "BMP");
            return test::ColourPicture(50, 50).save(tmpFolder() + "/TMP00001.bmp", "BMP");
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

// The multi-page command with its sheets' streams made in the background: whatever
// happens to the sheets between the scan and the save, the PDF has the bytes of a plain
// export.
class BackgroundCommandsTest : public CommandsTest {
protected:
    BackgroundCommandsTest() {
        exporter.setStreamCache(&cache);
        command = bookCommand([this] { return scanSheet(); }, [this] { return save.menuSavePDF(); },
                              [this](const QString& s) { cache.prepare(s, true, prepared); },
                              [this] { cache.clear(); });
    }
    PdfStreamCache cache;
    PdfImageOptions prepared; // the image choice when the sheets were scanned
};

TEST_F(BackgroundCommandsTest, StreamsMadeAheadNeverChangeTheBytesOrOutliveTheirSheets) {
    enum class Step { None, CancelThenCtrlP, RewriteSheet2, RemoveSheet2, NewRunAfresh, Jpeg };
    const struct {
        const char* name;
        Step step;
        int pages, streamsUsed;
    } rows[] = {
        {"saved at once", Step::None, 3, 3},
        {"save cancelled, then Ctrl+P", Step::CancelThenCtrlP, 3, 3},
        {"sheet 2 rewritten at the prompt", Step::RewriteSheet2, 3, 2},
        {"sheet 2 removed at the prompt", Step::RemoveSheet2, 2, 2},
        {"a kept run started afresh with other sheets", Step::NewRunAfresh, 2, 2},
        {"scanned with JPEG chosen, saved lossless", Step::Jpeg, 3, 0},
    };
    const QString target = home.file(QStringLiteral("book.pdf"));
    const QString sheet2 = tmpFolder() + QStringLiteral("/TMP00002.BMP");
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        QDir(tmpFolder()).removeRecursively();
        QDir().mkpath(tmpFolder());
        QFile::remove(target);
        cache.clear();
        prepared.jpeg = row.step == Step::Jpeg;
        const int usedBefore = cache.handedOut();
        stored = 0;
        prompt.seen.clear();
        sheets({{300, 200}, {200, 300}, {240, 240}});
        prompt.answers = {BookPdfAnswer::Next, BookPdfAnswer::Next, BookPdfAnswer::Done};
        prompt.onAsk = [&] { // at the last prompt
            if (prompt.seen.size() == 3 && row.step == Step::RewriteSheet2)
                test::GreyPicture(200, 300).save(sheet2, "BMP");
            else if (prompt.seen.size() == 3 && row.step == Step::RemoveSheet2)
                QFile::remove(sheet2);
        };
        const bool cancelFirst =
            row.step == Step::CancelThenCtrlP || row.step == Step::NewRunAfresh;
        dialog.answer = cancelFirst ? QString() : target;
        command->menuBook();
        prompt.onAsk = {};
        dialog.answer = target;
        if (row.step == Step::CancelThenCtrlP) {
            ASSERT_TRUE(save.menuSavePDF());
        } else if (row.step == Step::NewRunAfresh) { // the kept sheets given up for new ones
            stored = 0;
            prompt.goOn = false;
            sheets({{240, 240}, {300, 200}});
            prompt.answers = {BookPdfAnswer::Next, BookPdfAnswer::Done};
            command->menuBook();
            prompt.goOn = true;
        }
        EXPECT_EQ(document.pageCount(), row.pages);
        const QByteArray written = test::ReadBytes(target);
        ASSERT_FALSE(written.isEmpty());
        PdfExporter plain; // encodes every page itself
        ASSERT_EQ(plain.exportDocument(document, home.file("plain.pdf")), WriteResult::Ok);
        EXPECT_TRUE(written == test::ReadBytes(home.file("plain.pdf"))) << "not a plain export";
        EXPECT_EQ(cache.handedOut() - usedBefore, row.streamsUsed);
        // Ctrl+P keeps the sheets, and their streams stay with them on disk.
        EXPECT_EQ(QDir(tmpFolder()).entryList({QStringLiteral("*.stream")}, QDir::Files).size(),
                  row.step == Step::CancelThenCtrlP ? 3 : 0);
    }
}

// What the strip shows at the prompt is what the PDF gets: pages in the strip's order,
// each turned as the strip turned it, no stale stream made before a change; checked
// against a PDF of pictures turned by Qt, through pdfinfo and pdftoppm.
TEST_F(BackgroundCommandsTest, StripEditsGiveThePdfTheirOrderAndOrientation) {
    if (!test::HasPoppler())
        GTEST_SKIP() << "poppler-utils missing";
    const QImage pictures[] = {test::ColourPicture(60, 40), test::GreyPicture(40, 60),
                               test::MonoPicture(64, 40), test::ColourPicture(50, 50)};
    struct Page {
        int picture, quarterTurns; // clockwise
    };
    const struct {
        const char* name;
        std::function<void(SheetStrip&)> edit; // at the third prompt
        bool rescan;                           // one more scan after the edit
        bool kept; // the save cancelled, then a new run goes on with the sheets
        std::vector<Page> pages;
    } rows[] = {
        {"sheet 2 deleted", [](SheetStrip& s) { s.remove(1); }, false, false, {{0, 0}, {2, 0}}},
        {"sheet 1 turned clockwise, 1-bit sheet 3 twice back, once forward",
         [](SheetStrip& s) {
             s.rotate(0, true);
             s.rotate(2, false);
             s.rotate(2, false);
             s.rotate(2, true);
         },
         false,
         false,
         {{0, 1}, {1, 0}, {2, 3}}},
        {"sheet 3 moved first, grey sheet turned back",
         [](SheetStrip& s) {
             s.move(2, 0);
             s.rotate(2, false);
         },
         false,
         false,
         {{2, 0}, {0, 0}, {1, 3}}},
        {"sheet 2 deleted, then scanned again in its place",
         [](SheetStrip& s) { s.remove(1); },
         true,
         false,
         {{0, 0}, {3, 0}, {2, 0}}},
        {"sheet 3 moved first, kept, then gone on with",
         [](SheetStrip& s) { s.move(2, 0); },
         false,
         true,
         {{2, 0}, {0, 0}, {1, 0}}},
    };
    const QString target = home.file(QStringLiteral("book.pdf"));
    const QString reference = home.file(QStringLiteral("reference.pdf"));
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        QDir(tmpFolder()).removeRecursively();
        QDir().mkpath(tmpFolder());
        QFile::remove(target);
        std::deque<QImage> scanned(std::begin(pictures), std::end(pictures));
        const bool rescan = row.rescan;
        if (!rescan)
            scanned.pop_back();
        command = bookCommand(
            [&] { // the scanner's naming: the first free number
                if (scanned.empty())
                    return false;
                int n = 1;
                while (QFile::exists(tmpFolder() +
                                     QStringLiteral("/TMP%1.BMP").arg(n, 5, 10, QChar(u'0'))))
                    ++n;
                state.currentImageFile =
                    tmpFolder() + QStringLiteral("/TMP%1.BMP").arg(n, 5, 10, QChar(u'0'));
                const bool ok = scanned.front().save(state.currentImageFile, "BMP");
                scanned.pop_front();
                return ok;
            },
            [this] { return save.menuSavePDF(); },
            [this](const QString& s) { cache.prepare(s, true, prepared); },
            [this] { cache.clear(); }, [this](const QString& s) { cache.forget(s); });
        prompt.seen.clear();
        prompt.answers = {BookPdfAnswer::Next, BookPdfAnswer::Next,
                          rescan ? BookPdfAnswer::Next : BookPdfAnswer::Done, BookPdfAnswer::Done};
        prompt.onAsk = [&] {
            if (prompt.seen.size() == 3)
                row.edit(*prompt.seen.back().strip);
        };
        dialog.answer = row.kept ? QString() : target;
        command->menuBook();
        prompt.onAsk = {};
        if (row.kept) {
            prompt.answers = {BookPdfAnswer::Done};
            dialog.answer = target;
            command->menuBook();
        }
        if (rescan) { // the replacement is announced as one more sheet again
            EXPECT_EQ(prompt.captions().last(), kNextSheetCaption);
        }

        PageDocument expected;
        std::vector<QString> files;
        for (const Page& page : row.pages) {
            files.push_back(home.file(QStringLiteral("expected%1.bmp").arg(files.size())));
            pictures[page.picture]
                .transformed(QTransform().rotate(90 * page.quarterTurns))
                .save(files.back(), "BMP");
        }
        LayOutSheets(expected, files);
        PdfExporter plain;
        ASSERT_EQ(plain.exportDocument(expected, reference), WriteResult::Ok);
        const std::vector<QSizeF> sizes = test::PageSizes(target);
        ASSERT_EQ(sizes.size(), row.pages.size());
        EXPECT_EQ(sizes, test::PageSizes(reference));
        for (std::size_t i = 0; i < sizes.size(); ++i) {
            SCOPED_TRACE(i + 1);
            const QImage page = test::RenderPage(target, int(i + 1), 20, false);
            ASSERT_FALSE(page.isNull());
            EXPECT_EQ(page, test::RenderPage(reference, int(i + 1), 20, false));
        }
        // A stream made ahead of a change would make the PDF differ from a plain export.
        ASSERT_EQ(plain.exportDocument(document, home.file("plain.pdf")), WriteResult::Ok);
        EXPECT_TRUE(test::ReadBytes(target) == test::ReadBytes(home.file("plain.pdf")));
    }
}

// A rotation the disk cannot hold leaves the sheet as it was, byte for byte.
TEST_F(CommandsTest, ARotationOnAFullDiskKeepsTheSheet) {
    const QString sheet = tmpFolder() + QStringLiteral("/TMP00001.BMP");
    ASSERT_TRUE(test::MonoPicture(640, 480).save(sheet, "BMP"));
    const QByteArray before = test::ReadBytes(sheet);
    SheetStrip strip(RotateSheetFile);
    strip.add(sheet);
    EXPECT_TRUE(test::ReportsFailureUnderSizeLimit([&] { return !strip.rotate(0, true); }));
    EXPECT_TRUE(test::ReadBytes(sheet) == before);
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

// Pages an earlier run left in a work folder whose owner is gone, beside this window's
// own live work folder: every choice keeps or gives up the pages as the user said.
TEST_F(CommandsTest, EveryRecoveryChoiceKeepsOrGivesUpThePagesAsTheUserSaid) {
    ScriptedRecovery recovery;
    const auto savePdf = [this] { return save.menuSavePDF(); };
    RecoveryCommand command{recovery, status, state, document, {savePdf, [](bool) {}}};
    const QString dead = home.file("tmp/work-dead");
    const struct {
        RecoveryChoice choice;
        const char* pdf; // the save dialog's answer ("" = cancelled: kept sheets)
        int pagesLeft;   // page files left under tmp
    } cases[] = {
        {RecoveryChoice::None, "", 3},    {RecoveryChoice::MakePdf, "all.pdf", 0},
        {RecoveryChoice::MakePdf, "", 3}, {RecoveryChoice::Show, "", 3},
        {RecoveryChoice::Discard, "", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.choice));
        QDir(tmpFolder()).removeRecursively();
        QDir().mkpath(dead);
        WorkFolder mine(tmpFolder());
        state.workFolder = mine.path();
        for (int i = 1; i <= 3; ++i)
            test::ColourPicture(10 * i, 20).save(dead + QStringLiteral("/TMP0000%1.BMP").arg(i));
        recovery.choice = c.choice;
        dialog.answer = c.pdf[0] ? home.file(c.pdf) : QString();
        auto folders = ClaimAbandonedFolders(tmpFolder());
        command.offer(folders);
        ASSERT_EQ(recovery.asked.size(), 1);
        ASSERT_EQ(recovery.asked.takeLast().size(), 3);
        EXPECT_EQ(PageFilesIn(state.workFolder).size() + PageFilesIn(dead).size(),
                  std::size_t(c.pagesLeft));
        if (c.pdf[0]) {
            EXPECT_EQ(ProbePdf(home.file(c.pdf)).pages.size(), 3u);
        }
        if (c.choice == RecoveryChoice::MakePdf || c.choice == RecoveryChoice::Show) {
            ASSERT_EQ(document.pageCount(), 3);
            EXPECT_EQ(document.pages()[2].pictures.at(0).load().width(), 30) << "in scan order";
        }
        if (c.pagesLeft > 0 && c.choice != RecoveryChoice::None) {
            EXPECT_TRUE(HoldsSheets(state.workFolder)) << "kept as this window's sheets";
            EXPECT_FALSE(QFileInfo::exists(dead));
            EXPECT_EQ(status.line, KeptSheetsStatus(3));
        }
    }
}

// The program searches one folder: its files in caseless name order, no link, no
// subfolder; past the list's size the search fails with the message.
TEST_F(CommandsTest, TheSearchTakesOneFolderInCaselessOrderUpToTheListSize) {
    const QString root = tmpFolder() + u'/';
    const auto touch = [&](const QString& name) {
        QDir().mkpath(QFileInfo(root + name).path());
        ASSERT_TRUE(test::WriteBytes(root + name, "x")) << name.toStdString();
    };
    for (const char* name : {"b.bmp", "A.BMP", "c.txt", "sub/three.bmp"})
        touch(name);
    ASSERT_TRUE(QFile::link(root + "b.bmp", root + "link.bmp"));
    FileList list, none, full, over;
    ASSERT_TRUE(SearchFiles(root + "*.bmp", false, list, boxes));
    ASSERT_EQ(list.count, 1);
    EXPECT_EQ(QStringList({list.entries[0], list.entries[1]}),
              QStringList({root + "A.BMP", root + "b.bmp"}));
    EXPECT_FALSE(SearchFiles("no-slash-at-all", false, none, boxes));
    EXPECT_TRUE(SearchFiles(root + "missing/*.bmp", false, none, boxes));
    EXPECT_EQ(none.count, -1);
    EXPECT_TRUE(boxes.shown.empty());

    for (int i = 2; i < 1000; ++i)
        touch(QStringLiteral("TMP%1.BMP").arg(i, 5, 10, QChar(u'0')));
    ASSERT_TRUE(SearchFiles(root + "*.bmp", false, full, boxes));
    EXPECT_EQ(full.count, 999);
    EXPECT_TRUE(boxes.shown.empty());
    touch("extra.bmp");
    EXPECT_FALSE(SearchFiles(root + "*.bmp", false, over, boxes));
    EXPECT_EQ(over.count, kFileListSize);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].prompt, QStringLiteral("ファイル名バッファオーバー"));
}

} // namespace
} // namespace folivo
