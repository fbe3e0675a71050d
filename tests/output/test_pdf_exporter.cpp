// PDF export: every file is read back with qpdf and compared with the source pixels.
#include "page_document.h"
#include "pdf_exporter.h"
#include "pdf_probe.h"
#include "test_images.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <optional>

namespace folivo {
namespace {

using test::ProbePdf;

// The samples a PDF image of `source` must decode to, worked out from the pixels.
std::string expectedSamples(const QImage& source, const std::string& space, int bits) {
    std::string out;
    for (int y = 0; y < source.height(); ++y) {
        std::string row(
            (std::size_t(source.width()) * (space == "/DeviceRGB" ? 3 : 1) * bits + 7) / 8, '\0');
        for (int x = 0; x < source.width(); ++x) {
            const QRgb c = source.pixel(x, y);
            if (space == "/DeviceRGB") {
                row[3 * x] = char(qRed(c));
                row[3 * x + 1] = char(qGreen(c));
                row[3 * x + 2] = char(qBlue(c));
                continue;
            }
            const unsigned value = space == "/Indexed" ? unsigned(source.pixelIndex(x, y))
                                   : bits == 1         ? (qRed(c) == 255 ? 1u : 0u)
                                                       : unsigned(qRed(c));
            const int perByte = 8 / bits;
            const int shift = (perByte - 1 - x % perByte) * bits;
            row[std::size_t(x / perByte)] = char(row[std::size_t(x / perByte)] | (value << shift));
        }
        out += row;
    }
    return out;
}

struct FormatCase {
    const char* name;
    QImage picture;
    const char* fileFormat; // "BMP", "PNG", or nullptr for an in-memory picture
    std::string space;
    int bits;
};

class PdfExporterTest : public ::testing::Test {
protected:
    QString path(const QString& name) const { return m_dir.filePath(name); }
    // A picture saved as a file in the test's folder.
    QString saved(const QImage& picture, const QString& name, const char* format = "BMP") {
        const QString file = path(name);
        EXPECT_TRUE(picture.save(file, format)) << name.toStdString();
        return file;
    }
    // Exports with the exporter's initial compression when none is given, and reads back.
    test::ProbedPdf exported(const PageDocument& doc, std::optional<int> compression = {}) {
        PdfExporter exporter;
        if (compression)
            exporter.setCompression(*compression);
        const QString out = path(QStringLiteral("out.pdf"));
        EXPECT_EQ(exporter.exportDocument(doc, out), WriteResult::Ok);
        return ProbePdf(out);
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

std::vector<FormatCase> formatCases() {
    QImage grey8(23, 9, QImage::Format_Grayscale8);
    for (int y = 0; y < grey8.height(); ++y)
        for (int x = 0; x < grey8.width(); ++x)
            grey8.setPixel(x, y, qRgb(x * 11, x * 11, x * 11));
    return {
        {"colour BMP", test::ColourPicture(41, 29), "BMP", "/DeviceRGB", 8},
        {"grey BMP", test::GreyPicture(33, 21), "BMP", "/DeviceGray", 8},
        {"1-bit BMP", test::MonoPicture(45, 17), "BMP", "/DeviceGray", 1},
        {"1-bit BMP white first", test::MonoPicture(45, 17, true), "BMP", "/DeviceGray", 1},
        {"16-colour BMP", palettePicture(3), "BMP", "/Indexed", 4},
        {"256-colour BMP", palettePicture(40), "BMP", "/Indexed", 8},
        {"256-colour in memory", palettePicture(40), nullptr, "/Indexed", 8},
        {"colour PNG", test::ColourPicture(19, 13), "PNG", "/DeviceRGB", 8},
        {"grey PNG", grey8, "PNG", "/DeviceGray", 8},
        {"1-bit PNG", test::MonoPicture(20, 6), "PNG", "/DeviceGray", 1},
        {"colour in memory", test::ColourPicture(16, 16), nullptr, "/DeviceRGB", 8},
        {"1-bit in memory", test::MonoPicture(9, 3, true), nullptr, "/DeviceGray", 1},
    };
}

TEST_F(PdfExporterTest, ImagesKeepTheirDepthAndColourAndDecodeToTheSourcePixels) {
    // Any non-zero compression compresses.
    for (const int compression : {kPdfCompressed, kPdfUncompressed, 5}) {
        for (const FormatCase& c : formatCases()) {
            SCOPED_TRACE(std::string(c.name) + " compression " + std::to_string(compression));
            PageDocument doc;
            doc.StartDoc();
            if (c.fileFormat)
                doc.DrawPicture(
                    saved(c.picture, QStringLiteral("page.%1").arg(c.fileFormat), c.fileFormat), 0,
                    0, kA4ShortTwips, kA4LongTwips);
            else
                doc.DrawPicture(c.picture, 0, 0, kA4ShortTwips, kA4LongTwips);
            doc.EndDoc();
            const auto pdf = exported(doc, compression);
            ASSERT_TRUE(pdf.ok) << pdf.error;
            ASSERT_EQ(pdf.pages.size(), 1u);
            ASSERT_EQ(pdf.pages[0].images.size(), 1u);
            const auto& image = pdf.pages[0].images[0];
            EXPECT_EQ(image.width, c.picture.width());
            EXPECT_EQ(image.height, c.picture.height());
            EXPECT_EQ(image.colourSpace, c.space);
            EXPECT_EQ(image.bitsPerComponent, c.bits);
            const bool compressed = compression != kPdfUncompressed;
            EXPECT_EQ(image.hasFilter, compressed);
            EXPECT_EQ(pdf.pages[0].contentsFiltered, compressed);
            const bool lineArt = compressed && c.bits == 1 && c.space == "/DeviceGray";
            if (compressed && !lineArt) {
                EXPECT_EQ(image.filter, "/FlateDecode");
                EXPECT_NE(image.decodeParms.find("/Predictor 15"), std::string::npos);
            }
            // G4: poppler checks its pixels (test_pdf_image_filters.cpp).
            EXPECT_EQ(image.filter == "/CCITTFaxDecode", lineArt);
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

TEST_F(PdfExporterTest, MediaBoxIsThePageSizeInPointsAndPicturesSitInTheirBoxes) {
    const QString file = saved(test::ColourPicture(8, 6), QStringLiteral("p.bmp"));
    PageDocument doc;
    doc.setOrientation(0);
    doc.StartDoc();
    doc.DrawPicture(file, 0, 0, kA4ShortTwips, kA4LongTwips);
    doc.setOrientation(1);
    doc.NewPage();
    doc.DrawPicture(file, 1440, 2880, 2880, 1440);
    doc.setOrientation(0);
    doc.setPaperSize(9);
    doc.setPaperDimensions(12240, 15840); // Letter
    doc.NewPage();
    doc.EndDoc();
    EXPECT_EQ(PdfExporter().compression(), kPdfCompressed);
    const auto pdf = exported(doc);
    ASSERT_TRUE(pdf.ok) << pdf.error;
    ASSERT_EQ(pdf.pages.size(), 3u);
    EXPECT_EQ(pdf.pages[0].mediaBox, (std::vector<double>{0, 0, 595.2, 841.8}));
    EXPECT_EQ(pdf.pages[1].mediaBox, (std::vector<double>{0, 0, 841.8, 595.2}));
    EXPECT_EQ(pdf.pages[2].mediaBox, (std::vector<double>{0, 0, 612, 792}));
    ASSERT_EQ(pdf.pages[0].images.size(), 1u);
    EXPECT_EQ(pdf.pages[0].images[0].placement, "595.2 0 0 841.8 0 0");
    EXPECT_TRUE(pdf.pages[0].images[0].hasFilter) << "compressed from the start";
    ASSERT_EQ(pdf.pages[1].images.size(), 1u);
    // 2 x 1 inches, one inch from the left, two from the top of an 8.27-inch-high page.
    EXPECT_EQ(pdf.pages[1].images[0].placement, "144 0 0 72 72 379.2");
    EXPECT_TRUE(pdf.pages[2].images.empty());
}

TEST_F(PdfExporterTest, ManyPagesComeOutInDocumentOrderAndIdenticalBytesEachTime) {
    PageDocument doc;
    std::vector<QImage> pictures;
    doc.StartDoc();
    for (int i = 0; i < 7; ++i) {
        pictures.push_back(i % 2 ? test::GreyPicture(20 + i, 10 + i)
                                 : test::ColourPicture(10 + i, 20));
        if (i > 0)
            doc.NewPage();
        doc.DrawPicture(saved(pictures.back(), QStringLiteral("TMP%1.BMP").arg(i)), 0, 0,
                        kA4ShortTwips, kA4LongTwips);
    }
    doc.EndDoc();
    const auto pdf = exported(doc);
    ASSERT_TRUE(pdf.ok) << pdf.error;
    ASSERT_EQ(pdf.pages.size(), pictures.size());
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        SCOPED_TRACE(i);
        ASSERT_EQ(pdf.pages[i].images.size(), 1u);
        const auto& image = pdf.pages[i].images[0];
        EXPECT_EQ(image.width, pictures[i].width());
        EXPECT_TRUE(image.samples ==
                    expectedSamples(pictures[i], image.colourSpace, image.bitsPerComponent));
    }
    const QByteArray first = test::ReadBytes(path(QStringLiteral("out.pdf")));
    (void)exported(doc);
    EXPECT_EQ(test::ReadBytes(path(QStringLiteral("out.pdf"))), first);
    // A different picture gives a different document ID.
    (void)saved(test::ColourPicture(10, 21), QStringLiteral("TMP0.BMP"));
    EXPECT_EQ(pdf.id.size(), 16u);
    EXPECT_NE(exported(doc).id, pdf.id);
}

// A PNG whose header is sound but whose pixel data is cut off: it can be planned from
// its header, and only fails when its rows are read during the write.
QByteArray truncatedPng() {
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    test::ColourPicture(64, 64).save(&buffer, "PNG");
    return png.left(png.size() / 2);
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

    // A picture that fails only while it is written fails the export.
    const QString picture = path(QStringLiteral("cut.png"));
    ASSERT_TRUE(test::WriteBytes(picture, truncatedPng()));
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

} // namespace
} // namespace folivo
