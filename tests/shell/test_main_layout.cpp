// The layout pass: twips and their pixels on the window.
#include "main_layout.h"
#include "twips.h"

#include <QRect>
#include <gtest/gtest.h>

using namespace folivo;

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
