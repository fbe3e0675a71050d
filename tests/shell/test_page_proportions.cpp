// Scanned pages keep their proportions on the page, alike in the preview and the PDF.
#include "book_pdf_command.h"
#include "page_document.h"
#include "page_preview.h"
#include "pdf_exporter.h"
#include "poppler_tools.h"

#include <QImage>
#include <QTemporaryDir>
#include <cmath>
#include <gtest/gtest.h>

namespace folivo {
namespace {

int dotsPerMetre(int dpi) {
    return int(std::lround(dpi / 0.0254));
}

// The black picture's extent on the preview's sheet, in widget pixels.
QRect inkOnSheet(PagePreview& preview) {
    const QImage shot = preview.grab().toImage();
    QRect ink;
    const QRect sheet = preview.sheetRect();
    for (int y = sheet.top(); y <= sheet.bottom(); ++y)
        for (int x = sheet.left(); x <= sheet.right(); ++x)
            if (qGray(shot.pixel(x, y)) < 64)
                ink |= QRect(x, y, 1, 1);
    return ink;
}

TEST(PageProportions, PictureFitsItsPageKeepingItsShapeInPreviewAndPdf) {
    if (!test::HasPoppler())
        GTEST_SKIP() << "poppler-utils is not installed";
    const struct {
        const char* name;
        int width, height, dpiX, dpiY;
        bool fillsPage;
    } cases[] = {
        {"80 x 100 mm at 150 dpi", 472, 591, 150, 150, false},
        {"100 x 80 mm, landscape", 591, 472, 150, 150, false},
        {"full A4 at 300 dpi", 2480, 3508, 300, 300, true},
        {"80 x 100 mm at 300 x 600 dpi", 945, 2362, 300, 600, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dir;
        QImage scan(c.width, c.height, QImage::Format_Mono);
        scan.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
        scan.fill(0);
        scan.setDotsPerMeterX(dotsPerMetre(c.dpiX));
        scan.setDotsPerMeterY(dotsPerMetre(c.dpiY));
        const QString bmp = dir.filePath(QStringLiteral("TMP00001.BMP"));
        ASSERT_TRUE(scan.save(bmp, "BMP"));
        PageDocument doc;
        LayOutSheets(doc, {bmp});
        const Page& page = doc.pages().at(0);
        const QRect box = page.pictures.at(0).boxTwips;
        EXPECT_EQ(box == QRect(0, 0, page.widthTwips, page.heightTwips), c.fillsPage);
        EXPECT_TRUE(box.width() == page.widthTwips || box.height() == page.heightTwips);
        const double paperShape = (double(c.width) / c.dpiX) / (double(c.height) / c.dpiY);

        const QString pdf = dir.filePath(QStringLiteral("out.pdf"));
        ASSERT_EQ(PdfExporter().exportDocument(doc, pdf), WriteResult::Ok);
        const auto listed = test::ListImages(pdf);
        ASSERT_EQ(listed.size(), 1u);
        EXPECT_NEAR(double(listed[0].yPpi) / listed[0].xPpi, double(c.dpiY) / c.dpiX, 0.03);

        PagePreview preview(&doc);
        preview.resize(600, 600);
        const QRect ink = inkOnSheet(preview);
        ASSERT_FALSE(ink.isEmpty());
        EXPECT_EQ(ink.topLeft(), preview.sheetRect().topLeft());
        EXPECT_NEAR(double(ink.width()) / ink.height(), paperShape, 0.02);
    }
}

} // namespace
} // namespace folivo
