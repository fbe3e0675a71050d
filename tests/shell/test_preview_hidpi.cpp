// Run at a scale factor of 2: the preview draws pages at the screen's device pixels.
#include "page_document.h"
#include "page_preview.h"

#include <gtest/gtest.h>

using namespace folivo;

TEST(PagePreviewHiDpi, PictureDetailSurvivesAtTwiceThePixels) {
    PageDocument doc;
    PagePreview preview(&doc);
    preview.resize(424, 624);
    ASSERT_EQ(preview.devicePixelRatioF(), 2.0) << "run with QT_SCALE_FACTOR=2";
    const QRect sheet = preview.sheetRect();
    // One-pixel checks at the device resolution: drawn at half resolution they turn grey.
    QImage checks(sheet.size() * 2, QImage::Format_RGB32);
    for (int y = 0; y < checks.height(); ++y)
        for (int x = 0; x < checks.width(); ++x)
            checks.setPixel(x, y, (x + y) % 2 ? 0xff000000 : 0xffffffff);
    doc.StartDoc();
    doc.DrawPicture(checks, 0, 0, kA4ShortTwips, kA4LongTwips);
    doc.EndDoc();
    const QImage shot = preview.grab().toImage();
    ASSERT_EQ(shot.size(), preview.size() * 2);
    int wrong = 0;
    for (int y = 100; y < 140; ++y)
        for (int x = 100; x < 140; ++x)
            wrong += shot.pixel(sheet.topLeft() * 2 + QPoint(x, y)) != checks.pixel(x, y);
    EXPECT_EQ(wrong, 0);
}
