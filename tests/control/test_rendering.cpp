// Pixel tests of the button face at 96 dpi with a fixed font.
#include "button_fixture.h"
#include "zk_geometry.h"
#include "zkbutton_face.h"

#include <functional>
#include <gtest/gtest.h>

namespace {
using namespace zktest;

struct BorderRows {
    const char* what;
    QSize size;
    std::function<void(Rig&)> setup;
    QStringList rows;
};

TEST(Rendering, BordersPixelByPixel) {
    const BorderRows cases[] = {
        {"raised 3D", {5, 4}, [](Rig&) {}, {"LLLLD", "LbbSD", "LSSSD", "DDDDD"}},
        {"flat at rest",
         {3, 3},
         [](Rig& r) { r->setAppearance(zkButton::zbaFlat); },
         {"bbb", "bbb", "bbb"}},
        {"flat raised",
         {3, 3},
         [](Rig& r) {
             r->setAppearance(zkButton::zbaFlat);
             r->DrawDefaultBorder(zkButton::zbsSelect);
         },
         {"LLS", "LbS", "LSS"}},
        {"pushed frame",
         {5, 4},
         [](Rig& r) {
             press(r.button.get(), {2, 2});
         },
         {"SSSSS", "SbbbS", "SbbbS", "SSSSS"}},
        {"sunken 3D",
         {8, 6},
         [](Rig& r) {
             r->setButtonStyle(zkButton::zbbCheck);
             r->setValue(zkButton::zbvOn);
         },
         {"DDDDDDDL", "DSSSSSFL", "DSbbbbFL", "DFbbbbFL", "DFFFFFFL", "LLLLLLLL"}},
        {"owner draw handler over the back colour",
         {5, 4},
         [](Rig& r) {
             QObject::connect(r.button.get(), &zkButton::OwnerDraw,
                              [&r] { r->DrawDefaultBorder(zkButton::zbsNormal); });
             r->setBackColor(0x00FFFFFF);
             r->setOwnerDraw(true);
         },
         {"LLLLD", "L??SD", "LSSSD", "DDDDD"}},
    };
    for (const BorderRows& c : cases) {
        SCOPED_TRACE(c.what);
        Rig rig(c.size.width(), c.size.height());
        c.setup(rig);
        EXPECT_EQ(rig.rows(), c.rows);
    }
}

TEST(Rendering, BorderLookByStyleAppearanceValueAndState) {
    // Style, Appearance, Value and state, then the top-left and bottom-right corners:
    // bb none, LD raised, DL sunken, SS frame, LS flat raised, SL flat sunken.
    const char* cases[] = {"0100LD", "0101SS", "0102LD", "0000bb", "0001SL", "0002LS", "1100LD",
                           "1101DL", "1102LD", "1110DL", "1111DL", "1112DL", "2000bb", "2001SL",
                           "2002LS", "2010SL", "2011SL", "2012SL", "2150DL", "2152LD", "2050bb",
                           "2052SL", "3100bb", "0702LS", "0107bb"}; // unknown state: no border
    for (const char* c : cases) {
        SCOPED_TRACE(c);
        Rig rig(8, 6);
        rig->setButtonStyle(zkButton::StyleEnum(c[0] - '0'));
        rig->setAppearance(zkButton::AppearanceEnum(c[1] - '0'));
        rig->setValue(zkButton::ValueEnum(c[2] - '0'));
        rig->Cls(); // the border goes over whatever the buffer holds
        rig->DrawDefaultBorder(c[3] - '0');
        const QStringList rows = rig.rows();
        EXPECT_EQ(QString(rows.first().front()) + rows.last().back(), QLatin1String(c + 4));
    }
}

TEST(Rendering, CaptionAndPictureLandWhereTheLayoutSaysAndMoveOnPress) {
    struct Case {
        int captionAlign, pictureAlign, pictureWidth;
    };
    for (const Case c : {Case{0, 11, 0}, Case{4, 10, 16}, Case{2, 10, 16}, Case{4, 0, 16}}) {
        SCOPED_TRACE(testing::Message() << c.captionAlign << "/" << c.pictureAlign);
        Rig rig(100, 30);
        rig->setCaptionAlign(zkButton::CaptionAlignEnum(c.captionAlign));
        rig->setPictureAlign(zkButton::PictureAlignEnum(c.pictureAlign));
        if (c.pictureWidth)
            rig->setPicture(solidPicture(c.pictureWidth, 16, 0xFF3060C0));
        rig->setCaption(QStringLiteral("Ab"));
        const QFont font = rig->buttonFont()->toQFont(96);
        const zk::FaceMetrics m{100,
                                30,
                                c.captionAlign,
                                c.pictureAlign,
                                zkButtonFace::textWidth(font, QStringLiteral("Ab")),
                                zkButtonFace::textHeight(font, QStringLiteral("Ab"))};
        const QList<QPoint> ink = inkOf(QStringLiteral("Ab"), font);
        const QPoint caption = zk::captionPosition(m, c.pictureWidth, c.pictureWidth ? 16 : 0);
        EXPECT_EQ(locate(rig->visibleSurface(), ink, kFore), QList<QPoint>{caption});
        const QRect picture =
            c.pictureWidth ? QRect(zk::picturePosition(m, 16, 16), QSize(16, 16)) : QRect();
        EXPECT_EQ(coverage(rig->visibleSurface(), 0xFF3060C0).box, picture);
        press(rig.button.get(), {10, 10}); // one pixel right and down; the frame stays
        EXPECT_EQ(locate(rig->visibleSurface(), ink, kFore), QList<QPoint>{caption + QPoint(1, 1)});
        EXPECT_EQ(coverage(rig->visibleSurface(), 0xFF3060C0).box,
                  c.pictureWidth ? picture.translated(1, 1) : picture);
        EXPECT_EQ(rig.px(0, 0), kShadow);
        EXPECT_EQ(rig.px(99, 29), kShadow);
    }
}

TEST(Rendering, DisabledCaptionIsEngravedWithTwoUnderlines) {
    Rig rig(80, 30);
    rig->setCaptionAlign(zkButton::zbcTopLeft);
    rig->setCaption(QStringLiteral("A&b"));
    rig->setButtonEnabled(false);
    const QFont font = rig->buttonFont()->toQFont(96);
    const QImage& img = rig->visibleSurface();
    const QList<QPoint> ink = inkOf(QStringLiteral("Ab"), font);
    const QPoint at(4, 2);
    EXPECT_TRUE(locate(img, ink, kShadow).contains(at));
    EXPECT_EQ(coverage(img, kFore).count, 0);
    const int kx = zkButtonFace::textWidth(font, QStringLiteral("A"));
    const int kw = zkButtonFace::textWidth(font, QStringLiteral("b"));
    const int ka = zkButtonFace::textHeight(font, QStringLiteral("A"));
    for (int x = at.x() + kx; x < at.x() + kx + kw; ++x) {
        EXPECT_EQ(img.pixel(x, at.y() + ka - 1), kShadow) << x;
        EXPECT_EQ(img.pixel(x + 1, at.y() + ka), kHighlight) << x;
    }
    rig->setButtonEnabled(true);
    EXPECT_EQ(locate(rig->visibleSurface(), ink, kFore), QList<QPoint>{at});
    EXPECT_EQ(rig->visibleSurface().pixel(at.x() + kx, at.y() + ka - 1), kFore);
}

TEST(Rendering, PictureChoiceByStateAndEnabledAndMaskColour) {
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(0xFF0000F0);
    image.setPixel(1, 1, 0xFFFF00FF);
    image.setPixel(2, 3, 0xFFFF00FF);
    Rig rig(40, 30);
    rig->setPictureAlign(zkButton::zbpCenter);
    rig->setPicture(zkPictureRef::create(image));
    rig->setDownPicture(solidPicture(8, 8, 0xFF00F000));
    rig->setSelectPicture(solidPicture(8, 8, 0xFFF00000));
    const auto shows = [&](QRgb c) { return coverage(rig->visibleSurface(), c).count; };
    EXPECT_EQ(shows(0xFF0000F0), 62);
    rig->DrawDefaultPicture(zkButton::zbsPush);
    EXPECT_EQ(shows(0xFF00F000), 64);
    rig->DrawDefaultPicture(zkButton::zbsSelect);
    EXPECT_EQ(shows(0xFFF00000), 64);
    rig->setButtonEnabled(false); // no DisablePicture: the normal picture, whatever the state
    rig->Cls();
    rig->DrawDefaultPicture(zkButton::zbsSelect);
    EXPECT_EQ(shows(0xFF0000F0), 62);
    rig->setDisablePicture(solidPicture(8, 8, 0xFF707070));
    EXPECT_EQ(shows(0xFF707070), 64);
    EXPECT_FALSE(rig->DrawDefaultPicture(3));
    rig->setButtonEnabled(true);
    rig->setUseMaskColor(true); // mask-coloured pixels show the background
    EXPECT_EQ(shows(0xFFFF00FF), 0);
    EXPECT_EQ(shows(0xFF0000F0), 62);
    rig->setMaskColor(0x00F00000); // blue in OLE order: now the body is transparent
    EXPECT_EQ(shows(0xFF0000F0), 0);
    EXPECT_EQ(shows(0xFFFF00FF), 2);
}

TEST(Rendering, FocusRectangleOnlyWithFocusAndAtMargin) {
    Rig rig(20, 12);
    const QImage without = rig->visibleSurface();
    focus(rig.button.get(), true);
    QRect changed;
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 20; ++x)
            if (rig.px(x, y) != without.pixel(x, y))
                changed |= QRect(x, y, 1, 1);
    EXPECT_EQ(changed, QRect(QPoint(3, 3), QPoint(16, 8)));
    rig->setFocusRectMargin(0);
    EXPECT_EQ(rig.px(0, 0), (~kHighlight) | 0xFF000000u); // drawn over the border
    rig->setShowFocusRect(false);
    EXPECT_EQ(rig.px(0, 0), kHighlight);
}

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

} // namespace
