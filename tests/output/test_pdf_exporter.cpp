// PDF export: every file is read back with qpdf and compared with the source pixels; and
// what small pictures do not reach: multi-band compression and the job queue's order.
#include "page_document.h"
#include "pdf_deflate.h"
#include "pdf_exporter.h"
#include "pdf_job_queue.h"
#include "pdf_probe.h"
#include "test_images.h"

#include <QBuffer>
#include <QDir>
#include <QTemporaryDir>
#include <atomic>
#include <cstring>
#include <gtest/gtest.h>
#include <optional>
#include <random>
#include <zlib.h>

namespace folivo {
namespace {

// The samples a PDF image of `source` must decode to, worked out from the pixels.
std::string expectedSamples(const QImage& source, const std::string& space, int bits) {
    std::string out;
    for (int y = 0; y < source.height(); ++y) {
        std::string row(
            (std::size_t(source.width()) * (space == "/DeviceRGB" ? 3 : 1) * bits + 7) / 8, '\0');
        for (int x = 0; x < source.width(); ++x) {
            const QRgb c = source.pixel(x, y);
            if (space == "/DeviceRGB") {
                row.replace(3 * x, 3, {char(qRed(c)), char(qGreen(c)), char(qBlue(c))});
                continue;
            }
            const unsigned value = space == "/Indexed" ? unsigned(source.pixelIndex(x, y))
                                   : bits == 1         ? (qRed(c) == 255 ? 1u : 0u)
                                                       : unsigned(qRed(c));
            const int perByte = 8 / bits;
            row[std::size_t(x / perByte)] |= char(value << (perByte - 1 - x % perByte) * bits);
        }
        out += row;
    }
    return out;
}

class PdfExporterTest : public ::testing::Test {
protected:
    QString path(const QString& name) const { return m_dir.filePath(name); }
    // A picture saved as a file in the test's folder.
    QString saved(const QImage& picture, const QString& name, const char* format = "BMP") {
        EXPECT_TRUE(picture.save(path(name), format)) << name.toStdString();
        return path(name);
    }
    // Exports with the exporter's initial compression when none is given, and reads back.
    test::ProbedPdf exported(const PageDocument& doc, std::optional<int> compression = {}) {
        PdfExporter exporter;
        if (compression)
            exporter.setCompression(*compression);
        EXPECT_EQ(exporter.exportDocument(doc, path(QStringLiteral("out.pdf"))), WriteResult::Ok);
        return test::ProbePdf(path(QStringLiteral("out.pdf")));
    }
    QTemporaryDir m_dir;
};

// An Indexed8 picture using `colours` palette entries (red, green, dark blue, ...).
QImage palettePicture(int colours) {
    QImage image(37, 11, QImage::Format_Indexed8);
    QList<QRgb> table{qRgb(255, 0, 0), qRgb(0, 128, 0), qRgb(10, 20, 30)};
    while (table.size() < colours)
        table.append(qRgb(table.size() * 9, 200, table.size() * 3));
    image.setColorTable(table);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, uint((x + y) % colours));
    return image;
}

TEST_F(PdfExporterTest, ImagesKeepTheirDepthAndColourAndDecodeToTheSourcePixels) {
    QImage grey8(23, 9, QImage::Format_Grayscale8);
    for (int x = 0; x < grey8.width(); ++x)
        for (int y = 0; y < grey8.height(); ++y)
            grey8.setPixel(x, y, qRgb(x * 11, x * 11, x * 11));
    const struct {
        const char* name;
        QImage picture;
        const char* fileFormat; // "BMP", "PNG", or nullptr for an in-memory picture
        std::string space;
        int bits;
    } cases[] = {
        {"colour BMP", test::ColourPicture(41, 29), "BMP", "/DeviceRGB", 8},
        {"grey BMP", test::GreyPicture(33, 21), "BMP", "/DeviceGray", 8},
        {"1-bit BMP", test::MonoPicture(45, 17), "BMP", "/DeviceGray", 1},
        {"1-bit BMP white first", test::MonoPicture(45, 17, true), "BMP", "/DeviceGray", 1},
        {"16-colour BMP", palettePicture(3), "BMP", "/Indexed", 4},
        {"256-colour BMP", palettePicture(40), "BMP", "/Indexed", 8},
        {"colour PNG", test::ColourPicture(19, 13), "PNG", "/DeviceRGB", 8},
        {"grey PNG", grey8, "PNG", "/DeviceGray", 8},
        {"colour in memory", test::ColourPicture(16, 16), nullptr, "/DeviceRGB", 8},
    };
    // Any non-zero compression compresses.
    for (const int compression : {kPdfCompressed, kPdfUncompressed, 5}) {
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(c.name) + " compression " + std::to_string(compression));
            PageDocument doc;
            doc.StartDoc();
            if (c.fileFormat)
                doc.DrawPicture(
                    saved(c.picture, QStringLiteral("page.") + c.fileFormat, c.fileFormat), 0, 0,
                    kA4ShortTwips, kA4LongTwips);
            else
                doc.DrawPicture(c.picture, 0, 0, kA4ShortTwips, kA4LongTwips);
            doc.EndDoc();
            const auto pdf = exported(doc, compression);
            ASSERT_TRUE(pdf.ok) << pdf.error;
            ASSERT_EQ(pdf.pages.size(), 1u);
            ASSERT_EQ(pdf.pages[0].images.size(), 1u);
            const auto& image = pdf.pages[0].images[0];
            EXPECT_EQ(QSize(image.width, image.height), c.picture.size());
            EXPECT_EQ(image.colourSpace, c.space);
            EXPECT_EQ(image.bitsPerComponent, c.bits);
            const bool compressed = compression != kPdfUncompressed;
            EXPECT_EQ(pdf.pages[0].contentsFiltered, compressed);
            const bool lineArt = compressed && c.bits == 1 && c.space == "/DeviceGray";
            // G4: poppler checks its pixels (test_pdf_image_filters.cpp).
            EXPECT_EQ(image.filter, lineArt ? "/CCITTFaxDecode" : compressed ? "/FlateDecode" : "");
            EXPECT_EQ(image.decodeParms.find("/Predictor 15") != std::string::npos,
                      compressed && !lineArt);
            if (c.space == "/Indexed") {
                EXPECT_EQ(image.hival, (1 << c.bits) - 1);
                EXPECT_EQ(image.lookup.substr(0, 9),
                          std::string("\xFF\0\0\0\x80\0\x0A\x14\x1E", 9));
            }
            if (!lineArt) {
                EXPECT_TRUE(image.samples == expectedSamples(c.picture, c.space, c.bits));
            }
        }
    }
}

