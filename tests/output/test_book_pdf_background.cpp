// The multi-page command with its sheets' streams made in the background: whatever happens
// to the sheets between the scan and the save, the PDF has the bytes of a plain export.
#include "book_pdf_fixture.h"
#include "pdf_stream_cache.h"

#include <QFile>

namespace folivo {
namespace {

class BackgroundBookPdfTest : public test::BookPdfTest {
protected:
    BackgroundBookPdfTest() {
        exporter.setStreamCache(&cache);
        BookPdfActions actions;
        actions.scanSheet = [this] { return scanSheet(); };
        actions.savePdf = [this] { return save.menuSavePDF(); };
        actions.sheetStored = [this](const QString& sheet) {
            cache.prepare(sheet, true, prepared);
        };
        actions.sheetsDeleted = [this] { cache.clear(); };
        command = std::make_unique<BookPdfCommand>(std::move(actions), prompt, status, boxes, state,
                                                   document);
    }

    QStringList streamFiles() const {
        return QDir(tmpFolder()).entryList({QStringLiteral("*.stream")}, QDir::Files);
    }
    // The document exported again by an exporter that encodes every page itself.
    QByteArray plainExport() const {
        PdfExporter plain;
        const QString path = home.file(QStringLiteral("plain.pdf"));
        EXPECT_EQ(plain.exportDocument(document, path), WriteResult::Ok);
        return read(path);
    }
    static QByteArray read(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    QString sheet(int n) const {
        return tmpFolder() + QStringLiteral("/TMP%1.BMP").arg(n, 5, 10, QChar(u'0'));
    }

    PdfStreamCache cache;
    PdfImageOptions prepared; // the image choice when the sheets were scanned
};

TEST_F(BackgroundBookPdfTest, StreamsMadeAheadNeverChangeTheBytesOrOutliveTheirSheets) {
    enum class Step {
        None,
        CancelThenCtrlP,
        RewriteSheet2,
        RemoveSheet2,
        NewRunAfresh,
        JpegChoiceDropped
    };
    struct Row {
        const char* name;
        Step step;
        int pages;
        int streamsUsed;
    };
    const Row rows[] = {
        {"saved at once", Step::None, 3, 3},
        {"save cancelled, then Ctrl+P", Step::CancelThenCtrlP, 3, 3},
        {"sheet 2 rewritten at the prompt", Step::RewriteSheet2, 3, 2},
        {"sheet 2 removed at the prompt", Step::RemoveSheet2, 2, 2},
        {"a kept run started afresh with other sheets", Step::NewRunAfresh, 2, 2},
        {"scanned with JPEG chosen, saved lossless", Step::JpegChoiceDropped, 3, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        QDir(tmpFolder()).removeRecursively();
        QDir().mkpath(tmpFolder());
        cache.clear();
        prepared.jpeg = row.step == Step::JpegChoiceDropped;
        const int usedBefore = cache.handedOut();
        stored = 0;
        prompt.seen.clear();
        const QString target = home.file(QStringLiteral("book.pdf"));
        QFile::remove(target);
        sheets({{300, 200}, {200, 300}, {240, 240}});
        prompt.answers = {BookPdfAnswer::Next, BookPdfAnswer::Next, BookPdfAnswer::Done};
        prompt.onAsk = [&] {
            if (prompt.seen.size() != 3)
                return;
            if (row.step == Step::RewriteSheet2)
                test::GreyPicture(200, 300).save(sheet(2), "BMP");
            else if (row.step == Step::RemoveSheet2)
                QFile::remove(sheet(2));
        };
        const bool cancelFirst =
            row.step == Step::CancelThenCtrlP || row.step == Step::NewRunAfresh;
        dialog.answer = cancelFirst ? QString() : target;
        command->menuBook();
        prompt.onAsk = {};
        if (row.step == Step::CancelThenCtrlP) {
            dialog.answer = target;
            ASSERT_TRUE(save.menuSavePDF());
        } else if (row.step == Step::NewRunAfresh) {
            stored = 0;
            prompt.goOn = false;
            sheets({{240, 240}, {300, 200}});
            prompt.answers = {BookPdfAnswer::Next, BookPdfAnswer::Done};
            dialog.answer = target;
            command->menuBook();
            prompt.goOn = true;
        }
        EXPECT_EQ(document.pageCount(), row.pages);
        const QByteArray written = read(target);
        ASSERT_FALSE(written.isEmpty());
        EXPECT_TRUE(written == plainExport()) << "the PDF differs from a plain export";
        EXPECT_EQ(cache.handedOut() - usedBefore, row.streamsUsed);
        // Ctrl+P keeps the sheets, and their streams stay with them on disk.
        EXPECT_EQ(streamFiles().size(), row.step == Step::CancelThenCtrlP ? 3 : 0);
    }
}

} // namespace
} // namespace folivo
