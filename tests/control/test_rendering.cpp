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

enum class Look { None, Raised, Sunken, Frame, FlatRaised, FlatSunken, Other };

Look lookOf(const Rig& rig) {
    const QStringList r = rig.rows();
    const QString corners = QString(r.first().front()) + r.last().back();
    const std::pair<const char*, Look> looks[] = {
        {"bb", Look::None},  {"LD", Look::Raised},     {"DL", Look::Sunken},
        {"SS", Look::Frame}, {"LS", Look::FlatRaised}, {"SL", Look::FlatSunken}};
    for (const auto& [key, look] : looks)
        if (corners == QLatin1String(key))
            return look;
    return Look::Other;
}

TEST(Rendering, BorderLookByStyleAppearanceValueAndState) {
    struct Case {
        int style, appearance, value, state;
        Look look;
    };
    const Case cases[] = {
        {0, 1, 0, 0, Look::Raised},     {0, 1, 0, 1, Look::Frame},
        {0, 1, 0, 2, Look::Raised},     {0, 0, 0, 0, Look::None},
        {0, 0, 0, 1, Look::FlatSunken}, {0, 0, 0, 2, Look::FlatRaised},
        {1, 1, 0, 0, Look::Raised},     {1, 1, 0, 1, Look::Sunken},
        {1, 1, 0, 2, Look::Raised},     {1, 1, 1, 0, Look::Sunken},
        {1, 1, 1, 1, Look::Sunken},     {1, 1, 1, 2, Look::Sunken},
        {2, 0, 0, 0, Look::None},       {2, 0, 0, 1, Look::FlatSunken},
        {2, 0, 0, 2, Look::FlatRaised}, {2, 0, 1, 0, Look::FlatSunken},
        {2, 0, 1, 1, Look::FlatSunken}, {2, 0, 1, 2, Look::FlatSunken},
        {2, 1, 5, 0, Look::Sunken},     {2, 1, 5, 2, Look::Raised},
        {2, 0, 5, 0, Look::None},       {2, 0, 5, 2, Look::FlatSunken},
        {3, 1, 0, 0, Look::None},       {0, 7, 0, 2, Look::FlatRaised},
        {0, 1, 0, 7, Look::None}, // unknown state: no border
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "style " << c.style << " appearance " << c.appearance
                                        << " value " << c.value << " state " << c.state);
        Rig rig(8, 6);
        rig->setButtonStyle(zkButton::StyleEnum(c.style));
        rig->setAppearance(zkButton::AppearanceEnum(c.appearance));
        rig->setValue(zkButton::ValueEnum(c.value));
        rig->Cls(); // the border goes over whatever the buffer holds
        rig->DrawDefaultBorder(c.state);
        EXPECT_EQ(lookOf(rig), c.look);
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

TEST(Rendering, PictureChoiceByStateAndEnabled) {
    Rig rig(40, 30);
    rig->setPictureAlign(zkButton::zbpCenter);
    rig->setPicture(solidPicture(8, 8, 0xFF0000F0));
    rig->setDownPicture(solidPicture(8, 8, 0xFF00F000));
    rig->setSelectPicture(solidPicture(8, 8, 0xFFF00000));
    const auto shows = [&](QRgb c) { return coverage(rig->visibleSurface(), c).count == 64; };
    EXPECT_TRUE(shows(0xFF0000F0));
    rig->DrawDefaultPicture(zkButton::zbsPush);
    EXPECT_TRUE(shows(0xFF00F000));
    rig->DrawDefaultPicture(zkButton::zbsSelect);
    EXPECT_TRUE(shows(0xFFF00000));
    rig->setButtonEnabled(false); // no DisablePicture: the normal picture, whatever the state
    rig->Cls();
    rig->DrawDefaultPicture(zkButton::zbsSelect);
    EXPECT_TRUE(shows(0xFF0000F0));
    rig->setDisablePicture(solidPicture(8, 8, 0xFF707070));
    EXPECT_TRUE(shows(0xFF707070));
    EXPECT_FALSE(rig->DrawDefaultPicture(3));
}

TEST(Rendering, MaskColourPixelsShowTheBackground) {
    QImage image(4, 4, QImage::Format_RGB32);
    image.fill(0xFF0000F0);
    image.setPixel(1, 1, 0xFFFF00FF);
    image.setPixel(2, 3, 0xFFFF00FF);
    Rig rig(20, 20);
    rig->setPictureAlign(zkButton::zbpTopLeft);
    rig->setPicture(zkPictureRef::create(image));
    EXPECT_EQ(rig.px(3, 3), 0xFFFF00FFu);
    rig->setUseMaskColor(true);
    EXPECT_EQ(rig.px(3, 3), kBack);
    EXPECT_EQ(coverage(rig->visibleSurface(), 0xFF0000F0).count, 14);
    rig->setMaskColor(0x00F00000); // blue in OLE order: now the body is transparent
    EXPECT_EQ(coverage(rig->visibleSurface(), 0xFF0000F0).count, 0);
    EXPECT_EQ(coverage(rig->visibleSurface(), 0xFFFF00FF).count, 2);
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

TEST(Rendering, RedrawCopiesFourTimesUnlessTheOwnerDraws) {
    Rig rig(20, 12);
    int before = rig->surfaceCopyCount();
    rig->setBackColor(0x00FFFFFF);
    EXPECT_EQ(rig->surfaceCopyCount() - before, 4);
    int raised = 0;
    QObject::connect(rig.button.get(), &zkButton::OwnerDraw, [&] {
        ++raised;
        rig->setCaption(QStringLiteral("inner")); // no second redraw from inside
    });
    rig->setOwnerDraw(true);
    EXPECT_EQ(raised, 1);
    const QImage surface = rig->visibleSurface();
    before = rig->surfaceCopyCount();
    rig->setBackColor(0x00000000);
    EXPECT_EQ(raised, 2);
    EXPECT_EQ(rig->visibleSurface(), surface);
    EXPECT_EQ(rig->surfaceCopyCount(), before);
}

} // namespace
