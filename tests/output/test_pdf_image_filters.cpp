// How page images are stored in a PDF, read back by poppler: line art as CCITT G4,
// colour and grey as JPEG when "PDF"/"Image" asks for it, otherwise lossless.
#include "image_writers.h"
#include "page_document.h"
#include "pdf_exporter.h"
#include "poppler_tools.h"
#include "settings.h"
#include "temp_home.h"
#include "test_images.h"

#include <QImage>
#include <cmath>
#include <cstdlib>
#include <gtest/gtest.h>
#include <map>

namespace folivo {
namespace {

enum class Kind { Colour, Grey, MonoBlackFirst, MonoWhiteFirst };

constexpr int kWidth = 96;
constexpr int kHeight = 64;

// Smooth shading with flat corners, so JPEG's loss stays small where the colours are
// right and large where they are not (red and blue swapped, say).
QImage picture(Kind kind) {
    if (kind == Kind::MonoBlackFirst || kind == Kind::MonoWhiteFirst)
        return test::MonoPicture(kWidth, kHeight, kind == Kind::MonoWhiteFirst);
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            image.setPixel(x, y, x < 32 ? qRgb(220, 40, 30) : qRgb(x * 2, y * 3, 250 - x));
    return kind == Kind::Grey ? image.convertToFormat(QImage::Format_Grayscale8) : image;
}

constexpr int kZoom = 4; // poppler smooths images at 1:1; the middle of each 4 x 4 is exact

// Mean absolute difference per sample between the source and the middle of each source
// pixel in poppler's rendering at kZoom x 72 dpi.
double meanError(const QImage& source, const QImage& rendered, bool grey) {
    const QImage::Format format = grey ? QImage::Format_Grayscale8 : QImage::Format_RGB888;
    const QImage a = source.convertToFormat(format);
    const QImage b = rendered.convertToFormat(format);
    if (b.size() != a.size() * kZoom)
        return 1e9;
    const int channels = grey ? 1 : 3;
    double sum = 0;
    for (int y = 0; y < a.height(); ++y) {
        const uchar* want = a.constScanLine(y);
        const uchar* got = b.constScanLine(y * kZoom + kZoom / 2);
        for (int x = 0; x < a.width(); ++x)
            for (int i = 0; i < channels; ++i)
                sum += std::abs(int(want[x * channels + i]) -
                                int(got[(x * kZoom + kZoom / 2) * channels + i]));
    }
    return sum / (double(a.width()) * a.height() * channels);
}

struct Case {
    const char* name;
    Kind kind;
    const char* image;     // "PDF"/"Image", nullptr: absent
    const char* complevel; // "JPEG"/"Complevel", nullptr: absent (quality 75)
    int compression;
    const char* encoding; // as pdfimages names the filter
    double minError, maxError;
};

TEST(PdfImageFilters, SettingChoosesTheFilterAndPopplerReadsTheSamePicture) {
    if (!test::HasPoppler())
        GTEST_SKIP() << "poppler-utils is not installed";
    const Case cases[] = {
        {"colour, no setting: lossless", Kind::Colour, nullptr, nullptr, 3, "image", 0, 0},
        {"grey, no setting: lossless", Kind::Grey, nullptr, nullptr, 3, "image", 0, 0},
        {"unknown value: lossless", Kind::Colour, "Photo", nullptr, 3, "image", 0, 0},
        {"colour as JPEG", Kind::Colour, "Jpeg", nullptr, 3, "jpeg", 0.1, 3},
        {"grey as JPEG", Kind::Grey, "jpeg", nullptr, 3, "jpeg", 0.1, 3},
        {"JPEG at the JPEG setting's quality 10", Kind::Colour, "Jpeg", "18", 3, "jpeg", 3, 12},
        {"line art, black first: G4", Kind::MonoBlackFirst, "Jpeg", nullptr, 3, "ccitt", 0, 0},
        {"line art, white first: G4", Kind::MonoWhiteFirst, nullptr, nullptr, 3, "ccitt", 0, 0},
        {"uncompressed: no JPEG", Kind::Colour, "Jpeg", nullptr, 0, "image", 0, 0},
        {"uncompressed line art", Kind::MonoWhiteFirst, nullptr, nullptr, 0, "image", 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::TempHome home;
        if (c.image)
            WriteSetting(QStringLiteral("PDF"), QStringLiteral("Image"), QLatin1String(c.image));
        if (c.complevel)
            WriteSetting(QStringLiteral("JPEG"), QStringLiteral("Complevel"),
                         QLatin1String(c.complevel));
        const QImage source = picture(c.kind);
        const QString bmp = home.file(QStringLiteral("TMP00001.BMP"));
        ASSERT_TRUE(source.save(bmp, "BMP"));
        // A page of the picture's size at 72 dpi, so poppler renders pixel for pixel.
        PageDocument doc;
        doc.setPaperSize(1);
        doc.setPaperDimensions(kWidth * 20, kHeight * 20);
        doc.StartDoc();
        doc.DrawPicture(bmp, 0, 0, kWidth * 20, kHeight * 20, kPictureFit);
        doc.EndDoc();
        PdfExporter exporter;
        exporter.setCompression(c.compression);
        const QString pdf = home.file(QStringLiteral("out.pdf"));
        ASSERT_EQ(ExportPdf(exporter, doc, pdf), WriteResult::Ok);

        const auto listed = test::ListImages(pdf);
        ASSERT_EQ(listed.size(), 1u);
        EXPECT_EQ(listed[0].encoding, QLatin1String(c.encoding));
        const bool grey = c.kind != Kind::Colour;
        const double error = meanError(source, test::RenderPage(pdf, 1, 72 * kZoom, grey), grey);
        EXPECT_GE(error, c.minError);
        EXPECT_LE(error, c.maxError);
    }
}

} // namespace
} // namespace folivo
