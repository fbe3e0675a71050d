// The owner-draw redraw and the drawing methods on the visible surface.
#include "button_fixture.h"

#include <climits>
#include <functional>
#include <gtest/gtest.h>
#include <limits>

namespace {
using namespace zktest;

TEST(Rendering, OwnerDrawIsRaisedOncePerRedrawAndCopiesNothing) {
    Rig rig(20, 12);
    int raised = 0;
    QObject::connect(rig.button.get(), &zkButton::OwnerDraw, [&] {
        ++raised;
        rig->setCaption(QStringLiteral("inner")); // no second redraw from inside
    });
    rig->setOwnerDraw(true);
    EXPECT_EQ(raised, 1);
    const QImage surface = rig->visibleSurface();
    const int before = rig->surfaceCopyCount();
    rig->setBackColor(0x00000000);
    EXPECT_EQ(raised, 2);
    EXPECT_EQ(rig->visibleSurface(), surface);
    EXPECT_EQ(rig->surfaceCopyCount(), before);
}

struct CanvasRig : Rig {
    CanvasRig() { button->Cls(); }
};

TEST(Canvas, LinesInTwipsAndFromTheCurrentPoint) {
    CanvasRig rig;
    const QImage before = rig->visibleSurface();
    rig->LineEx();
    EXPECT_EQ(rig->visibleSurface(), before); // no coordinates: nothing
    rig->LineEx(150, 0, 300, 0, kRedOle);     // twips: pixels 10 to 19
    EXPECT_EQ(rig.row(0, 21), QStringLiteral("bbbbbbbbbb##########b"));
    rig->setScaleMode(zkButton::vbPixels);
    rig->LineEx(0, 1, 5, 1, kRedOle);
    rig->LineEx({}, {}, 9, 1, kRedOle);
    rig->LineEx({}, {}, 9, 4); // ForeColor when no colour is given; the end is excluded
    EXPECT_EQ(rig.row(1, 12), QStringLiteral("#########fbb"));
    EXPECT_EQ(rig.px(9, 4), kBack);
    rig->Cls(); // back colour everywhere, current point (0, 0)
    EXPECT_EQ(coverage(rig->visibleSurface(), kBack).count, 40 * 20);
    rig->LineEx({}, {}, 3, 0, kRedOle);
    EXPECT_EQ(rig.row(0, 4), QStringLiteral("###b"));
}

TEST(Canvas, BoxesUseFillColorOnlyThroughFillStyle) {
    CanvasRig rig;
    rig->setScaleMode(zkButton::vbPixels);
    rig->setFillColor(0x0000FF00); // redraws the face: the border is back
    rig->Box(1, 1, 4, 3, kRedOle);
    rig->BoxFill(6, 1, 8, 2);
    EXPECT_EQ(rig.row(1, 10), QStringLiteral("L####bfffb"));
    EXPECT_EQ(rig.row(2, 10), QStringLiteral("L#bb#bfffb"));
    EXPECT_EQ(rig.row(3, 10), QStringLiteral("L####bbbbb"));
    EXPECT_EQ(coverage(rig->visibleSurface(), 0xFF00FF00).count, 0);
    rig->setFillStyle(0);
    rig->Box(1, 1, 4, 3, kRedOle);
    EXPECT_EQ(coverage(rig->visibleSurface(), 0xFF00FF00).count, 2);
}

// Before its first redraw a button's surface holds its back colour, not stale memory.
TEST(Canvas, NewButtonReadsItsBackColourBeforeAnyDrawing) {
    zkButton fresh;
    const int before = fresh.Point(0, 0);
    fresh.Cls();
    EXPECT_EQ(before, fresh.Point(0, 0));
}

TEST(Canvas, PaintPictureResultsStretchingAndRasterOperations) {
    CanvasRig rig;
    EXPECT_EQ(rig->PaintPicture(zkPictureRef::create(), 0, 0), 1);
    EXPECT_EQ(rig->PaintPicture(
                  zkPictureRef::create(QImage(4, 4, QImage::Format_ARGB32), zkPicture::Icon), 0, 0),
              2);
    // Only x and y: natural size, at (x, y) pixels whatever ScaleMode is.
    EXPECT_EQ(rig->PaintPicture(solidPicture(3, 2, kRed), 5, 6), 0);
    EXPECT_EQ(coverage(rig->visibleSurface(), kRed).box, QRect(5, 6, 3, 2));
    rig->setScaleMode(zkButton::vbPixels);
    // DSTINVERT ignores the source: inverts the destination rectangle.
    rig->PaintPicture(solidPicture(2, 2, kRed), 7, 1, 2, 2, {}, {}, {}, {}, 0x00550009);
    EXPECT_EQ(rig.px(7, 1), (~kBack) | 0xFF000000u);
    EXPECT_EQ(rig.px(9, 1), kBack);
    // Source rectangle: the right column of a two-colour picture, stretched.
    QImage two(2, 1, QImage::Format_RGB32);
    two.setPixel(0, 0, 0xFF000000);
    two.setPixel(1, 0, kRed);
    rig->Cls();
    rig->PaintPicture(zkPictureRef::create(two), 0, 0, 3, 1, 1, 0, 1, 1);
    EXPECT_EQ(rig.row(0, 4), QStringLiteral("###b"));
    rig->setForeColor(kForeOle); // any redrawing property assignment wipes the drawing
    EXPECT_EQ(coverage(rig->visibleSurface(), kRed).count, 0);
}

TEST(Canvas, ExtremeArgumentsDrawOnlyWhatFallsOnTheSurface) {
    constexpr double kHuge = 1e12;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const zkPictureRef red = solidPicture(2, 2, kRed);
    struct Case {
        const char* what;
        std::function<void(zkButton&)> draw;
        int redPixels; // on the 40 x 20 surface
    };
    const Case cases[] = {
        {"line to 1e12", [](zkButton& b) { b.LineEx(0, 5, kHuge, 5, kRedOle); }, 40},
        {"diagonal from -1e12",
         [](zkButton& b) { b.LineEx(-kHuge, -kHuge, kHuge, kHuge, kRedOle); }, 20},
        {"NaN and infinity", [&](zkButton& b) { b.LineEx(nan, nan, inf, nan, kRedOle); }, 40},
        {"DrawWidth 2e9",
         [](zkButton& b) {
             b.setDrawWidth(2000000000);
             b.LineEx(0, 0, 40, 0, kRedOle);
         },
         800},
        {"box around the surface",
         [](zkButton& b) { b.Box(-kHuge, -kHuge, kHuge, kHuge, kRedOle); }, 0},
        {"box from inside", [](zkButton& b) { b.Box(2, 2, kHuge, kHuge, kRedOle); }, 38 + 17},
        {"filled box", [](zkButton& b) { b.BoxFill(-kHuge, -kHuge, kHuge, kHuge, kRedOle); }, 800},
        {"picture 100000 px", [&](zkButton& b) { b.PaintPicture(red, 0, 0, 100000, 100000); }, 800},
        {"mirrored picture -1e12",
         [&](zkButton& b) { b.PaintPicture(red, 39, 19, -kHuge, -kHuge); }, 39 * 19},
        {"point beyond int in inches",
         [](zkButton& b) {
             b.setScaleMode(zkButton::vbInches);
             b.PSetEx(INT_MAX, INT_MIN, kRedOle);
             EXPECT_EQ(b.Point(INT_MAX, INT_MIN), -1);
         },
         0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CanvasRig rig;
        rig->setScaleMode(zkButton::vbPixels);
        c.draw(*rig.button);
        EXPECT_EQ(coverage(rig->visibleSurface(), kRed).count, c.redPixels);
    }
}

} // namespace
