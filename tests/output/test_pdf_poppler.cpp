// Exported PDFs read by an independent reader: poppler's pdfinfo and pdftoppm.
#include "page_document.h"
#include "pdf_exporter.h"
#include "test_images.h"

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

// Colour quadrants red, green / blue, white on a portrait page; a landscape page of a
// white-first 1-bit picture, left half black.
TEST(PdfReadByPoppler, PagesSizesAndPixelsMatchWhatWasLaidOut) {
    if (QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty())
        GTEST_SKIP() << "poppler-utils is not installed";
    const QRgb quadrants[] = {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255),
                              qRgb(255, 255, 255)};
    QImage colour(40, 40, QImage::Format_RGB32);
    QImage mono(64, 32, QImage::Format_Mono);
    mono.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)});
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 64; ++x) {
            if (x < 40)
                colour.setPixel(x, y, quadrants[(y / 20) * 2 + x / 20]);
            if (y < 32)
                mono.setPixel(x, y, x < 32 ? 1u : 0u);
        }
    QTemporaryDir dir;
    const QString c = dir.filePath(QStringLiteral("c.bmp")),
                  m = dir.filePath(QStringLiteral("m.bmp"));
    ASSERT_TRUE(colour.save(c, "BMP") && mono.save(m, "BMP"));
    for (const int compression : {kPdfCompressed, kPdfUncompressed}) {
        SCOPED_TRACE(compression);
        PageDocument doc;
        doc.StartDoc();
        doc.DrawPicture(c, 0, 0, kA4ShortTwips, kA4LongTwips);
        doc.setOrientation(1);
        doc.NewPage();
        doc.DrawPicture(m, 0, 0, kA4LongTwips, kA4ShortTwips);
        doc.EndDoc();
        PdfExporter exporter;
        exporter.setCompression(compression);
        const QString pdf = dir.filePath(QStringLiteral("out.pdf"));
        ASSERT_EQ(exporter.exportDocument(doc, pdf), WriteResult::Ok);
        const QString info = run(QStringLiteral("pdfinfo"), {pdf});
        EXPECT_TRUE(info.contains(QStringLiteral("Pages:           2"))) << info.toStdString();
        EXPECT_TRUE(info.contains(QStringLiteral("595.2 x 841.8 pts"))) << info.toStdString();

        const QString prefix = dir.filePath(QStringLiteral("page"));
        run(QStringLiteral("pdftoppm"),
            {QStringLiteral("-r"), QStringLiteral("20"), QStringLiteral("-png"), pdf, prefix});
        const QImage first(prefix + QStringLiteral("-1.png")),
            second(prefix + QStringLiteral("-2.png"));
        ASSERT_TRUE(first.width() < first.height() && second.width() > second.height());
        const int w = first.width(), h = first.height();
        for (int i = 0; i < 4; ++i)
            EXPECT_LT(
                test::ChannelDistance(first.pixel((i % 2 * 2 + 1) * w / 4, (i / 2 * 2 + 1) * h / 4),
                                      quadrants[i]),
                40)
                << i;
        const int y = second.height() / 2;
        EXPECT_LT(test::ChannelDistance(second.pixel(second.width() / 4, y), qRgb(0, 0, 0)), 40);
        EXPECT_LT(
            test::ChannelDistance(second.pixel(3 * second.width() / 4, y), qRgb(255, 255, 255)),
            40);
    }
}

} // namespace
} // namespace folivo
