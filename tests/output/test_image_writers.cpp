// Writer operations: settings rules, result reports, the BMP copy and grey pages in a PDF.
#include "image_writers.h"
#include "jpeg_writer.h"
#include "page_document.h"
#include "pdf_exporter.h"
#include "pdf_probe.h"
#include "recording_status.h"
#include "settings.h"
#include "size_limit.h"
#include "temp_home.h"
#include "test_images.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace folivo {
namespace {

TEST(WriterSettings, StoredTextsGiveQualityFlagAndCompression) {
    const struct {
        const char* complevel;
        const char* encode;
        int quality;
        bool progressive;
    } cases[] = {
        {"0", "", 100, false},     {"20", "", 0, false},      {"", "", 75, false},
        {"-1", "", 105, false},    {"abc", "", 75, false},    {"4", "True", 80, true},
        {"1", "False", 95, false}, {"3", "false", 85, false}, {"3", "TRUE", 85, true},
        {"3", "yes", 85, false},   {"-31", "", 255, false},   {"-32", "", 0, false},
        {" 2 ", "-1", 90, true},   {"70000", "", 75, false},  {"2.5", "", 90, false},
    };
    for (const auto& c : cases) {
        const JpegSettings s =
            JpegSettingsFromText(QString::fromUtf8(c.complevel), QString::fromUtf8(c.encode));
        EXPECT_EQ(s, (JpegSettings{std::uint8_t(c.quality), c.progressive}))
            << c.complevel << " / " << c.encode;
    }
    for (const auto& [text, compression] : {std::pair{"False", 0},
                                            {"false", 0},
                                            {"0", 0},
                                            {"True", 3},
                                            {"", 3},
                                            {"yes", 3},
                                            {"1", 3}})
        EXPECT_EQ(PdfCompressionFromText(QString::fromUtf8(text)), compression) << text;

    test::TempHome home; // read from the settings file every time
    EXPECT_EQ(ReadJpegSettings(), (JpegSettings{75, false}));
    WriteSetting(QStringLiteral("JPEG"), QStringLiteral("Complevel"), QStringLiteral("4"));
    WriteSetting(QStringLiteral("JPEG"), QStringLiteral("Encode"), QStringLiteral("True"));
    EXPECT_EQ(ReadJpegSettings(), (JpegSettings{80, true}));
}

// Failures name their cause instead of the end line; unknown codes share one text.
TEST(WriteReports, FailuresNameTheFileAndTheReasonInsteadOfTheEndLine) {
    test::RecordingStatus ok;
    ReportJpegResult(ok, kJpegOk);
    ReportBmpResult(ok, QStringLiteral("/x/a.bmp"), WriteResult::Ok);
    ReportPdfResult(ok, QStringLiteral("/x/a.pdf"), WriteResult::Ok);
    EXPECT_EQ(ok.events, QStringList({"status:" + text::kJpegEnd, "status:" + text::kBmpEnd,
                                      "status:" + text::kPdfEnd}));
    QStringList prompts;
    for (int code : {1, 2, 3, 4, 5, -1}) {
        test::RecordingStatus failed;
        ReportJpegResult(failed, code);
        EXPECT_EQ(failed.events,
                  QStringList{"message:" + text::kJpegFailedTitle + "|" + JpegResultPrompt(code)});
        prompts << JpegResultPrompt(code);
    }
    EXPECT_EQ(prompts.at(4), prompts.at(5));
    prompts.removeDuplicates();
    EXPECT_EQ(prompts.size(), 5);

    test::RecordingStatus failed;
    ReportPdfResult(failed, QStringLiteral("/x/a.pdf"), WriteResult::TargetUnwritable);
    ReportBmpResult(failed, QStringLiteral("/x/a.bmp"), WriteResult::SourceUnreadable);
    EXPECT_EQ(failed.events, QStringList({"message:" + text::kPdfFailedTitle + "|/x/a.pdf\n" +
                                              WriteFailureReason(WriteResult::TargetUnwritable),
                                          "message:" + text::kBmpFailedTitle + "|/x/a.bmp\n" +
                                              WriteFailureReason(WriteResult::SourceUnreadable)}));
    QStringList reasons;
    for (const WriteResult r : {WriteResult::SourceUnreadable, WriteResult::TargetUnwritable,
                                WriteResult::OutOfMemory, WriteResult::EmptyDocument})
        reasons << WriteFailureReason(r);
    reasons.removeDuplicates();
    EXPECT_EQ(reasons.size(), 4);
    EXPECT_FALSE(reasons.contains(QString()));
}

class WritersTest : public ::testing::Test {
protected:
    QString path(const QString& name) const { return m_dir.filePath(name); }
    QString file(const QString& name, const QByteArray& bytes) const {
        EXPECT_TRUE(test::WriteBytes(path(name), bytes));
        return path(name);
    }
    QTemporaryDir m_dir;
};

TEST_F(WritersTest, CopyBmpCopiesByteForByteOrFailsKeepingTheOldFile) {
    QByteArray bytes =
        test::BuildBmp({3, 2, 24, {}, 0, [](int x, int y) { return std::uint32_t(x * 77 + y); }});
    bytes.append(QByteArray(3, '\xEE')); // trailing bytes too: a copy is not a re-encode
    const QString source = file(QStringLiteral("TMP00001.BMP"), bytes);
    const QString locked = path(QStringLiteral("locked"));
    ASSERT_TRUE(QDir().mkpath(locked));
    const QString inLocked = file(QStringLiteral("locked/keep.bmp"), "old");
    ASSERT_TRUE(QFile::setPermissions(locked, QFile::ReadOwner | QFile::ExeOwner));
    const QString readOnly = file(QStringLiteral("ro.bmp"), "old");
    ASSERT_TRUE(QFile::setPermissions(readOnly, QFile::ReadOwner));
    const QString existing = file(QStringLiteral("existing.bmp"), "old");
    const struct {
        QString from, to;
        WriteResult result;
    } cases[] = {
        {source, inLocked, WriteResult::TargetUnwritable},
        {source, readOnly, WriteResult::TargetUnwritable},
        {source, locked, WriteResult::TargetUnwritable},
        {source, path(QStringLiteral("missing/x.bmp")), WriteResult::TargetUnwritable},
        {path(QStringLiteral("gone.bmp")), existing, WriteResult::SourceUnreadable},
        {QString(), existing, WriteResult::SourceUnreadable},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CopyBmp(c.from, c.to), c.result) << c.to.toStdString();
    for (const QString& kept : {inLocked, readOnly, existing})
        EXPECT_EQ(test::ReadBytes(kept), QByteArray("old")) << kept.toStdString();
    QFile::setPermissions(locked, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_EQ(QDir(locked).entryList(QDir::Files), QStringList{QStringLiteral("keep.bmp")});
    EXPECT_EQ(CopyBmp(source, existing), WriteResult::Ok); // replaced without a question
    EXPECT_EQ(test::ReadBytes(existing), bytes);
}

TEST_F(WritersTest, ANewFileFollowsTheUmaskAndAReplacedOneKeepsItsPermissions) {
    const QString source = file(QStringLiteral("src.bmp"), "BM page");
    const mode_t old = umask(022);
    const QString fresh = path(QStringLiteral("new.bmp"));
    const QString replaced = file(QStringLiteral("private.bmp"), "old");
    ASSERT_EQ(chmod(replaced.toLocal8Bit().constData(), 0600), 0);
    EXPECT_EQ(CopyBmp(source, fresh), WriteResult::Ok);
    EXPECT_EQ(CopyBmp(source, replaced), WriteResult::Ok);
    umask(old);
    for (const auto& [target, mode] : {std::pair{fresh, 0644u}, {replaced, 0600u}}) {
        struct stat st;
        ASSERT_EQ(stat(target.toLocal8Bit().constData(), &st), 0);
        EXPECT_EQ(st.st_mode & 0777, mode);
    }
}

// A full disk (a file-size limit here): every writer reports it, and the file it was to
// replace keeps its old bytes; no temporary file stays behind.
TEST_F(WritersTest, AFullDiskIsReportedAndTheOldFileKept) {
    const QString source = path(QStringLiteral("TMP00001.BMP"));
    ASSERT_TRUE(test::ColourPicture(120, 90).save(source, "BMP"));
    PageDocument document;
    document.DrawPicture(source, 0, 0, kA4ShortTwips, kA4LongTwips);
    document.EndDoc();
    PdfExporter exporter;
    const struct {
        const char* target;
        std::function<bool(const QString&)> write; // true when it reports success
    } writers[] = {
        {"copy.bmp", [&](const QString& t) { return CopyBmp(source, t) == WriteResult::Ok; }},
        {"photo.jpg", [&](const QString& t) { return SavetoJPEG(source, t, 100, 0) == kJpegOk; }},
        {"book.pdf",
         [&](const QString& t) { return ExportPdf(exporter, document, t) == WriteResult::Ok; }},
    };
    const QByteArray old(5000, 'o'); // larger than the limit: it was written before
    for (const auto& w : writers) {
        SCOPED_TRACE(w.target);
        const QString target = file(QString::fromLatin1(w.target), old);
        EXPECT_TRUE(test::ReportsFailureUnderSizeLimit([&] { return !w.write(target); }));
        EXPECT_EQ(test::ReadBytes(target), old);
        ASSERT_TRUE(w.write(target)) << "writes without the limit";
        EXPECT_NE(test::ReadBytes(target), old);
    }
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 4);
}

// An 8-bit grey page whose palette is not the plain ramp (reversed, or 16 levels) shows
// the palette's grey in the PDF, not the raw index.
TEST_F(WritersTest, GreyPagesWithAnyGreyPaletteKeepTheirGreyInAPdf) {
    std::vector<QRgb> reversed, sixteen;
    for (int i = 0; i < 256; ++i)
        reversed.push_back(qRgb(255 - i, 255 - i, 255 - i));
    for (int i = 0; i < 16; ++i)
        sixteen.push_back(qRgb(i * 17, i * 17, i * 17));
    for (const auto& palette : {reversed, sixteen}) {
        SCOPED_TRACE(palette.size());
        const auto index = [n = int(palette.size())](int x, int y) {
            return std::uint32_t((x * 7 + y * 3) % n);
        };
        PageDocument document;
        document.DrawPicture(
            file(QStringLiteral("grey.bmp"), test::BuildBmp({16, 4, 8, palette, 11811, index})), 0,
            0, kA4ShortTwips, kA4LongTwips);
        document.EndDoc();
        PdfExporter exporter;
        ASSERT_EQ(ExportPdf(exporter, document, path(QStringLiteral("grey.pdf"))), WriteResult::Ok);
        const test::ProbedPdf pdf = test::ProbePdf(path(QStringLiteral("grey.pdf")));
        ASSERT_TRUE(pdf.ok) << pdf.error;
        const test::ProbedImage& image = pdf.pages.at(0).images.at(0);
        EXPECT_EQ(image.colourSpace, "/DeviceGray");
        std::string expected;
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 16; ++x)
                expected.push_back(char(qRed(palette[index(x, y)])));
        EXPECT_TRUE(image.samples == expected);
    }
}

} // namespace
} // namespace folivo
