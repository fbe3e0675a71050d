// The save-as commands, driven like a user: the dialog is answered, files read back.
#include "image_writers.h"
#include "jpeg_probe.h"
#include "page_document.h"
#include "pdf_exporter.h"
#include "pdf_probe.h"
#include "program_state.h"
#include "recording_status.h"
#include "save_as_commands.h"
#include "save_dialog.h"
#include "settings.h"
#include "temp_home.h"
#include "test_images.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace folivo {
namespace {

// Answers the save dialog with a scripted name ("" = Cancel) and remembers what it saw.
class ScriptedDialog : public SaveDialog {
public:
    QString askSaveFileName(const QString& filter, const QString& defaultExtension) override {
        this->filter = filter;
        this->defaultExtension = defaultExtension;
        if (whileOpen)
            whileOpen();
        return answer;
    }
    QString answer;
    QString filter;
    QString defaultExtension;
    std::function<void()> whileOpen;
};

class SaveAsCommandsTest : public ::testing::Test {
protected:
    SaveAsCommandsTest()
        : commands(dialog, status, state, document, exporter, [this] { ++repaints; }) {
        state.currentImageFile = home.file(QStringLiteral("TMP00001.BMP"));
        picture = test::ColourPicture(48, 32);
        picture.save(state.currentImageFile, "BMP");
        document.StartDoc();
        document.DrawPicture(state.currentImageFile, 0, 0, kA4ShortTwips, kA4LongTwips);
        document.EndDoc();
        QObject::connect(&document, &PageDocument::mousePointerChanged,
                         [this](int pointer) { pointers.push_back(pointer); });
    }
    QString out(const QString& name) const { return home.file(name); }

