// The scan command with a scanner that answers without a device: the order of its steps,
// the temporary page file, the page on the preview, and the automatic save.
#include "fake_scanner_library.h"
#include "image_writers.h"
#include "jpeg_writer.h"
#include "numbered_names.h"
#include "page_document.h"
#include "pdf_exporter.h"
#include "pdf_probe.h"
#include "program_paths.h"
#include "program_state.h"
#include "recording_status.h"
#include "scan_command.h"
#include "temp_home.h"
#include "test_images.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace folivo;
using namespace folivo::test;

namespace {

// The main window as the command sees it: records what it was asked, in order.
class RecordingHost final : public ScanHost {
public:
    explicit RecordingHost(ScannerLibrary& scanner) : m_scanner(scanner) {}
    QWidget* ownerWindow() override { return nullptr; }
    void ReleaseImage() override {
        events << "release";
        if (image != 0)
            m_scanner.TWAIN_FreeNative(image);
        image = palette = 0;
        if (onRelease)
            onRelease();
    }
    void EnsureTempFolder() override {
        events << "tmp";
        QDir().mkpath(TempFolder());
    }
    void setImageHandle(NativeHandle handle) override {
        events << "image";
        image = handle;
    }
    void setPaletteHandle(NativeHandle handle) override {
        events << "palette";
        palette = handle;
    }
    void layoutPreview() override { events << "layout"; }
    void setSaveCommandsEnabled(bool enabled) override {
        events << (enabled ? "save:on" : "save:off");
        saveCommandsEnabled = enabled;
    }

    QStringList events;
    NativeHandle image = 0;
    NativeHandle palette = 0;
    bool saveCommandsEnabled = false;
    std::function<void()> onRelease;

private:
    ScannerLibrary& m_scanner;
};

const QByteArray kAllOn =
    "[BMP]\nFlag=True\nType=0\n[JPEG]\nFlag=True\nType=0\n[PDF]\nFlag=True\nType=0\n";
const QByteArray kBmpJpegOn = "[BMP]\nFlag=True\nType=0\n[JPEG]\nFlag=True\nType=0\n";
const QStringList kAllSaved = {"status:" + text::kBmpStart,  "status:" + text::kBmpEnd,
                               "status:" + text::kJpegStart, "status:" + text::kJpegEnd,
                               "status:" + text::kPdfStart,  "status:" + text::kPdfEnd};

class ScanCommandTest : public ::testing::Test {
protected:
    ScanCommandTest() : host(scanner) { state.workFolder = TempFolder(); }

    void settings(const QByteArray& text) { home.write("Folivo.ini", text); }
    QString tmp(const QString& name) const { return TempFolder() + "/" + name; }
    QString desk(const QString& name) const { return desktop.filePath(name); }
    QStringList files(const QString& folder) const {
        return QDir(folder).entryList(QDir::Files, QDir::Name);
    }
    void queue(int width, int height) { scanner.queueImage(ColourPicture(width, height)); }

