// The writers: JPEG pages decoded again and checked against their source, the BMP copy,
// grey pages in a PDF, full disks and the stored settings.
#include "bmp_rows.h"
#include "image_writers.h"
#include "jpeg_probe.h"
#include "jpeg_writer.h"
#include "page_document.h"
#include "pdf_exporter.h"
#include "pdf_probe.h"
#include "size_limit.h"
#include "test_images.h"

#include <QBuffer>
#include <QDir>
#include <QTemporaryDir>
#include <array>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace folivo {
namespace {

TEST(WriterSettings, StoredTextsGiveQualityFlagAndCompression) {
    const struct {
        const char *complevel, *encode;
        int quality;
        bool progressive;
    } cases[] = {
        {"0", "", 100, false},   {"20", "", 0, false},    {"", "", 75, false},
        {"abc", "", 75, false},  {"4", "True", 80, true}, {"3", "false", 85, false},
        {"3", "TRUE", 85, true}, {"3", "yes", 85, false}, {"-31", "", 255, false},
        {"-32", "", 0, false},   {" 2 ", "-1", 90, true}, {"70000", "", 75, false},
        {"2.5", "", 90, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(JpegSettingsFromText(QString::fromUtf8(c.complevel), QString::fromUtf8(c.encode)),
                  (JpegSettings{std::uint8_t(c.quality), c.progressive}))
            << c.complevel << " / " << c.encode;
    for (const auto& [text, compression] :
         {std::pair{"False", 0}, {"false", 0}, {"0", 0}, {"True", 3}, {"", 3}, {"yes", 3}})
        EXPECT_EQ(PdfCompressionFromText(QString::fromUtf8(text)), compression) << text;
}

// A smooth picture: JPEG at quality 100 should come back within a few levels.
QImage smoothPicture(int w, int h, int dpi = 0) {
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, qRgb(x * 255 / w, y * 255 / h, 128));
    if (dpi > 0) { // 2 : 3 as tall as wide
        image.setDotsPerMeterX(qRound(dpi / 0.0254));
        image.setDotsPerMeterY(qRound(dpi * 2 / 3 / 0.0254));
    }
    return image;
}

// A 16 x 16 RLE8 BMP: bottom half red, top half blue.
QByteArray rle8Bmp() {
    std::vector<QRgb> palette(8, qRgb(0, 0, 0));
    palette[5] = qRgb(255, 0, 0);
    palette[7] = qRgb(0, 0, 255);
    QByteArray b = test::BuildBmp({16, 16, 8, palette, 11811, [](int, int) { return 0u; }});
    b.truncate(54 + 32);
    for (int row = 0; row < 16; ++row) // stored bottom row first: a run of 16, end of line
        b.append(QByteArray::fromRawData(row < 8 ? "\x10\x05\x00\x00" : "\x10\x07\x00\x00", 4));
    b.append(QByteArray::fromRawData("\x00\x01", 2)); // end of bitmap
    b[30] = 1;                                        // BI_RLE8
    return b;
}

class WritersTest : public ::testing::Test {
protected:
    QString path(const QString& name) const { return m_dir.filePath(name); }
    QString file(const QString& name, const QByteArray& bytes) const {
        EXPECT_TRUE(test::WriteBytes(path(name), bytes));
        return path(name);
    }
    // The source converted and read again.
    QByteArray converted(const QString& source, std::int16_t progressive, int quality = 100) {
        const QString target = path(QStringLiteral("page.jpg"));
        EXPECT_EQ(SavetoJPEG(source, target, std::uint8_t(quality), progressive), kJpegOk);
        return test::ReadBytes(target);
    }
    QTemporaryDir m_dir;
};

TEST_F(WritersTest, PagesComeOutBaselineOrProgressiveWithTheirComponentsAndResolution) {
    const QImage colour = smoothPicture(120, 80, 300); // 300 x 200 dpi
    const QImage grey = smoothPicture(64, 48, 300)
                            .convertToFormat(QImage::Format_Grayscale8)
                            .convertToFormat(QImage::Format_Indexed8);
    const struct {
        QImage source;
        std::int16_t progressive;
        int components;
        int marker;
    } cases[] = {
        {colour, kJpegBaseline, 3, 0xC0},
        {colour, kJpegProgressive, 3, 0xC2},
        {grey, kJpegBaseline, 1, 0xC0},
        {grey, kJpegProgressive, 1, 0xC2},
        {test::MonoPicture(40, 30), kJpegBaseline, 1, 0xC0},
        {colour, 1, 3, 0xC0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(&c - cases);
        const QString source = path(QStringLiteral("page.bmp"));
        ASSERT_TRUE(c.source.save(source, "BMP"));
        const auto jpeg = test::ProbeJpeg(converted(source, c.progressive));
        ASSERT_TRUE(jpeg.ok);
        EXPECT_EQ(jpeg.components, c.components);
        EXPECT_EQ(jpeg.startOfFrame, c.marker);
        if (c.source.dotsPerMeterX() == colour.dotsPerMeterX()) {
            EXPECT_EQ(std::tuple(jpeg.densityUnit, jpeg.xDensity, jpeg.yDensity),
                      std::tuple(1, 300, 200));
        }
        EXPECT_LT(test::MeanDifference(jpeg.pixels, c.source), 3.0);
    }
}

TEST_F(WritersTest, HandBuiltBmpsOfEveryStoredFormatKeepTheirPixelsAndOrientation) {
    // Quadrants: top left yellow, top right red, bottom left cyan, bottom right blue.
    const auto quadrants = [](int x, int y) -> std::uint32_t {
        return (y < 8 ? 0xFF0000u : 0x0000FFu) | (x < 8 ? 0x00FF00u : 0u);
    };
    // Palette indices: yellow, red / red, blue.
    const auto indices = [](int x, int y) -> std::uint32_t {
        return (y < 8 ? 1u : 2u) + (x < 8 ? 0u : 1u);
    };
    const QRgb yellow = qRgb(255, 255, 0), red = qRgb(255, 0, 0), blue = qRgb(0, 0, 255);
    const QRgb cyan = qRgb(0, 255, 255);
    const std::vector<QRgb> palette = {0, yellow, red, blue};
    const std::array<QRgb, 4> fourColours{yellow, red, cyan, blue};
    const struct {
        const char* name;
        QByteArray bmp;
        std::array<QRgb, 4> corners; // top left, top right, bottom left, bottom right
    } cases[] = {
        {"24-bit bottom-up", test::BuildBmp({16, 16, 24, {}, 11811, quadrants}), fourColours},
        {"24-bit top-down", test::BuildBmp({16, -16, 24, {}, 11811, quadrants}), fourColours},
        {"32-bit", test::BuildBmp({16, 16, 32, {}, 11811, quadrants}), fourColours},
        {"4-bit palette",
         test::BuildBmp({16, 16, 4, palette, 11811, indices}),
         {yellow, red, red, blue}},
        {"8-bit palette",
         test::BuildBmp({16, -16, 8, palette, 11811, indices}),
         {yellow, red, red, blue}},
        {"RLE8, a form only Qt's reader takes", rle8Bmp(), {blue, blue, red, red}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto jpeg = test::ProbeJpeg(converted(file(QStringLiteral("hand.bmp"), c.bmp), 0));
        ASSERT_TRUE(jpeg.ok);
        EXPECT_EQ(jpeg.components, 3);
        ASSERT_EQ(jpeg.pixels.size(), QSize(16, 16));
        // Quadrant centres are far from the edges that JPEG blurs.
        const QPoint centres[] = {QPoint(3, 3), QPoint(12, 3), QPoint(3, 12), QPoint(12, 12)};
        for (int i = 0; i < 4; ++i)
            EXPECT_LE(test::ChannelDistance(jpeg.pixels.pixel(centres[i]), c.corners[i]), 12) << i;
    }
}

// Rows come a block at a time: 100 000-byte rows make blocks of ten, so 25 rows take
// three reads, in either storage order and when asked for out of order.
TEST(BmpRowReader, GivesEveryRowAcrossBlocksInBothStorageOrders) {
    const std::vector<QRgb> palette(256, 0);
    for (const int height : {25, -25}) {
        SCOPED_TRACE(height);
        QByteArray bytes = test::BuildBmp({100'000, height, 8, palette, 11811, [](int x, int y) {
                                               return std::uint32_t(x + 7 * y) & 0xFF;
                                           }});
        QBuffer device(&bytes);
        ASSERT_TRUE(device.open(QIODevice::ReadOnly));
        const auto layout = ReadBmpLayout(device);
        ASSERT_TRUE(layout.has_value());
        BmpRowReader reader(device, *layout);
        ASSERT_TRUE(reader.allocated());
        for (const int y : {0, 1, 9, 10, 11, 19, 20, 24, 3, 24, 12}) {
            const std::uint8_t* row = reader.row(y);
            ASSERT_NE(row, nullptr) << y;
            for (const int x : {0, 1, 99'999})
                EXPECT_EQ(row[x], std::uint8_t(x + 7 * y)) << y << ", " << x;
        }
        EXPECT_EQ(reader.row(25), nullptr);
        bytes.chop(50'000); // the last rows in the file are cut off
        BmpRowReader cut(device, *layout);
        EXPECT_EQ(cut.row(height > 0 ? 0 : 24), nullptr);
    }
}

// Both writers answer their failure codes and never touch the file they were to replace;
// a successful write replaces it without a question.
TEST_F(WritersTest, FailuresAnswerTheirCodesAndLeaveAnExistingTargetAlone) {
    const QString good = path(QStringLiteral("good.bmp"));
    ASSERT_TRUE(smoothPicture(8, 8).save(good, "BMP"));
    const QString lockedDir = path(QStringLiteral("locked"));
    ASSERT_TRUE(QDir().mkpath(lockedDir));
    const QString lockedTarget = file(QStringLiteral("locked/old.jpg"), "old");
    ASSERT_TRUE(QFile::setPermissions(lockedDir, QFile::ReadOwner | QFile::ExeOwner));
    const QString readOnlyFile = file(QStringLiteral("readonly.jpg"), "old");
    ASSERT_TRUE(QFile::setPermissions(readOnlyFile, QFile::ReadOwner));
    const QString existing = file(QStringLiteral("existing.jpg"), "old");
    const QString fresh = path(QStringLiteral("a.jpg"));
    using Write = std::function<int(const QString&, const QString&)>;
    const Write jpeg = [](const QString& s, const QString& t) {
        return SavetoJPEG(s, t, 80, kJpegBaseline);
    };
    const Write bmp = [](const QString& s, const QString& t) { return int(CopyBmp(s, t)); };
    const int bmpUnreadable = int(WriteResult::SourceUnreadable);
    std::vector<std::tuple<Write, QString, QString, int>> cases = {
        {jpeg, path(QStringLiteral("none.bmp")), fresh, kJpegSourceUnreadable},
        {jpeg, m_dir.path(), fresh, kJpegSourceUnreadable},
        {jpeg, QString(), fresh, kJpegSourceUnreadable},
        {jpeg, file(QStringLiteral("garbage.bmp"), "this is no bitmap at all"), existing,
         kJpegBadSource},
        {jpeg, file(QStringLiteral("empty.bmp"), QByteArray()), existing, kJpegBadSource},
        {bmp, path(QStringLiteral("gone.bmp")), existing, bmpUnreadable},
        {bmp, QString(), existing, bmpUnreadable},
    };
    for (const QString& target :
         {lockedTarget, readOnlyFile, lockedDir, path(QStringLiteral("no/such/x.jpg"))}) {
        cases.emplace_back(jpeg, good, target, kJpegTargetUnwritable);
        cases.emplace_back(bmp, good, target, int(WriteResult::TargetUnwritable));
    }
    for (const auto& [write, source, target, code] : cases)
        EXPECT_EQ(write(source, target), code)
            << source.toStdString() << " -> " << target.toStdString();
    for (const QString& kept : {existing, lockedTarget, readOnlyFile})
        EXPECT_EQ(test::ReadBytes(kept), QByteArray("old"));
    EXPECT_FALSE(QFile::exists(fresh));
    QFile::setPermissions(lockedDir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_EQ(QDir(lockedDir).entryList(QDir::Files), QStringList{QStringLiteral("old.jpg")});
    ASSERT_EQ(jpeg(good, existing), kJpegOk);
    EXPECT_TRUE(test::ProbeJpeg(test::ReadBytes(existing)).ok);
    // A copy is not a re-encode: trailing bytes come along too.
    QByteArray bytes = test::ReadBytes(good) + QByteArray(3, '\xEE');
    ASSERT_EQ(CopyBmp(file(QStringLiteral("TMP00001.BMP"), bytes), existing), WriteResult::Ok);
    EXPECT_EQ(test::ReadBytes(existing), bytes);
}

class FailingDevice : public QIODevice {
protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char*, qint64) override { return -1; }
};

TEST_F(WritersTest, AFailedWriteIsCodeTwoAndNeverAnAbort) {
    QBuffer bmp;
    bmp.open(QIODevice::WriteOnly);
    ASSERT_TRUE(smoothPicture(300, 300).save(&bmp, "BMP"));
    FailingDevice out;
    out.open(QIODevice::WriteOnly);
    EXPECT_EQ(EncodeBmpToJpeg(bmp.data(), out, 90, kJpegProgressive), kJpegTargetUnwritable);
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
