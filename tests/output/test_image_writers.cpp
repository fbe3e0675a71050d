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
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace folivo {
namespace {

TEST(JpegSettingsRules, StepAndEncodeTextsGiveQualityAndFlag) {
    struct Case {
        const char* complevel;
        const char* encode;
        int quality;
        bool progressive;
    };
    const Case cases[] = {
        {"0", "", 100, false},     {"20", "", 0, false},      {"", "", 75, false},
        {"-1", "", 105, false},    {"abc", "", 75, false},    {"4", "True", 80, true},
        {"1", "False", 95, false}, {"3", "false", 85, false}, {"3", "TRUE", 85, true},
        {"3", "yes", 85, false},   {"60", "", 0, false},      {"-31", "", 255, false},
        {"-32", "", 0, false},     {" 2 ", "-1", 90, true},   {"70000", "", 75, false},
        {"2.5", "", 90, false},    {"19", "0", 5, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.complevel) + " / " + c.encode);
        const JpegSettings s =
            JpegSettingsFromText(QString::fromUtf8(c.complevel), QString::fromUtf8(c.encode));
        EXPECT_EQ(int(s.quality), c.quality);
        EXPECT_EQ(s.progressive, c.progressive);
    }
}

TEST(JpegSettingsRules, ReadFromTheSettingsFileEveryTime) {
    test::TempHome home;
    EXPECT_EQ(ReadJpegSettings(), (JpegSettings{75, false})); // no file at all
    ASSERT_EQ(
        WriteSetting(QStringLiteral("JPEG"), QStringLiteral("Complevel"), QStringLiteral("4")), 1);
    ASSERT_EQ(
        WriteSetting(QStringLiteral("JPEG"), QStringLiteral("Encode"), QStringLiteral("True")), 1);
    EXPECT_EQ(ReadJpegSettings(), (JpegSettings{80, true}));
    ASSERT_EQ(
        WriteSetting(QStringLiteral("JPEG"), QStringLiteral("Complevel"), QStringLiteral("0")), 1);
    EXPECT_EQ(ReadJpegSettings(), (JpegSettings{100, true}));
}

TEST(PdfSettingsRules, CompTextGivesTheCompression) {
    const std::pair<const char*, int> cases[] = {
        {"False", 0}, {"false", 0}, {"0", 0}, {"True", 3}, {"", 3}, {"yes", 3}, {"1", 3},
    };
    for (const auto& [text, compression] : cases) {
        SCOPED_TRACE(text);
        EXPECT_EQ(PdfCompressionFromText(QString::fromUtf8(text)), compression);
    }
}

TEST(PdfSettingsRules, ApplyPdfSettingsSetsCompressionAndTheThreeDocumentProperties) {
    test::TempHome home;
    PdfExporter exporter;
    PageDocument document;
    ASSERT_EQ(WriteSetting(QStringLiteral("PDF"), QStringLiteral("Comp"), QStringLiteral("False")),
              1);
    ApplyPdfSettings(exporter, document);
    EXPECT_EQ(exporter.compression(), kPdfUncompressed);
    EXPECT_EQ(document.exportProperty(105).toString(), QStringLiteral("tanutanu"));
    EXPECT_EQ(document.exportProperty(106).toInt(), 0);
    EXPECT_TRUE(document.exportProperty(106).isValid());
    EXPECT_EQ(document.exportProperty(107).toInt(), 0);
    EXPECT_TRUE(document.exportProperty(107).isValid());
    ASSERT_EQ(WriteSetting(QStringLiteral("PDF"), QStringLiteral("Comp"), QStringLiteral("maybe")),
              1);
    ApplyPdfCompressionSetting(exporter);
    EXPECT_EQ(exporter.compression(), kPdfCompressed);
}

TEST(JpegResultReport, EveryCodeShowsItsLine) {
    const QString title = QStringLiteral("JPEGファイルの作成に失敗しました。");
    const std::pair<int, QString> cases[] = {
        {1, QStringLiteral("スキャン画像に排他制御がかかっています。")},
        {2, QStringLiteral("ファイルの出力に失敗しました。（書き込み禁止、容量不足 etc）")},
        {3, QStringLiteral("スキャン画像のフォーマットが異常です。再スキャンして下さい。")},
        {4, QStringLiteral("スタックオーバーフロー")},
        {5, QStringLiteral("原因不明のエラーコードが返答されました。")},
        {-1, QStringLiteral("原因不明のエラーコードが返答されました。")},
    };
    for (const auto& [code, prompt] : cases) {
        SCOPED_TRACE(code);
        test::RecordingStatus status;
        ReportJpegResult(status, code);
        EXPECT_EQ(status.events, QStringList{QStringLiteral("message:%1|%2").arg(title, prompt)});
        EXPECT_EQ(status.line, title);
    }
    test::RecordingStatus status;
    ReportJpegResult(status, 0);
    EXPECT_EQ(status.events,
              QStringList{QStringLiteral("status:JPEGファイルの保存を終了しました。")});
}

TEST(WriteReports, FailuresNameTheFileAndTheReasonInsteadOfTheEndLine) {
    const QString target = QStringLiteral("/some/folder/scan.pdf");
    test::RecordingStatus failed;
    ReportPdfResult(failed, target, WriteResult::TargetUnwritable);
    ReportBmpResult(failed, QStringLiteral("/x/a.bmp"), WriteResult::SourceUnreadable);
    EXPECT_EQ(failed.events, QStringList({"message:" + text::kPdfFailedTitle + "|" + target + "\n" +
                                              WriteFailureReason(WriteResult::TargetUnwritable),
                                          "message:" + text::kBmpFailedTitle + "|/x/a.bmp\n" +
                                              WriteFailureReason(WriteResult::SourceUnreadable)}));
    test::RecordingStatus ok;
    ReportBmpResult(ok, target, WriteResult::Ok);
    ReportPdfResult(ok, target, WriteResult::Ok);
    EXPECT_EQ(ok.events, QStringList({"status:" + text::kBmpEnd, "status:" + text::kPdfEnd}));
    for (const WriteResult r : {WriteResult::SourceUnreadable, WriteResult::TargetUnwritable,
                                WriteResult::OutOfMemory, WriteResult::EmptyDocument})
        EXPECT_FALSE(WriteFailureReason(r).isEmpty());
    EXPECT_NE(WriteFailureReason(WriteResult::SourceUnreadable),
              WriteFailureReason(WriteResult::TargetUnwritable));
}

class CopyBmpTest : public ::testing::Test {
protected:
    QString path(const QString& name) const { return m_dir.filePath(name); }
    QTemporaryDir m_dir;
};

TEST_F(CopyBmpTest, CopiesByteForByteAndReplacesAnExistingFile) {
    QByteArray bytes =
        test::BuildBmp({3, 2, 24, {}, 0, [](int x, int y) { return std::uint32_t(x * 77 + y); }});
    bytes.append(QByteArray(3, '\xEE')); // trailing bytes too: a copy is not a re-encode
    ASSERT_TRUE(test::WriteBytes(path(QStringLiteral("TMP00001.BMP")), bytes));
    ASSERT_TRUE(test::WriteBytes(path(QStringLiteral("out.bmp")), "older and longer content"));
    EXPECT_EQ(CopyBmp(path(QStringLiteral("TMP00001.BMP")), path(QStringLiteral("out.bmp"))),
              WriteResult::Ok);
    EXPECT_EQ(test::ReadBytes(path(QStringLiteral("out.bmp"))), bytes);
}

TEST_F(CopyBmpTest, FailuresKeepTheOldFileByteForByte) {
    const QString source = path(QStringLiteral("src.bmp"));
    ASSERT_TRUE(test::WriteBytes(source, "BM new"));
    const QString locked = path(QStringLiteral("locked"));
    ASSERT_TRUE(QDir().mkpath(locked));
    ASSERT_TRUE(test::WriteBytes(locked + QStringLiteral("/keep.bmp"), "old"));
    ASSERT_TRUE(QFile::setPermissions(locked, QFile::ReadOwner | QFile::ExeOwner));
    const QString readOnly = path(QStringLiteral("ro.bmp"));
    ASSERT_TRUE(test::WriteBytes(readOnly, "old"));
    ASSERT_TRUE(QFile::setPermissions(readOnly, QFile::ReadOwner));
    const QString existing = path(QStringLiteral("existing.bmp"));
    ASSERT_TRUE(test::WriteBytes(existing, "old"));
    EXPECT_EQ(CopyBmp(source, locked + QStringLiteral("/keep.bmp")), WriteResult::TargetUnwritable);
    EXPECT_EQ(CopyBmp(source, readOnly), WriteResult::TargetUnwritable);
    EXPECT_EQ(CopyBmp(source, locked), WriteResult::TargetUnwritable);
    EXPECT_EQ(CopyBmp(source, path(QStringLiteral("missing/x.bmp"))),
              WriteResult::TargetUnwritable);
    EXPECT_EQ(CopyBmp(path(QStringLiteral("gone.bmp")), existing), WriteResult::SourceUnreadable);
    EXPECT_EQ(CopyBmp(QString(), existing), WriteResult::SourceUnreadable);
    EXPECT_EQ(test::ReadBytes(locked + QStringLiteral("/keep.bmp")), QByteArray("old"));
    EXPECT_EQ(test::ReadBytes(readOnly), QByteArray("old"));
    EXPECT_EQ(test::ReadBytes(existing), QByteArray("old"));
    QFile::setPermissions(locked, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_EQ(QDir(locked).entryList(QDir::Files), QStringList{QStringLiteral("keep.bmp")});
}

TEST_F(CopyBmpTest, ANewFileFollowsTheUmaskAndAReplacedOneKeepsItsPermissions) {
    const QString source = path(QStringLiteral("src.bmp"));
    ASSERT_TRUE(test::WriteBytes(source, "BM page"));
    const mode_t old = umask(022);
    const QString fresh = path(QStringLiteral("new.bmp"));
    const QString replaced = path(QStringLiteral("private.bmp"));
    ASSERT_TRUE(test::WriteBytes(replaced, "old"));
    ASSERT_EQ(chmod(replaced.toLocal8Bit().constData(), 0600), 0);
    EXPECT_EQ(CopyBmp(source, fresh), WriteResult::Ok);
    EXPECT_EQ(CopyBmp(source, replaced), WriteResult::Ok);
    umask(old);
    struct stat st;
    ASSERT_EQ(stat(fresh.toLocal8Bit().constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0644u);
    ASSERT_EQ(stat(replaced.toLocal8Bit().constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
}

// A full disk (a file-size limit here): every writer reports it, and the file it was to
// replace keeps its old bytes; no temporary file stays behind.
TEST_F(CopyBmpTest, AFullDiskIsReportedAndTheOldFileKept) {
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
        const QString target = path(QString::fromLatin1(w.target));
        ASSERT_TRUE(test::WriteBytes(target, old));
        EXPECT_TRUE(test::ReportsFailureUnderSizeLimit([&] { return !w.write(target); }));
        EXPECT_EQ(test::ReadBytes(target), old);
        ASSERT_TRUE(w.write(target)) << "writes without the limit";
        EXPECT_NE(test::ReadBytes(target), old);
    }
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 4);
}

// An 8-bit grey page whose palette is not the plain ramp (reversed, or 16 levels) shows
// the palette's grey in the PDF, not the raw index.
TEST_F(CopyBmpTest, GreyPagesWithAnyGreyPaletteKeepTheirGreyInAPdf) {
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
        const QString bmp = path(QStringLiteral("grey.bmp"));
        ASSERT_TRUE(test::WriteBytes(bmp, test::BuildBmp({16, 4, 8, palette, 11811, index})));
        PageDocument document;
        document.DrawPicture(bmp, 0, 0, kA4ShortTwips, kA4LongTwips);
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
