// How page images are stored in a PDF, read back by poppler: line art as CCITT G4,
// colour and grey as JPEG when "PDF"/"Image" asks for it, otherwise lossless.
#include "image_writers.h"
#include "jpeg_probe.h"
#include "page_document.h"
#include "pdf_exporter.h"
#include "poppler_tools.h"
#include "settings.h"
#include "temp_home.h"
#include "test_images.h"

#include <QImage>
#include <gtest/gtest.h>

namespace folivo {
namespace {

constexpr int kZoom = 4; // poppler smooths images at 1:1; the middle of each 4 x 4 is exact

// Smooth shading beside a flat block, so JPEG's loss stays small where the colours are
// right and large where they are not (red and blue swapped, say).
QImage shaded(bool grey) {
    QImage image(96, 64, QImage::Format_RGB32);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 96; ++x)
            image.setPixel(x, y, x < 32 ? qRgb(220, 40, 30) : qRgb(x * 2, y * 3, 250 - x));
    return grey ? image.convertToFormat(QImage::Format_Grayscale8) : image;
}

// The middle of each source pixel in poppler's rendering at kZoom x 72 dpi.
QImage sampled(const QImage& rendered, QSize size) {
    if (rendered.size() != size * kZoom)
        return {};
    QImage out(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            out.setPixel(x, y, rendered.pixel(x * kZoom + kZoom / 2, y * kZoom + kZoom / 2));
    return out;
}

TEST(PdfImageFilters, SettingChoosesTheFilterAndPopplerReadsTheSamePicture) {
    if (!test::HasPoppler())
        GTEST_SKIP() << "poppler-utils is not installed";
    const QImage colour = shaded(false), grey = shaded(true);
    const QImage blackFirst = test::MonoPicture(96, 64),
                 whiteFirst = test::MonoPicture(96, 64, true);
    const struct {
        const char* name;
        const QImage& source;
        const char *image, *complevel; // "PDF"/"Image" and "JPEG"/"Complevel"; "": absent
        int compression;
        const char* encoding; // as pdfimages names the filter
        double minError, maxError;
    } cases[] = {
        {"colour, no setting: lossless", colour, "", "", 3, "image", 0, 0},
        {"grey, no setting: lossless", grey, "", "", 3, "image", 0, 0},
        {"unknown value: lossless", colour, "Photo", "", 3, "image", 0, 0},
        {"colour as JPEG", colour, "Jpeg", "", 3, "jpeg", 0.1, 3},
        {"grey as JPEG", grey, "jpeg", "", 3, "jpeg", 0.1, 3},
        {"JPEG at the JPEG setting's quality 10", colour, "Jpeg", "18", 3, "jpeg", 3, 12},
        {"line art, black first: G4", blackFirst, "Jpeg", "", 3, "ccitt", 0, 0},
        {"line art, white first: G4", whiteFirst, "", "", 3, "ccitt", 0, 0},
        {"uncompressed: no JPEG", colour, "Jpeg", "", 0, "image", 0, 0},
        {"uncompressed line art", whiteFirst, "", "", 0, "image", 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        test::TempHome home;
        if (*c.image)
            WriteSetting(QStringLiteral("PDF"), QStringLiteral("Image"), QLatin1String(c.image));
        if (*c.complevel)
            WriteSetting(QStringLiteral("JPEG"), QStringLiteral("Complevel"),
                         QLatin1String(c.complevel));
        const QString bmp = home.file(QStringLiteral("TMP00001.BMP"));
        ASSERT_TRUE(c.source.save(bmp, "BMP"));
        // A page of the picture's size at 72 dpi, so poppler renders pixel for pixel.
        PageDocument doc;
        doc.setPaperSize(1);
        doc.setPaperDimensions(96 * 20, 64 * 20);
        doc.StartDoc();
        doc.DrawPicture(bmp, 0, 0, 96 * 20, 64 * 20, kPictureFit);
        doc.EndDoc();
        PdfExporter exporter;
        exporter.setCompression(c.compression);
        const QString pdf = home.file(QStringLiteral("out.pdf"));
        ASSERT_EQ(ExportPdf(exporter, doc, pdf), WriteResult::Ok);
        const auto listed = test::ListImages(pdf);
        ASSERT_EQ(listed.size(), 1u);
        EXPECT_EQ(listed[0].encoding, QLatin1String(c.encoding));
        const QImage rendered = test::RenderPage(pdf, 1, 72 * kZoom, &c.source != &colour);
        const double error = test::MeanDifference(sampled(rendered, c.source.size()), c.source);
        EXPECT_GE(error, c.minError);
        EXPECT_LE(error, c.maxError);
    }
}

} // namespace
} // namespace folivo
