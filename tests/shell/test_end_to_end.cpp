// The road of a page through the whole program: SANE's test device as the scanner, files
// read back from the user's folders.
#include "end_to_end_fixture.h"
#include "image_writers.h"
#include "page_preview.h"
#include "pdf_probe.h"

#include <QImage>
#include <QTimer>

namespace folivo::test {
namespace {

TEST_F(EndToEnd, AChosenFolderThatIsMissingGivesTheFailureMessagesAndNoFile) {
    device();
    const QByteArray missing = home.file("gone").toUtf8();
    settings("[TWAIN]\nDialog=False\n[BMP]\nFlag=True\nType=2\nPath=" + missing +
             "\n[JPEG]\nFlag=True\nType=2\nPath=" + missing +
             "\n[PDF]\nFlag=True\nType=2\nPath=" + missing + "\n");
    start();
    run("menuScan");
    ASSERT_EQ(boxes.shown.size(), 3u);
    EXPECT_EQ(boxes.shown[0].title, text::kBmpFailedTitle);
    EXPECT_EQ(boxes.shown[1].title, text::kJpegFailedTitle);
    EXPECT_EQ(boxes.shown[1].prompt, JpegResultPrompt(2));
    EXPECT_EQ(boxes.shown[2].title, text::kPdfFailedTitle);
    EXPECT_EQ(window->statusText(), text::kPdfFailedTitle);
    EXPECT_FALSE(QFileInfo::exists(QString::fromUtf8(missing)));
    EXPECT_TRUE(files(home.path()).filter("00001").isEmpty());
}

// Counts the scanner dialogs shown while it lives, and cancels each at once.
class ScanDialogWatcher : public QObject {
public:
    ScanDialogWatcher() { qApp->installEventFilter(this); }
    int shown = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show)
            if (auto* dialog = qobject_cast<ScanDialog*>(watched)) {
                ++shown;
                QTimer::singleShot(0, dialog, &QDialog::reject);
            }
        return false;
    }
};

TEST_F(EndToEnd, DialogOffSurvivesARestartAndTheNextScanShowsNoDialogAndTakesTmp00001) {
    device();
    QDir().mkpath(TempFolder());
    const QStringList left = {"TMP00001.BMP", "TMP00002.BMP", "TMP00003.bmp"};
    for (const QString& name : left) // by an earlier version, in no work folder
        home.write("tmp/" + name, "left");
    start(false);
    run("menuDialogOFF");
    start(false); // the layer starts with its dialog shown; the settings say otherwise
    EXPECT_TRUE(window->action("menuDialogOFF")->isChecked());
    ScanDialogWatcher watcher;
    run("menuScan");
    EXPECT_EQ(watcher.shown, 0);
    EXPECT_EQ(window->state().currentImageFile, work() + "/TMP00001.BMP");
    EXPECT_EQ(files(work()), QStringList({"TMP00001.BMP"}));
    EXPECT_EQ(QDir(TempFolder()).entryList({"*.bmp"}, QDir::Files, QDir::Name), left);
    EXPECT_EQ(QImage(window->state().currentImageFile).size(), QSize(300, 100));
}

TEST_F(EndToEnd, WithAReadOnlySettingsFileTheScannerKeepsShowingItsDialog) {
    device();
    settings("[TWAIN]\nDialog=True\n");
    start(true);
    QFile::setPermissions(home.file("Folivo.ini"), QFile::ReadOwner | QFile::ReadGroup);
    run("menuDialogOFF");
    EXPECT_TRUE(window->action("menuDialogON")->isChecked());
    EXPECT_FALSE(window->action("menuDialogOFF")->isChecked());
    ScanDialogWatcher watcher;
    run("menuScan");
    EXPECT_EQ(watcher.shown, 1);
    EXPECT_TRUE(window->state().currentImageFile.isEmpty());
    QFile::setPermissions(home.file("Folivo.ini"), QFile::ReadOwner | QFile::WriteOwner);
}

TEST_F(EndToEnd, MultiPageGathersScannedSheetsIntoOnePdfAndSavesEachPageToo) {
    device();
    settings("[TWAIN]\nDialog=False\n[PDF]\nFlag=True\nType=0\n");
    start();
    prompt->answers = {BookPdfAnswer::Next, BookPdfAnswer::Next, BookPdfAnswer::Done};
    dialog->answer = home.file("book.pdf");
    run("menuBook");
    ASSERT_EQ(prompt->seen.size(), 3u);
    EXPECT_EQ(prompt->seen[2].nextCaption, QStringLiteral("もう一枚"));
    EXPECT_EQ(prompt->seen[2].sheetCount, 3);
    const ProbedPdf book = ProbePdf(home.file("book.pdf"));
    ASSERT_TRUE(book.ok) << book.error;
    ASSERT_EQ(book.pages.size(), 3u);
    for (const ProbedPage& page : book.pages)
        EXPECT_EQ(page.mediaBox, std::vector<double>({0, 0, 841.8, 595.2}));
    EXPECT_EQ(files(desktop()), QStringList({"PDF00001.PDF", "PDF00002.PDF", "PDF00003.PDF"}));
    EXPECT_TRUE(files(work()).isEmpty());
    EXPECT_FALSE(saveCommandsEnabled());
    EXPECT_EQ(window->statusText(), QStringLiteral("PDFファイルの保存を終了しました。"));
    // The sheets are gone; the preview still shows every page, not a blank sheet.
    PagePreview& preview = *window->preview();
    preview.resize(300, 400);
    for (int page = 0; page < 3; ++page, preview.nextPage()) {
        const QImage shot = preview.grab().toImage().copy(preview.sheetRect());
        int coloured = 0;
        for (int y = 0; y < shot.height(); y += 4)
            for (int x = 0; x < shot.width(); x += 4)
                coloured += shot.pixelColor(x, y) != QColor(Qt::white);
        EXPECT_GT(coloured, shot.width() * shot.height() / 64) << "page " << page + 1;
    }
}

TEST_F(EndToEnd, MultiPageRetriesACancelledSheetAndKeepsSheetsWhenTheSaveIsCancelled) {
    device();
    start(false);
    prompt->answers = {BookPdfAnswer::Next, BookPdfAnswer::Next, BookPdfAnswer::Done};
    const char* presses[] = {"scanButton", "cancelButton", "scanButton"};
    int next = 0;
    PressInScanDialog(presses[next++]);
    prompt->onAsk = [&] {
        if (next < 3)
            PressInScanDialog(presses[next++]);
    };
    run("menuBook"); // the save dialog is cancelled
    EXPECT_EQ(prompt->captions(), QStringList({"もう一枚", "再試行", "もう一枚"}));
    EXPECT_EQ(dialog->shown, 1);
    EXPECT_EQ(files(work()).filter(".BMP"), QStringList({"TMP00001.BMP", "TMP00002.BMP"}));
    EXPECT_TRUE(saveCommandsEnabled());

    dialog->answer = home.file("later.pdf");
    run("menuSavePDF");
    const ProbedPdf later = ProbePdf(home.file("later.pdf"));
    ASSERT_TRUE(later.ok) << later.error;
    EXPECT_EQ(later.pages.size(), 2u);
}

} // namespace
} // namespace folivo::test
