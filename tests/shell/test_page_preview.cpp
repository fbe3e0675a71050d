// The preview: sheet geometry, pictures in their boxes, paging and unreadable pictures.
#include "page_document.h"
#include "page_preview.h"
#include "preview_geometry.h"

#include <QKeyEvent>
#include <QLabel>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace folivo;

namespace {
QImage Solid(QColor colour, QSize size = QSize(8, 8)) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

// One page per colour, each filled by one picture.
void FillDocument(PageDocument& doc, const QList<QColor>& colours, int orientation = 0) {
    doc.setOrientation(orientation);
    doc.StartDoc();
    for (int i = 0; i < colours.size(); ++i) {
        if (i > 0)
            doc.NewPage();
        const Page& page = doc.pages().back();
        doc.DrawPicture(Solid(colours[i]), 0, 0, page.widthTwips, page.heightTwips);
    }
    doc.EndDoc();
}

QColor PixelAt(QWidget& widget, QPoint point) {
    return widget.grab().toImage().pixelColor(point);
}

QColor Centre(PagePreview& preview) {
    return PixelAt(preview, preview.sheetRect().center());
}
} // namespace

TEST(PreviewGeometry, ZoomModesPlaceTheSheetWithScrollBarsOnlyWhereNeededAndBoxesMapOntoIt) {
    using Mode = PreviewZoom::Mode;
    const QSize a4(11904, 16836), wide(16836, 11904);
    const struct {
        Mode mode;
        double scale, dpi;
        QSize area, page;
        QRect sheet;
        QSize content;
        int bars; // 1 vertical, 2 horizontal
    } cases[] = {
        {Mode::FitPage, 1, 96, {424, 624}, a4, {12, 29, 400, 566}, {424, 624}, 0}, // width decides
        {Mode::FitPage, 1, 96, {1024, 624}, a4, {300, 12, 424, 600}, {1024, 624}, 0}, // height
        {Mode::FitPage, 1, 96, {624, 624}, wide, {12, 100, 600, 424}, {624, 624}, 0},
        {Mode::FitPage, 1, 96, {24, 100}, a4, {}, {24, 100}, 0},   // no room
        {Mode::FitPage, 1, 96, {300, 300}, {0, 16836}, {}, {}, 0}, // no page size
        // Too tall: the vertical bar's width comes off the sheet, never a sideways bar.
        {Mode::FitWidth, 1, 96, {624, 624}, a4, {12, 12, 584, 826}, {608, 850}, 1},
        {Mode::FitWidth, 1, 96, {424, 624}, wide, {12, 170, 400, 283}, {424, 624}, 0},
        // 100 %: A4 at 96 dpi is 794 x 1122 pixels, centred when there is room.
        {Mode::Scale, 1, 96, {1200, 1200}, a4, {203, 39, 794, 1122}, {1200, 1200}, 0},
        {Mode::Scale, 0.5, 192, {1200, 1200}, a4, {203, 39, 794, 1122}, {1200, 1200}, 0},
        {Mode::Scale, 1, 96, {624, 624}, a4, {12, 12, 794, 1122}, {818, 1146}, 3},
        // Only too wide, but the horizontal bar leaves too little height: both bars.
        {Mode::Scale, 1, 96, {1000, 830}, wide, {12, 12, 1122, 794}, {1146, 818}, 3},
    };
    for (const auto& c : cases) {
        PreviewZoom zoom;
        zoom.setScale(c.scale);
        if (c.mode == Mode::FitPage)
            zoom.fitPage();
        else if (c.mode == Mode::FitWidth)
            zoom.fitWidth();
        const SheetLayout got = LayOutSheet(c.area, c.page, zoom, c.dpi, 16);
        SCOPED_TRACE(testing::Message()
                     << int(c.mode) << " " << c.area.width() << "x" << c.area.height());
        EXPECT_EQ(got.sheet, c.sheet);
        EXPECT_EQ(got.content, c.content);
        EXPECT_EQ(int(got.verticalBar) + 2 * int(got.horizontalBar), c.bars);
    }
    // Steps go from the scale shown now, whatever mode showed it, and stop at the ends.
    const struct {
        double shown, in, out;
    } steps[] = {{0.504, 2.0 / 3, 1.0 / 3}, {1.0, 1.25, 0.75}, {0.3, 1.0 / 3, 0.25},
                 {4.0, 4.0, 3.0},           {0.1, 0.25, 0.25}, {9.0, 4.0, 4.0}};
    for (const auto& s : steps) {
        PreviewZoom zoom;
        zoom.zoomIn(s.shown);
        EXPECT_DOUBLE_EQ(zoom.scale(), s.in) << s.shown;
        zoom.zoomOut(s.shown);
        EXPECT_DOUBLE_EQ(zoom.scale(), s.out) << s.shown;
    }
    const QSize page(12000, 18000);
    const QRect sheet(10, 20, 400, 600);
    EXPECT_EQ(MapBoxToSheet(QRect(6000, 9000, 6000, 9000), page, sheet), QRect(210, 320, 200, 300));
    EXPECT_EQ(MapBoxToSheet(QRect(3000, 0, 3000, 4500), page, sheet), QRect(110, 20, 100, 150));
    EXPECT_EQ(MapBoxToSheet(QRect(0, 0, 10, 10), QSize(0, 0), sheet), QRect());
}