// Page sizes in points, pictures in their boxes, pages in document order; the same
// document gives the same bytes, another picture another document ID.
TEST_F(PdfExporterTest, PagesComeOutInOrderSizedAndPlacedAndIdenticalEachTime) {
    PageDocument doc;
    doc.StartDoc();
    doc.DrawPicture(saved(test::ColourPicture(8, 6), QStringLiteral("p0.bmp")), 0, 0, kA4ShortTwips,
                    kA4LongTwips);
    doc.setOrientation(1);
    doc.NewPage();
    doc.DrawPicture(saved(test::GreyPicture(21, 11), QStringLiteral("p1.bmp")), 1440, 2880, 2880,
                    1440);
    doc.setOrientation(0);
    doc.setPaperSize(9);
    doc.setPaperDimensions(12240, 15840); // Letter
    doc.NewPage();
    doc.EndDoc();
    const auto pdf = exported(doc); // compressed from the start
    ASSERT_TRUE(pdf.ok) << pdf.error;
    ASSERT_EQ(pdf.pages.size(), 3u);
    EXPECT_EQ(pdf.pages[0].mediaBox, (std::vector<double>{0, 0, 595.2, 841.8}));
    EXPECT_EQ(pdf.pages[1].mediaBox, (std::vector<double>{0, 0, 841.8, 595.2}));
    EXPECT_EQ(pdf.pages[2].mediaBox, (std::vector<double>{0, 0, 612, 792}));
    ASSERT_EQ(pdf.pages[0].images.size(), 1u);
    EXPECT_EQ(pdf.pages[0].images[0].placement, "595.2 0 0 841.8 0 0");
    EXPECT_TRUE(pdf.pages[0].images[0].hasFilter);
    ASSERT_EQ(pdf.pages[1].images.size(), 1u);
    EXPECT_EQ(pdf.pages[1].images[0].width, 21);
    // 2 x 1 inches, one inch from the left, two from the top of an 8.27-inch-high page.
    EXPECT_EQ(pdf.pages[1].images[0].placement, "144 0 0 72 72 379.2");
    EXPECT_TRUE(pdf.pages[2].images.empty());

    const QByteArray first = test::ReadBytes(path(QStringLiteral("out.pdf")));
    (void)exported(doc);
    EXPECT_EQ(test::ReadBytes(path(QStringLiteral("out.pdf"))), first);
    (void)saved(test::ColourPicture(10, 21), QStringLiteral("p0.bmp"));
    EXPECT_EQ(pdf.id.size(), 16u);
    EXPECT_NE(exported(doc).id, pdf.id);
}

