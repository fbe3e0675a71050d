// Exported PDFs read by an independent reader: poppler's pdfinfo and pdftoppm.
#include "page_document.h"
#include "pdf_exporter.h"
#include "test_images.h"

#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace folivo {
namespace {

QString run(const QString& program, const QStringList& args) {
    QProcess process;
    process.start(program, args);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return QStringLiteral("failed: ") + QString::fromUtf8(process.readAllStandardError());
    return QString::fromUtf8(process.readAllStandardOutput());
}

// Four quadrants: red, green / blue, white.
QImage quadrants() {
    QImage image(40, 40, QImage::Format_RGB32);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x)
            image.setPixel(x, y,
                           y < 20 ? (x < 20 ? qRgb(255, 0, 0) : qRgb(0, 255, 0))
                                  : (x < 20 ? qRgb(0, 0, 255) : qRgb(255, 255, 255)));
    return image;
}

// Left half black, right half white, stored white-first as some scanners do.
QImage halves() {
    QImage image(64, 32, QImage::Format_Mono);
    image.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)});
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 64; ++x)
            image.setPixel(x, y, x < 32 ? 1u : 0u);
    return image;
}

bool near(QRgb got, QRgb want) {
    return test::ChannelDistance(got, want) < 40;
}

TEST(PdfReadByPoppler, PagesSizesAndPixelsMatchWhatWasLaidOut) {
    if (QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty())
        GTEST_SKIP() << "poppler-utils is not installed";
    QTemporaryDir dir;
    const QString colour = dir.filePath(QStringLiteral("c.bmp"));
    const QString mono = dir.filePath(QStringLiteral("m.bmp"));
    ASSERT_TRUE(quadrants().save(colour, "BMP"));
    ASSERT_TRUE(halves().save(mono, "BMP"));
    for (const int compression : {kPdfCompressed, kPdfUncompressed}) {
        SCOPED_TRACE(compression);
        PageDocument doc;
        doc.StartDoc();
        doc.DrawPicture(colour, 0, 0, kA4ShortTwips, kA4LongTwips);
        doc.setOrientation(1);
        doc.NewPage();
        doc.DrawPicture(mono, 0, 0, kA4LongTwips, kA4ShortTwips);
        doc.EndDoc();
        PdfExporter exporter;
        exporter.setCompression(compression);
        const QString pdf = dir.filePath(QStringLiteral("out.pdf"));
        ASSERT_EQ(exporter.exportDocument(doc, pdf), WriteResult::Ok);

        const QString info = run(QStringLiteral("pdfinfo"), {pdf});
        EXPECT_TRUE(info.contains(QStringLiteral("Pages:           2"))) << info.toStdString();
        EXPECT_TRUE(info.contains(QStringLiteral("595.2 x 841.8 pts"))) << info.toStdString();

        const QString prefix = dir.filePath(QStringLiteral("page"));
        ASSERT_FALSE(run(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("20"),
                                                      QStringLiteral("-png"), pdf, prefix})
                         .startsWith(QStringLiteral("failed")));
        const QImage first(prefix + QStringLiteral("-1.png"));
        const QImage second(prefix + QStringLiteral("-2.png"));
        ASSERT_FALSE(first.isNull());
        ASSERT_FALSE(second.isNull());
        EXPECT_LT(first.width(), first.height());
        EXPECT_GT(second.width(), second.height());
        const int w = first.width();
        const int h = first.height();
        EXPECT_TRUE(near(first.pixel(w / 4, h / 4), qRgb(255, 0, 0)));
        EXPECT_TRUE(near(first.pixel(3 * w / 4, h / 4), qRgb(0, 255, 0)));
        EXPECT_TRUE(near(first.pixel(w / 4, 3 * h / 4), qRgb(0, 0, 255)));
        EXPECT_TRUE(near(first.pixel(3 * w / 4, 3 * h / 4), qRgb(255, 255, 255)));
        EXPECT_TRUE(near(second.pixel(second.width() / 4, second.height() / 2), qRgb(0, 0, 0)));
        EXPECT_TRUE(
            near(second.pixel(3 * second.width() / 4, second.height() / 2), qRgb(255, 255, 255)));
    }
}

} // namespace
} // namespace folivo