TEST(PagePreview, ZoomKeysScrollBarsAndBackToTheWholePage) {
    PageDocument doc;
    FillDocument(doc, {Qt::red});
    PagePreview preview(&doc);
    preview.resize(424, 624);
    preview.show();
    preview.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&preview));
    const QRect whole = preview.sheetRect();
    QTest::keyClick(&preview, Qt::Key_Plus, Qt::ControlModifier);
    EXPECT_DOUBLE_EQ(preview.zoom().scale(), 2.0 / 3);
    EXPECT_TRUE(preview.verticalScrollBar()->isVisible());
    EXPECT_EQ(Centre(preview), QColor(Qt::red));
    const int scrolled = preview.verticalScrollBar()->value();
    EXPECT_NEAR(scrolled, preview.verticalScrollBar()->maximum() / 2, 1) << "centre kept";
    QTest::keyClick(&preview, Qt::Key_Down);
    EXPECT_GT(preview.verticalScrollBar()->value(), scrolled) << "arrows scroll";
    QTest::keyClick(&preview, Qt::Key_0, Qt::ControlModifier);
    EXPECT_EQ(preview.zoom().mode(), PreviewZoom::Mode::FitPage);
    EXPECT_EQ(preview.sheetRect(), whole);
    EXPECT_FALSE(preview.verticalScrollBar()->isVisible());
}

TEST(PagePreview, BlankSheetThenPicturesStretchedIntoTheirBoxes) {
    PageDocument doc;
    PagePreview preview(&doc);
    preview.resize(424, 624);
    QRect sheet = preview.sheetRect();
    ASSERT_FALSE(sheet.isEmpty());
    EXPECT_LT(sheet.width(), sheet.height()) << "A4 portrait";
    EXPECT_EQ(PixelAt(preview, sheet.center()), QColor(Qt::white));
    EXPECT_EQ(preview.pageLabelText(), "0 / 0");

    doc.StartDoc();
    // Left half red, right half blue; a square picture stretched into tall boxes.
    doc.DrawPicture(Solid(Qt::red), 0, 0, kA4ShortTwips / 2, kA4LongTwips);
    doc.DrawPicture(Solid(Qt::blue), kA4ShortTwips / 2, 0, kA4ShortTwips / 2, kA4LongTwips / 2);
    doc.EndDoc();
    sheet = preview.sheetRect();
    const int quarter = sheet.width() / 4;
    EXPECT_EQ(PixelAt(preview, QPoint(sheet.left() + quarter, sheet.bottom() - 5)),
              QColor(Qt::red));
    EXPECT_EQ(PixelAt(preview, QPoint(sheet.right() - quarter, sheet.top() + 5)), QColor(Qt::blue));
    EXPECT_EQ(PixelAt(preview, QPoint(sheet.right() - quarter, sheet.bottom() - 5)),
              QColor(Qt::white));
}

TEST(PagePreview, PageKeysButtonsAndLabelPageThroughTheDocument) {
    PageDocument doc;
    FillDocument(doc, {Qt::red, Qt::green, Qt::blue});
    PagePreview preview(&doc);
    preview.resize(400, 500);
    preview.show();
    auto* label = preview.findChild<QLabel*>("previewPageLabel");
    auto* next = preview.findChild<QToolButton*>("previewNext");
    auto* previous = preview.findChild<QToolButton*>("previewPrevious");
    ASSERT_TRUE(label && next && previous);
    EXPECT_EQ(label->text(), "1 / 3");

    QTest::keyClick(&preview, Qt::Key_PageDown);
    EXPECT_EQ(Centre(preview), QColor(Qt::green));
    QTest::mouseClick(next, Qt::LeftButton);
    QTest::keyClick(&preview, Qt::Key_PageDown); // stays on the last page
    EXPECT_EQ(label->text(), "3 / 3");
    EXPECT_EQ(Centre(preview), QColor(Qt::blue));
    QTest::mouseClick(previous, Qt::LeftButton);
    QTest::keyClick(&preview, Qt::Key_PageUp);
    QTest::keyClick(&preview, Qt::Key_PageUp);
    EXPECT_EQ(preview.currentPage(), 0);

    // A document being rebuilt is never indexed past its pages.
    QTest::keyClick(&preview, Qt::Key_PageDown); // a page not painted since
    doc.StartDoc();                              // one page, not yet ended: no documentChanged yet
    doc.DrawPicture(Solid(Qt::cyan), 0, 0, kA4ShortTwips, kA4LongTwips);
    EXPECT_EQ(Centre(preview), QColor(Qt::cyan));
    // A new document starts at its first page; one page needs no paging.
    FillDocument(doc, {Qt::yellow}, 1);
    EXPECT_EQ(preview.currentPage(), 0);
    EXPECT_FALSE(preview.findChild<QWidget*>("previewNavigation")->isVisible());
    EXPECT_GT(preview.sheetRect().width(), preview.sheetRect().height()) << "landscape";
    EXPECT_EQ(Centre(preview), QColor(Qt::yellow));
}

TEST(PagePreview, OnlyTheShownPageIsDecodedAndAnUnreadableOneLeavesItWhite) {
    QTemporaryDir dir;
    const QString path = dir.filePath("page.png");
    ASSERT_TRUE(Solid(Qt::magenta, QSize(30, 40)).save(path));
    PageDocument doc;
    doc.StartDoc();
    doc.DrawPicture(path, 0, 0, kA4ShortTwips, kA4LongTwips);
    doc.NewPage();
    doc.DrawPicture(QStringLiteral("/nonexistent/folder/TMP00001.BMP"), 0, 0, kA4ShortTwips,
                    kA4LongTwips);
    doc.EndDoc();
    PagePreview preview(&doc);
    preview.resize(300, 400);
    EXPECT_EQ(Centre(preview), QColor(Qt::magenta));
    EXPECT_EQ(preview.decodeCount(), 1) << "the second page is not decoded";
    preview.nextPage();
    EXPECT_EQ(Centre(preview), QColor(Qt::white));
}
