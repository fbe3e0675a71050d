// The layout pass: twips figures and their pixels on the window.
#include "main_layout.h"
#include "twips.h"

#include <QRect>
#include <gtest/gtest.h>
#include <optional>

using namespace folivo;

TEST(MainLayout, FiguresInTwipsFollowTheClientArea) {
    const struct {
        int innerWidth, innerHeight, outerWidth, offset;
        std::optional<QRect> preview;
        QPoint icon;
        std::optional<QRect> status;
    } cases[] = {
        // Client 640 x 480 px at 96 dpi: 9600 x 7200 twips, window 120 twips wider.
        {9600, 7200, 9720, 415, QRect(0, 415, 9600, 6425), QPoint(50, 6945),
         QRect(355, 6900, 9295, 300)},
        {9600, 7200, 9720, 0, QRect(0, 0, 9600, 6840), QPoint(50, 6945),
         QRect(355, 6900, 9295, 300)},
        // Exactly no room left for the preview: a zero height is still a size.
        {3000, 775, 3000, 415, QRect(0, 415, 3000, 0), QPoint(50, 520), QRect(355, 475, 2695, 300)},
        // Too small: the preview and the status line keep what they had.
        {3000, 774, 3000, 415, std::nullopt, QPoint(50, 519), QRect(355, 474, 2695, 300)},
        {304, 200, 304, 0, std::nullopt, QPoint(50, -55), std::nullopt},
        {305, 660, 305, 0, QRect(0, 0, 305, 300), QPoint(50, 405), QRect(355, 360, 0, 300)},
    };
    for (const auto& c : cases) {
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
    }
}

TEST(MainLayout, TwipsBecomePixelsAtTheScreenResolution) {
    const struct {
        QRect twips;
        double dpi;
        QRect pixels;
    } cases[] = {
        {QRect(0, 415, 9600, 6425), 96, QRect(0, 28, 640, 428)}, // 27.7 -> 28, 456.0 bottom
        {QRect(355, 6900, 9295, 300), 96, QRect(24, 460, 619, 20)},
        {QRect(0, 415, 9600, 6425), 120, QRect(0, 35, 800, 535)},
        {QRect(7, 7, 15, 15), 144, QRect(1, 1, 1, 1)}, // edges rounded on their own
    };
    for (const auto& c : cases)
        EXPECT_EQ(TwipsRectToPixels(c.twips, c.dpi, c.dpi), c.pixels) << c.dpi;
    EXPECT_EQ(TwipsToPixels(1440, 96), 96);
    EXPECT_EQ(PixelsToTwips(1, 96), 15);
    EXPECT_EQ(PixelsToTwips(10, 0), 0);
}