    TempHome home;
    QTemporaryDir desktop;
    QTemporaryDir documents;
    FakeScannerLibrary scanner;
    RecordingHost host;
    RecordingStatus status;
    ProgramState state;
    PageDocument document;
    PdfExporter exporter;
    SpecialFolders folders{[this] { return desktop.path() + "/"; },
                           [this] { return documents.path() + "/"; }};
    ScanCommand command{scanner, host, status, state, document, exporter, folders};
};

TEST_F(ScanCommandTest, FirstScanBecomesTmp00001AndIsShownStepByStep) {
    queue(300, 200);
    EXPECT_EQ(command.run(), ScanOutcome::PageStored);
    EXPECT_EQ(state.currentImageFile, tmp("TMP00001.BMP"));
    EXPECT_EQ(QImage(state.currentImageFile, "BMP").size(), QSize(300, 200));
    EXPECT_EQ(host.events,
              QStringList({"release", "tmp", "image", "palette", "layout", "save:on"}));
    EXPECT_NE(host.image, 0u);
    EXPECT_NE(host.palette, 0u);
    ASSERT_EQ(document.pageCount(), 1);
    const Page& page = document.pages()[0];
    EXPECT_EQ(page.orientation, 1) << "a wide page lies on an A4 landscape sheet";
    ASSERT_EQ(page.pictures.size(), 1u);
    EXPECT_EQ(page.pictures[0].filePath, state.currentImageFile);
    EXPECT_EQ(page.pictures[0].boxTwips, QRect(0, 0, 16836, 11224)) << "its 3:2 shape kept";
    EXPECT_EQ(page.pictures[0].mode, kPictureFit);
    EXPECT_TRUE(status.events.isEmpty()) << "nothing saved automatically, nothing said";
}

TEST_F(ScanCommandTest, APaperSizeThatIsSetWinsOverThePagesShape) {
    state.currentImageFile = home.file("page.BMP");
    document.setPaperSize(1);
    document.setPaperDimensions(12240, 15840);
    command.ShowPage(300, 100);
    EXPECT_EQ(document.pages()[0].pictures.at(0).boxTwips, QRect(0, 0, 12240, 15840));
}

TEST_F(ScanCommandTest, OnlyMinusOneFromOpeningTheSourceGivesUp) {
    scanner.openResult = -1;
    queue(10, 10);
    EXPECT_EQ(command.run(), ScanOutcome::NoPage);
    EXPECT_EQ(scanner.acquisitions, 0);
    EXPECT_TRUE(files(TempFolder()).isEmpty()) << "reserved name left behind";

    scanner.openResult = 0;
    EXPECT_EQ(command.run(), ScanOutcome::PageStored);
    EXPECT_EQ(scanner.acquisitions, 1);
}

TEST_F(ScanCommandTest, ACancelledScanLeavesEverythingAndSaysNothing) {
    settings(kAllOn);
    queue(40, 30);
    command.run();
    const QString shown = state.currentImageFile;
    const QStringList saved = files(desktop.path());
    status.events.clear();
    host.events.clear();

    EXPECT_EQ(command.run(), ScanOutcome::NoPage); // the queue is empty: cancelled
    EXPECT_EQ(state.currentImageFile, shown);
    EXPECT_EQ(document.pages().at(0).pictures.at(0).filePath, shown);
    EXPECT_EQ(files(desktop.path()), saved);
    EXPECT_EQ(files(TempFolder()), QStringList({"TMP00001.BMP"}));
    EXPECT_TRUE(status.events.isEmpty());
    EXPECT_EQ(host.image, 0u);
    EXPECT_EQ(host.palette, 0u);
    EXPECT_EQ(host.events, QStringList({"release", "tmp", "image"}));
}

TEST_F(ScanCommandTest, APageThatCannotBeWrittenIsShownReportedAndSavedFromMemory) {
    settings(kBmpJpegOn);
    for (const bool noFolder : {false, true}) {
        SCOPED_TRACE(noFolder);
        scanner.writeResult = noFolder ? 0 : 7;
        state.workFolder = noFolder ? QString() : TempFolder();
        queue(40, 30);
        EXPECT_EQ(command.run(), ScanOutcome::PageInMemory);
        EXPECT_TRUE(state.currentImageFile.isEmpty());
        ASSERT_EQ(document.pageCount(), 1);
        EXPECT_EQ(document.pages()[0].pictures.at(0).load(), ColourPicture(40, 30));
        EXPECT_TRUE(host.saveCommandsEnabled);
        EXPECT_TRUE(files(TempFolder()).isEmpty());
        ASSERT_FALSE(status.events.isEmpty());
        EXPECT_TRUE(status.events[0].startsWith("message:" + kPageNotWrittenTitle +
                                                "|作業フォルダ " +
                                                QDir::toNativeSeparators(TempFolder())));
    }
    EXPECT_EQ(files(desktop.path()),
              QStringList({"BMP00001.BMP", "BMP00002.BMP", "JPEG00001.jpg", "JPEG00002.jpg"}));
    EXPECT_EQ(QImage(desk("BMP00002.BMP")).convertToFormat(QImage::Format_RGB32),
              ColourPicture(40, 30).convertToFormat(QImage::Format_RGB32));
    EXPECT_EQ(QImage(desk("JPEG00002.jpg")).size(), QSize(40, 30));
}

TEST_F(ScanCommandTest, AutomaticSaveWritesTheThreeFormatsInOrderAndNumbersOn) {
    settings(kAllOn);
    queue(64, 48);
    queue(48, 64);
    command.run();
    EXPECT_EQ(status.events, kAllSaved);
    EXPECT_EQ(files(desktop.path()),
              QStringList({"BMP00001.BMP", "JPEG00001.jpg", "PDF00001.PDF"}));
    EXPECT_EQ(ReadBytes(desk("BMP00001.BMP")), ReadBytes(tmp("TMP00001.BMP")));
    const QImage jpeg(desk("JPEG00001.jpg"), "JPG");
    EXPECT_EQ(jpeg.size(), QSize(64, 48));
    const ProbedPdf pdf = ProbePdf(desk("PDF00001.PDF"));
    ASSERT_TRUE(pdf.ok) << pdf.error;
    ASSERT_EQ(pdf.pages.size(), 1u);
    EXPECT_EQ(pdf.pages[0].mediaBox, std::vector<double>({0, 0, 841.8, 595.2}));
    ASSERT_EQ(pdf.pages[0].images.size(), 1u);
    EXPECT_EQ(pdf.pages[0].images[0].width, 64);
    EXPECT_TRUE(pdf.pages[0].images[0].hasFilter) << "initial compression is 3";

    const NativeHandle first = host.image;
    command.run();
    EXPECT_EQ(scanner.freed, std::vector<NativeHandle>({first}));
    EXPECT_EQ(state.currentImageFile, tmp("TMP00002.BMP"));
    EXPECT_EQ(files(TempFolder()), QStringList({"TMP00001.BMP", "TMP00002.BMP"}));
    EXPECT_EQ(files(desktop.path()),
              QStringList({"BMP00001.BMP", "BMP00002.BMP", "JPEG00001.jpg", "JPEG00002.jpg",
                           "PDF00001.PDF", "PDF00002.PDF"}));
    const ProbedPdf second = ProbePdf(desk("PDF00002.PDF"));
    ASSERT_TRUE(second.ok);
    EXPECT_EQ(second.pages.at(0).mediaBox, std::vector<double>({0, 0, 595.2, 841.8}));
}

TEST_F(ScanCommandTest, JpegParametersAreThoseReadBeforeTheScan) {
    settings("[JPEG]\nFlag=True\nType=0\nComplevel=4\nEncode=True\n");
    // Changed while the page is being acquired: this scan keeps the earlier values.
    host.onRelease = [this] { settings("[JPEG]\nFlag=True\nType=0\nComplevel=0\nEncode=False\n"); };
    queue(32, 32);
    command.run();
    // Step 4 is quality 80; the same page written by hand with those values is the same file.
    ASSERT_EQ(SavetoJPEG(state.currentImageFile, tmp("expected.jpg"), 80, kJpegProgressive),
              kJpegOk);
    EXPECT_EQ(ReadBytes(desk("JPEG00001.jpg")), ReadBytes(tmp("expected.jpg")));
}

TEST_F(ScanCommandTest, AFailedWriteLeavesNoEmptyReservedFile) {
    // The page file vanishes before the copy: the BMP and JPEG writers fail on the source.
    settings(kBmpJpegOn);
    queue(20, 20);
    command.AcquirePage();
    ASSERT_TRUE(QFile::remove(state.currentImageFile));
    AutoSave(status, document, exporter, folders).run(state.currentImageFile, JpegSettings{});
    EXPECT_TRUE(files(desktop.path()).isEmpty()) << files(desktop.path()).join(",").toStdString();
    EXPECT_EQ(status.events.size(), 4);
    EXPECT_TRUE(status.events[1].startsWith("message:" + text::kBmpFailedTitle));
    EXPECT_TRUE(status.events[3].startsWith("message:" + text::kJpegFailedTitle));
}

TEST_F(ScanCommandTest, AFormatWithNoPlaceToGoIsSkippedWithAMessageAndTheNextGoesOn) {
    // No desktop folder known; every number taken (and no other name borrowed).
    const QString full = home.file("full");
    QDir().mkpath(full);
    for (int n = 0; n < kNumberedNameCount; ++n)
        ASSERT_TRUE(QFile(NumberedName("BMP", full, "BMP", n)).open(QIODevice::WriteOnly));
    const struct {
        QByteArray ini;
        QString jpegFolder;
    } cases[] = {{"[BMP]\nFlag=True\nType=0\n[JPEG]\nFlag=True\nType=1\n", documents.path()},
                 {"[BMP]\nFlag=True\nType=2\nPath=" + full.toUtf8() +
                      "\n[JPEG]\nFlag=True\nType=2\nPath=" + full.toUtf8() + "\n",
                  full}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.ini.toStdString());
        status.events.clear();
        folders.desktop = [] { return QString(); };
        ScanCommand scan(scanner, host, status, state, document, exporter, folders);
        settings(c.ini);
        queue(20, 20);
        scan.run();
        ASSERT_EQ(status.events.size(), 3);
        EXPECT_TRUE(status.events[0].startsWith("message:" + text::kBmpFailedTitle + "|"));
        EXPECT_EQ(status.events[1], "status:" + text::kJpegStart);
        EXPECT_EQ(status.events[2], "status:" + text::kJpegEnd);
        EXPECT_GT(QFileInfo(c.jpegFolder + "/JPEG00001.jpg").size(), 0);
    }
    EXPECT_FALSE(QFileInfo::exists(DataFolder() + "/BMP00001.BMP"));
    EXPECT_EQ(QDir(full).entryList(QDir::Files).size(), kNumberedNameCount + 1);
}

} // namespace