    test::TempHome home;
    ScriptedDialog dialog;
    test::RecordingStatus status;
    ProgramState state;
    PageDocument document;
    PdfExporter exporter;
    int repaints = 0;
    std::vector<int> pointers;
    QImage picture;
    SaveAsCommands commands;
};

// The filter's pattern is the default extension; a cancelled dialog does nothing.
TEST_F(SaveAsCommandsTest, DialogsGetTheirFiltersAndNamesTheirExtensionsOrCancelQuietly) {
    using Command = void (*)(SaveAsCommands&);
    const Command bmp = [](SaveAsCommands& c) { c.menuSaveBMP(); };
    const Command jpeg = [](SaveAsCommands& c) { c.menuSaveJPEG(); };
    const Command pdf = [](SaveAsCommands& c) { EXPECT_FALSE(c.menuSavePDF()); };
    const struct {
        Command run;
        const char* filter;
        const char* typed; // "" = Cancel
        const char* written;
    } cases[] = {
        {bmp, "BMP形式(*.bmp)|*.bmp", "", ""},
        {jpeg, "JPEG形式(*.jpg)|*.jpg", "", ""},
        {pdf, "PDF形式(*.pdf)|*.pdf", "", ""},
        {bmp, "BMP形式(*.bmp)|*.bmp", "page", "page.bmp"},
        {jpeg, "JPEG形式(*.jpg)|*.jpg", "photo", "photo.jpg"},
        {[](SaveAsCommands& c) { c.menuSavePDF(); }, "PDF形式(*.pdf)|*.pdf", "doc", "doc.pdf"},
        {bmp, "BMP形式(*.bmp)|*.bmp", "kept.BMP", "kept.BMP"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.filter + std::string(" ") + c.typed);
        const QStringList before = QDir(home.path()).entryList(QDir::Files);
        dialog.answer = *c.typed ? out(QString::fromUtf8(c.typed)) : QString();
        c.run(commands);
        EXPECT_EQ(dialog.filter, QString::fromUtf8(c.filter));
        EXPECT_EQ(dialog.defaultExtension, dialog.filter.section(u'|', 1));
        if (*c.written) {
            EXPECT_TRUE(QFile::exists(out(QString::fromUtf8(c.written))));
            continue;
        }
        EXPECT_TRUE(status.events.isEmpty());
        EXPECT_EQ(status.line, QStringLiteral("(unchanged)"));
        EXPECT_TRUE(pointers.empty());
        EXPECT_EQ(repaints, 0);
        EXPECT_EQ(QDir(home.path()).entryList(QDir::Files), before);
    }
    EXPECT_FALSE(QFile::exists(out(QStringLiteral("page"))));
}

TEST_F(SaveAsCommandsTest, BmpIsACopyBetweenItsTwoStatusLinesAndReplacesWithoutAQuestion) {
    ASSERT_TRUE(test::WriteBytes(out(QStringLiteral("copy.bmp")), "old"));
    dialog.answer = out(QStringLiteral("copy.bmp"));
    commands.menuSaveBMP();
    EXPECT_EQ(test::ReadBytes(out(QStringLiteral("copy.bmp"))),
              test::ReadBytes(state.currentImageFile));
    EXPECT_EQ(status.events, QStringList({"status:" + text::kBmpStart, "status:" + text::kBmpEnd}));
}

TEST_F(SaveAsCommandsTest, JpegUsesTheSettingsStoredWhenTheCommandStarted) {
    WriteSetting(QStringLiteral("JPEG"), QStringLiteral("Encode"), QStringLiteral("True"));
    WriteSetting(QStringLiteral("JPEG"), QStringLiteral("Complevel"), QStringLiteral("4"));
    dialog.whileOpen = [] { // the user changes the settings while the dialog is open
        WriteSetting(QStringLiteral("JPEG"), QStringLiteral("Encode"), QStringLiteral("False"));
    };
    dialog.answer = out(QStringLiteral("scan.jpg"));
    commands.menuSaveJPEG();
    const auto jpeg = test::ProbeJpeg(test::ReadBytes(out(QStringLiteral("scan.jpg"))));
    ASSERT_TRUE(jpeg.ok);
    EXPECT_EQ(jpeg.startOfFrame, 0xC2);
    EXPECT_LT(test::MeanDifference(jpeg.pixels, picture), 12.0);
    EXPECT_EQ(status.events,
              QStringList({"status:" + text::kJpegStart, "status:" + text::kJpegEnd}));
}

TEST_F(SaveAsCommandsTest, PdfShowsTheHourglassSetsTheExportPropertiesAndFollowsComp) {
    WriteSetting(QStringLiteral("PDF"), QStringLiteral("Comp"), QStringLiteral("False"));
    std::vector<int> pointerAtStatus;
    status.onStatus = [&](const QString&) { pointerAtStatus.push_back(document.mousePointer()); };
    ASSERT_TRUE(test::WriteBytes(out(QStringLiteral("book.pdf")), "old"));
    dialog.answer = out(QStringLiteral("book.pdf"));
    EXPECT_TRUE(commands.menuSavePDF());
    EXPECT_EQ(pointers, (std::vector<int>{11, 0}));
    EXPECT_EQ(pointerAtStatus, (std::vector<int>{11, 0}));
    EXPECT_EQ(repaints, 1);
    EXPECT_EQ(document.exportProperty(105).toString(), QStringLiteral("tanutanu"));
    EXPECT_EQ(exporter.compression(), kPdfUncompressed);
    EXPECT_EQ(status.events, QStringList({"status:" + text::kPdfStart, "status:" + text::kPdfEnd}));
    const auto pdf = test::ProbePdf(out(QStringLiteral("book.pdf")));
    ASSERT_TRUE(pdf.ok) << pdf.error;
    ASSERT_EQ(pdf.pages.size(), 1u);
    ASSERT_EQ(pdf.pages[0].images.size(), 1u);
    EXPECT_FALSE(pdf.pages[0].images[0].hasFilter);
    EXPECT_EQ(pdf.pages[0].images[0].width, 48);
}

TEST_F(SaveAsCommandsTest, FailedWritesAreReportedAndKeepTheOldFile) {
    const QString locked = out(QStringLiteral("locked"));
    ASSERT_TRUE(QDir().mkpath(locked));
    ASSERT_TRUE(test::WriteBytes(locked + QStringLiteral("/a.pdf"), "old pdf"));
    ASSERT_TRUE(test::WriteBytes(locked + QStringLiteral("/a.bmp"), "old bmp"));
    ASSERT_TRUE(QFile::setPermissions(locked, QFile::ReadOwner | QFile::ExeOwner));
    const QString reason = WriteFailureReason(WriteResult::TargetUnwritable);
    dialog.answer = locked + QStringLiteral("/a.pdf");
    EXPECT_FALSE(commands.menuSavePDF());
    EXPECT_EQ(pointers, (std::vector<int>{11, 0}));
    dialog.answer = locked + QStringLiteral("/a.bmp");
    commands.menuSaveBMP();
    const QString folder = out(QStringLiteral("folder.bmp")); // a folder chosen as the file
    ASSERT_TRUE(QDir().mkpath(folder));
    dialog.answer = folder;
    commands.menuSaveBMP();
    const auto failed = [&](const QString& title, const QString& file) {
        return "message:" + title + "|" + file + "\n" + reason;
    };
    state.currentImageFile = out(QStringLiteral("vanished.bmp"));
    dialog.answer = out(QStringLiteral("x.jpg"));
    commands.menuSaveJPEG();
    EXPECT_EQ(
        status.events,
        QStringList({"status:" + text::kPdfStart, failed(text::kPdfFailedTitle, locked + "/a.pdf"),
                     "status:" + text::kBmpStart, failed(text::kBmpFailedTitle, locked + "/a.bmp"),
                     "status:" + text::kBmpStart, failed(text::kBmpFailedTitle, folder),
                     "status:" + text::kJpegStart,
                     "message:" + text::kJpegFailedTitle + "|" + JpegResultPrompt(1)}));
    EXPECT_FALSE(QFile::exists(out(QStringLiteral("x.jpg"))));
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
    EXPECT_EQ(QtSaveDialog::toQtFilter(QStringLiteral("BMP形式(*.bmp)|*.bmp")),
              QStringLiteral("BMP形式(*.bmp)"));
    EXPECT_EQ(QtSaveDialog::toQtFilter(QStringLiteral("Pictures|*.png")),
              QStringLiteral("Pictures (*.png)"));
}

} // namespace
} // namespace folivo
