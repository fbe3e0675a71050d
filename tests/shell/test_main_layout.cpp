// The layout pass: twips figures and their pixels on the window.
#include "main_layout.h"
#include "main_window_fixture.h"
#include "twips.h"

#include <QLabel>
#include <QLineEdit>

using namespace folivo;
using namespace folivo::test;

namespace {
struct LayoutCase {
    int innerWidth, innerHeight, outerWidth, offset;
    std::optional<QRect> preview;
    QPoint icon;
    std::optional<QRect> status;
};

const LayoutCase kLayoutCases[] = {
    // Client 640 x 480 px at 96 dpi: 9600 x 7200 twips, window 120 twips wider.
    {9600, 7200, 9720, 415, QRect(0, 415, 9600, 6425), QPoint(50, 6945),
     QRect(355, 6900, 9295, 300)},
    {9600, 7200, 9720, 0, QRect(0, 0, 9600, 6840), QPoint(50, 6945), QRect(355, 6900, 9295, 300)},
    // Exactly no room left for the preview: a zero height is still a size.
    {3000, 775, 3000, 415, QRect(0, 415, 3000, 0), QPoint(50, 520), QRect(355, 475, 2695, 300)},
    // Too small: the preview and the status line keep what they had.
    {3000, 774, 3000, 415, std::nullopt, QPoint(50, 519), QRect(355, 474, 2695, 300)},
    {304, 200, 304, 0, std::nullopt, QPoint(50, -55), std::nullopt},
    {305, 660, 305, 0, QRect(0, 0, 305, 300), QPoint(50, 405), QRect(355, 360, 0, 300)},
};
} // namespace

TEST(MainLayout, FiguresInTwipsFollowTheClientArea) {
    for (const LayoutCase& c : kLayoutCases) {
        MainLayoutInput in;
        in.innerWidth = c.innerWidth;
        in.innerHeight = c.innerHeight;
        in.outerWidth = c.outerWidth;
        in.toolbarOffset = c.offset;
        const MainLayout out = ComputeMainLayout(in);
        SCOPED_TRACE(testing::Message()
                     << c.innerWidth << "x" << c.innerHeight << " offset " << c.offset);
        EXPECT_EQ(out.preview, c.preview);
        EXPECT_EQ(out.statusIcon, c.icon);
        EXPECT_EQ(out.statusLine, c.status);
        EXPECT_EQ(out.line1, QLine(c.outerWidth, 0, 0, 0));
        EXPECT_EQ(out.line2, QLine(0, 15, c.outerWidth, 15));
    }
}

TEST(MainLayout, TwipsBecomePixelsAtTheScreenResolution) {
    struct Case {
        QRect twips;
        double dpi;
        QRect pixels;
    };
    const Case cases[] = {
        {QRect(0, 415, 9600, 6425), 96, QRect(0, 28, 640, 428)}, // 27.7 -> 28, 456.0 bottom
        {QRect(355, 6900, 9295, 300), 96, QRect(24, 460, 619, 20)},
        {QRect(0, 415, 9600, 6425), 120, QRect(0, 35, 800, 535)},
        {QRect(7, 7, 15, 15), 144, QRect(1, 1, 1, 1)}, // edges rounded on their own
    };
    for (const Case& c : cases)
        EXPECT_EQ(TwipsRectToPixels(c.twips, c.dpi, c.dpi), c.pixels) << c.dpi;
    EXPECT_EQ(TwipsToPixels(1440, 96), 96);
    EXPECT_EQ(PixelsToTwips(1, 96), 15);
    EXPECT_EQ(PixelsToTwips(10, 0), 0);
}

TEST_F(MainWindowTest, WindowPlacesItsControlsFromTheTwipsFigures) {
    auto window = startWindow();
    window->show();
    const double dpiX = window->logicalDpiX();
    const double dpiY = window->logicalDpiY();
    QWidget* client = window->clientArea();
    for (const QSize size : {QSize(640, 480), QSize(1000, 700), QSize(333, 257)}) {
        window->resize(size);
        window->Layout();
        const int w = PixelsToTwips(client->width(), dpiX);
        const int h = PixelsToTwips(client->height(), dpiY);
        const auto* status = window->findChild<QLineEdit*>("TextStatus");
        const auto* icon = window->findChild<QLabel*>("PictureStatus");
        const int statusTw = PixelsToTwips(status->height(), dpiY);
        SCOPED_TRACE(testing::Message() << size.width() << "x" << size.height());

        const QRect preview = window->findChild<QWidget*>("VS")->geometry();
        EXPECT_EQ(preview.top(), TwipsToPixels(415, dpiY));
        EXPECT_EQ(preview.width(), client->width());
        EXPECT_EQ(preview.bottom() + 1, TwipsToPixels(h - statusTw - 60, dpiY));
        EXPECT_EQ(icon->size(), QSize(TwipsToPixels(255, dpiX), TwipsToPixels(255, dpiY)));
        EXPECT_EQ(icon->pos(), QPoint(TwipsToPixels(50, dpiX), TwipsToPixels(h - 255, dpiY)));
        EXPECT_EQ(status->x(), TwipsToPixels(255 + 100, dpiX));
        EXPECT_EQ(status->geometry().bottom() + 1, client->height());
        EXPECT_EQ(status->x() + status->width(), TwipsToPixels(w + 50, dpiX));
        const QWidget* line1 = window->findChild<QWidget*>("Line1");
        const QWidget* line2 = window->findChild<QWidget*>("Line2");
        EXPECT_EQ(line1->y(), 0);
        EXPECT_EQ(line2->y(), TwipsToPixels(15, dpiY));
        EXPECT_GE(line1->width(), client->width());
        EXPECT_EQ(line1->width(), line2->width());
    }
}

TEST_F(MainWindowTest, SeparatorLinesUseShadowAndHighlightColours) {
    auto window = startWindow();
    const QPalette palette = window->clientArea()->palette();
    EXPECT_EQ(window->findChild<QWidget*>("Line1")->palette().color(QPalette::Window),
              palette.color(QPalette::Dark));
    EXPECT_EQ(window->findChild<QWidget*>("Line2")->palette().color(QPalette::Window),
              palette.color(QPalette::Light));
    const auto* status = window->findChild<QLineEdit*>("TextStatus");
    EXPECT_EQ(status->palette().color(QPalette::Base), palette.color(QPalette::Button));
}

TEST_F(MainWindowTest, TooSmallWindowKeepsThePreviousPreviewSize) {
    auto window = startWindow();
    window->show();
    window->resize(640, 480);
    window->Layout();
    const QRect before = window->findChild<QWidget*>("VS")->geometry();
    window->clientArea()->setFixedHeight(20); // far less than the status row
    window->Layout();
    EXPECT_EQ(window->findChild<QWidget*>("VS")->geometry(), before);
    const auto* status = window->findChild<QLineEdit*>("TextStatus");
    EXPECT_EQ(status->geometry().bottom() + 1, 20) << "the status row still follows the bottom";
}
