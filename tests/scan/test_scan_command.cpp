// The scan command with a scanner that answers without a device: the order of its steps,
// the temporary page file, the page on the preview, and the automatic save.
#include "auto_save.h"
#include "fake_scanner_library.h"
#include "image_writers.h"
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
#include <QSet>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using namespace folivo;
using namespace folivo::test;
using folivo::test::TempHome;

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

private:
    ScannerLibrary& m_scanner;
};

const QByteArray kAllOn =
    "[BMP]\nFlag=True\nType=0\n[JPEG]\nFlag=True\nType=0\n[PDF]\nFlag=True\nType=0\n";
const QByteArray kBmpJpegOn = "[BMP]\nFlag=True\nType=0\n[JPEG]\nFlag=True\nType=0\n";

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
    ASSERT_EQ(document.pageCount(), 1);
    const Page& page = document.pages()[0];
    EXPECT_EQ(page.orientation, 1) << "a wide page lies on an A4 landscape sheet";
    ASSERT_EQ(page.pictures.size(), 1u);
    EXPECT_EQ(page.pictures[0].filePath, state.currentImageFile);
    EXPECT_EQ(page.pictures[0].boxTwips, QRect(0, 0, 16836, 11224)) << "its 3:2 shape kept";
    EXPECT_EQ(page.pictures[0].mode, kPictureFit);
    EXPECT_TRUE(status.events.isEmpty()) << "nothing saved automatically, nothing said";
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
    // Each end line names its file, which the status line then offers to open.
    const auto end = [this](const QString& line, const char* name) {
        return "status:" + line + "（" + desk(name) + "）";
    };
    EXPECT_EQ(status.events,
              QStringList({"status:" + text::kBmpStart, end(text::kBmpEnd, "BMP00001.BMP"),
                           "status:" + text::kJpegStart, end(text::kJpegEnd, "JPEG00001.jpg"),
                           "status:" + text::kPdfStart, end(text::kPdfEnd, "PDF00001.PDF")}));
    EXPECT_EQ(status.offered,
              QStringList({desk("BMP00001.BMP"), desk("JPEG00001.jpg"), desk("PDF00001.PDF")}));
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
        EXPECT_EQ(status.events[2], "status:" + text::kJpegEnd + "（" +
                                        QDir::cleanPath(c.jpegFolder + "/JPEG00001.jpg") + "）");
        EXPECT_GT(QFileInfo(c.jpegFolder + "/JPEG00001.jpg").size(), 0);
    }
    EXPECT_FALSE(QFileInfo::exists(DataFolder() + "/BMP00001.BMP"));
    EXPECT_EQ(QDir(full).entryList(QDir::Files).size(), kNumberedNameCount + 1);
}

} // namespace

// Numbered names, their no-replace publishing, special folders and the output folder by
// "Type": the pieces the automatic save and the temporary page files are named with.
namespace {

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
    settings("[JPEG]\nFlag=-1\n[PDF]\nFlag=yes\n");
    EXPECT_TRUE(AutoSaveEnabled(AutoSaveFormat::Jpeg));
    EXPECT_FALSE(AutoSaveEnabled(AutoSaveFormat::Pdf)) << "unreadable text is off";
    EXPECT_FALSE(AutoSaveEnabled(AutoSaveFormat::Bmp)) << "an absent flag is off";
}

} // namespace