TEST_F(PdfExporterTest, UnreadablePicturesEmptyTheirPagesAndFailuresKeepTheOldFile) {
    PageDocument doc;
    doc.StartDoc();
    doc.DrawPicture(path(QStringLiteral("missing.bmp")), 0, 0, kA4ShortTwips, kA4LongTwips);
    doc.NewPage();
    const QString broken = path(QStringLiteral("broken.bmp"));
    ASSERT_TRUE(test::WriteBytes(broken, QByteArray("BM this is not a bitmap")));
    doc.DrawPicture(broken, 0, 0, kA4ShortTwips, kA4LongTwips);
    doc.EndDoc();
    const auto pdf = exported(doc);
    ASSERT_TRUE(pdf.ok) << pdf.error;
    ASSERT_EQ(pdf.pages.size(), 2u);
    EXPECT_TRUE(pdf.pages[0].images.empty());
    EXPECT_TRUE(pdf.pages[1].images.empty());

    // A PNG with a sound header but its data cut off fails only while it is written, and
    // fails the export.
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    test::ColourPicture(64, 64).save(&buffer, "PNG");
    const QString picture = path(QStringLiteral("cut.png"));
    ASSERT_TRUE(test::WriteBytes(picture, png.left(png.size() / 2)));
    doc.StartDoc();
    doc.DrawPicture(picture, 0, 0, kA4ShortTwips, kA4LongTwips);
    doc.EndDoc();
    const QString out = path(QStringLiteral("out.pdf"));
    ASSERT_TRUE(test::WriteBytes(out, "old bytes"));
    EXPECT_EQ(PdfExporter().exportDocument(doc, out), WriteResult::SourceUnreadable);
    EXPECT_EQ(test::ReadBytes(out), QByteArray("old bytes"));
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files).size(), 3) << "no temporary file left";

    const QString none = path(QStringLiteral("none.pdf"));
    EXPECT_EQ(PdfExporter().exportDocument(PageDocument(), none), WriteResult::EmptyDocument);
    EXPECT_FALSE(QFile::exists(none));
}

// Page-sized data, fed in uneven pieces, is split into bands, each compressed its own
// way (a clean margin above noise), and still comes out as one valid zlib stream.
TEST(PdfDeflate, PageSizedAndTinyDataRoundTripAsOneZlibStream) {
    std::mt19937 random(7);
    std::vector<std::uint8_t> noisy(3'500'000 + 123); // several bands and a short last one
    for (auto& b : noisy)
        b = std::uint8_t(240 + random() % 5);
    std::vector<std::uint8_t> clean(2'000'000, 0xFF);
    for (std::size_t i = 0; i < clean.size(); i += 997)
        clean[i] = 0;
    std::vector<std::uint8_t> mixed = clean;
    mixed.insert(mixed.end(), noisy.begin(), noisy.end());
    // Five values a byte pack well under half; clean pages far better.
    for (const auto& [data, ratio] :
         {std::pair{noisy, 2u}, {clean, 50u}, {mixed, 2u}, {{42}, 0u}, {{}, 0u}}) {
        StreamDeflater deflater;
        for (std::size_t at = 0; at < data.size(); at += 65'537)
            ASSERT_TRUE(
                deflater.append(data.data() + at, std::min<std::size_t>(65'537, data.size() - at)));
        const auto z = deflater.finish();
        ASSERT_TRUE(z.has_value());
        if (ratio) {
            EXPECT_LT(z->size, data.size() / ratio);
        }
        std::vector<std::uint8_t> back(data.size() + 16);
        uLongf length = uLongf(back.size());
        ASSERT_EQ(uncompress(back.data(), &length, z->data.get(), uLong(z->size)), Z_OK);
        back.resize(length);
        EXPECT_EQ(back, data);
    }
}

TEST(PdfJobQueue, EveryJobIsHandedOverInAnyOrderAndAgainWhenAskedTwice) {
    std::atomic<int> runs{0};
    std::vector<PdfJobQueue::Job> jobs;
    for (int i = 0; i < 12; ++i)
        jobs.push_back([i, &runs] {
            ++runs;
            StreamBytes b{AllocateBytes(1), 1};
            b.data.get()[0] = std::uint8_t(i);
            return JobResult{std::move(b), JobError::None};
        });
    PdfJobQueue queue(std::move(jobs), 2, 2); // two workers, at most two ahead of the writer
    for (const std::size_t i : {0u, 1u, 5u, 2u, 3u, 4u, 11u, 6u, 7u, 8u, 9u, 10u}) {
        const JobResult r = queue.take(i);
        ASSERT_TRUE(r.bytes.has_value()) << i;
        EXPECT_EQ(r.bytes->data.get()[0], i);
    }
    EXPECT_EQ(runs.load(), 12);
    const JobResult again = queue.take(3); // a writer asking twice gets the same bytes
    ASSERT_TRUE(again.bytes.has_value());
    EXPECT_EQ(again.bytes->data.get()[0], 3);
    EXPECT_EQ(queue.take(12).error, JobError::Unreadable);
}

} // namespace
} // namespace folivo
