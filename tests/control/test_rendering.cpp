// Pixel tests of the button face at 96 dpi with a fixed font.
#include "button_fixture.h"
#include "input_helpers.h"
#include "zk_geometry.h"
#include "zkbutton_face.h"

#include <gtest/gtest.h>

namespace {
using namespace zktest;

QStringList rowsOf(std::initializer_list<const char*> rows) {
    QStringList out;
    for (const char* r : rows)
        out.append(QString::fromLatin1(r));
    return out;
}

TEST(Rendering, ScreenIs96Dpi) {
    Rig rig;
    EXPECT_EQ(rig->logicalDpiX(), 96);
}

TEST(Rendering, Raised3DBorderOn5x4PixelByPixel) {
    Rig rig(5, 4);
    EXPECT_EQ(rig.rows(), rowsOf({"LLLLD", "LbbSD", "LSSSD", "DDDDD"}));
}

TEST(Rendering, FlatRaisedBorderOn3x3) {
    Rig rig(3, 3);
    rig->setAppearance(zkButton::zbaFlat);
    EXPECT_EQ(rig.rows(), rowsOf({"bbb", "bbb", "bbb"})); // flat button: no border at rest
    rig->DrawDefaultBorder(zkButton::zbsSelect);
    EXPECT_EQ(rig.rows(), rowsOf({"LLS", "LbS", "LSS"}));
}

TEST(Rendering, PushedButtonShowsShadowFrameNotSunkenBorder) {
    Rig rig(5, 4);
    press(rig.button.get(), {2, 2});
    EXPECT_EQ(rig.rows(), rowsOf({"SSSSS", "SbbbS", "SbbbS", "SSSSS"}));
}

TEST(Rendering, Sunken3DBorderOn8x6) {
    Rig rig(8, 6);
    rig->setButtonStyle(zkButton::zbbCheck);
    rig->setValue(zkButton::zbvOn);
    EXPECT_EQ(rig.rows(),
              rowsOf({"DDDDDDDL", "DSSSSSFL", "DSbbbbFL", "DFbbbbFL", "DFFFFFFL", "LLLLLLLL"}));
}

enum class Look { None, Raised, Sunken, Frame, FlatRaised, FlatSunken, Other };

Look lookOf(const Rig& rig) {
    const QStringList r = rig.rows();
    const QChar tl = r.first().front(), br = r.last().back();
    if (tl == u'b' && br == u'b')
        return Look::None;
    if (tl == u'L' && br == u'D')
        return Look::Raised;
    if (tl == u'D' && br == u'L')
        return Look::Sunken;
    if (tl == u'S' && br == u'S')
        return Look::Frame;
    if (tl == u'L' && br == u'S')
        return Look::FlatRaised;
    if (tl == u'S' && br == u'L')
        return Look::FlatSunken;
    return Look::Other;
}

struct LookCase {
    int style, appearance, value, state;
    Look look;
};

TEST(Rendering, BorderLookByStyleAppearanceValueAndState) {
    const LookCase cases[] = {
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
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "style " << c.style << " appearance " << c.appearance
                                        << " value " << c.value << " state " << c.state);
        Rig rig(8, 6);
        rig->setButtonStyle(zkButton::StyleEnum(c.style));
        rig->setAppearance(zkButton::AppearanceEnum(c.appearance));
        rig->setValue(zkButton::ValueEnum(c.value));
        // The border goes over whatever the buffer holds: start from a clean one.
        rig->Cls();
        rig->DrawDefaultBorder(c.state);
        EXPECT_EQ(lookOf(rig), c.look);
    }
}

TEST(Rendering, UnknownStateDrawsNoBorder) {
    Rig rig(8, 6);
    rig->Cls();
    rig->DrawDefaultBorder(7);
    EXPECT_EQ(lookOf(rig), Look::None);
}

QFont testFont(const zkButton& b) {
    return b.buttonFont()->toQFont(96);
}

struct CaptionAt {
    int captionAlign, pictureAlign, pictureWidth;
    QPoint caption;
};

TEST(Rendering, CaptionPositionsWithAndWithoutPicture) {
    const CaptionAt cases[] = {
        {0, 12, 0, {4, 2}},
        {0, 11, 0, {2, 2}},
        {0, 10, 16, {20, 2}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pictureAlign);
        Rig rig(100, 30);
        rig->setCaptionAlign(zkButton::CaptionAlignEnum(c.captionAlign));
        rig->setPictureAlign(zkButton::PictureAlignEnum(c.pictureAlign));
        if (c.pictureWidth)
            rig->setPicture(solidPicture(c.pictureWidth, 16, 0xFF3060C0));
        rig->setCaption(QStringLiteral("Ab"));
        const QImage& img = rig->visibleSurface();
        EXPECT_EQ(locate(img, inkOf(QStringLiteral("Ab"), testFont(*rig.button)), kFore),
                  QList<QPoint>{c.caption});
        if (c.pictureWidth) {
            EXPECT_EQ(boxOf(img, 0xFF3060C0), QRect(2, 2, 16, 16));
        }
    }
}

TEST(Rendering, CentredCaptionKeepsTwoPixelGapToPictureOnItsLeft) {
    Rig rig(100, 30);
    rig->setCaptionAlign(zkButton::zbcCenter);
    rig->setPictureAlign(zkButton::zbpCaptionLeft);
    rig->setPicture(solidPicture(16, 16, 0xFF3060C0));
    rig->setCaption(QStringLiteral("Save"));
    const QFont font = testFont(*rig.button);
    const zk::FaceMetrics m{100,
                            30,
                            4,
                            10,
                            zkButtonFace::textWidth(font, QStringLiteral("Save")),
                            zkButtonFace::textHeight(font, QStringLiteral("Save"))};
    const QList<QPoint> at =
        locate(rig->visibleSurface(), inkOf(QStringLiteral("Save"), font), kFore);
    ASSERT_EQ(at.size(), 1);
    EXPECT_EQ(at.first(), zk::captionPosition(m, 16, 16));
    const QRect picture = boxOf(rig->visibleSurface(), 0xFF3060C0);
    EXPECT_EQ(picture.topLeft(), zk::picturePosition(m, 16, 16));
    EXPECT_EQ(at.first().x() - (picture.right() + 1), 2);
    EXPECT_EQ(picture.top(), 7);
}

TEST(Rendering, PressMovesCaptionAndPictureNotBorder) {
    Rig rig(60, 40);
    rig->setPictureAlign(zkButton::zbpTopLeft);
    rig->setPicture(solidPicture(8, 8, 0xFF3060C0));
    rig->setCaption(QStringLiteral("Go"));
    const QList<QPoint> ink = inkOf(QStringLiteral("Go"), testFont(*rig.button));
    const QPoint restCaption = locate(rig->visibleSurface(), ink, kFore).value(0);
    const QRect restPicture = boxOf(rig->visibleSurface(), 0xFF3060C0);
    press(rig.button.get(), {10, 10});
    EXPECT_EQ(locate(rig->visibleSurface(), ink, kFore).value(0), restCaption + QPoint(1, 1));
    EXPECT_EQ(boxOf(rig->visibleSurface(), 0xFF3060C0), restPicture.translated(1, 1));
    EXPECT_EQ(rig.px(0, 0), kShadow); // the frame stays on the outermost pixels
    EXPECT_EQ(rig.px(59, 39), kShadow);
}

TEST(Rendering, DisabledCaptionIsEngravedWithTwoUnderlines) {
    Rig rig(80, 30);
    rig->setCaptionAlign(zkButton::zbcTopLeft);
    rig->setCaption(QStringLiteral("A&b"));
    rig->setButtonEnabled(false);
    const QFont font = testFont(*rig.button);
    const QImage& img = rig->visibleSurface();
    const QList<QPoint> ink = inkOf(QStringLiteral("Ab"), font);
    const QPoint at(4, 2);
    EXPECT_TRUE(locate(img, ink, kShadow).contains(at));
    EXPECT_EQ(countOf(img, kFore), 0);
    const int kx = zkButtonFace::textWidth(font, QStringLiteral("A"));
    const int kw = zkButtonFace::textWidth(font, QStringLiteral("b"));
    const int ka = zkButtonFace::textHeight(font, QStringLiteral("A"));
    for (int x = at.x() + kx; x < at.x() + kx + kw; ++x)
        EXPECT_EQ(img.pixel(x, at.y() + ka - 1), kShadow) << x;
    for (int x = at.x() + kx + 1; x < at.x() + kx + kw + 1; ++x)
        EXPECT_EQ(img.pixel(x, at.y() + ka), kHighlight) << x;
    // Highlight copy one pixel right and down, partly under the shadow copy.
    int highlightInk = 0;
    for (const QPoint& p : ink)
        highlightInk += img.pixel(p + at + QPoint(1, 1)) == kHighlight;
    EXPECT_GT(highlightInk, 0);

    rig->setButtonEnabled(true);
    EXPECT_EQ(locate(img, ink, kFore), QList<QPoint>{at});
    for (int x = at.x() + kx; x < at.x() + kx + kw; ++x)
        EXPECT_EQ(rig->visibleSurface().pixel(x, at.y() + ka - 1), kFore);
}

TEST(Rendering, PictureChoiceByStateAndEnabled) {
    Rig rig(40, 30);
    rig->setPictureAlign(zkButton::zbpCenter);
    rig->setPicture(solidPicture(8, 8, 0xFF0000F0));
    rig->setDownPicture(solidPicture(8, 8, 0xFF00F000));
    rig->setSelectPicture(solidPicture(8, 8, 0xFFF00000));
    const auto shows = [&](QRgb c) { return countOf(rig->visibleSurface(), c) == 64; };
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
    EXPECT_EQ(rig.px(4, 5), kBack);
    EXPECT_EQ(rig.px(2, 2), 0xFF0000F0u);
    EXPECT_EQ(countOf(rig->visibleSurface(), 0xFF0000F0), 14);
    rig->setMaskColor(0x00F00000); // blue in OLE order: now the body is transparent
    EXPECT_EQ(countOf(rig->visibleSurface(), 0xFF0000F0), 0);
    EXPECT_EQ(countOf(rig->visibleSurface(), 0xFFFF00FF), 2);
}

TEST(Rendering, FocusRectangleOnlyWithFocusAndAtMargin) {
    Rig rig(20, 12);
    const QImage without = rig->visibleSurface();
    focus(rig.button.get(), true);
    const QImage with = rig->visibleSurface();
    QRect changed;
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 20; ++x)
            if (with.pixel(x, y) != without.pixel(x, y))
                changed |= QRect(x, y, 1, 1);
    EXPECT_EQ(changed, QRect(QPoint(3, 3), QPoint(16, 8)));
    rig->setFocusRectMargin(0);
    EXPECT_NE(rig.px(0, 0), kHighlight); // drawn over the border
    EXPECT_EQ(rig.px(0, 0), (~kHighlight) | 0xFF000000u);
    rig->setShowFocusRect(false);
    EXPECT_EQ(rig.px(0, 0), kHighlight);
    focus(rig.button.get(), false);
    rig->setShowFocusRect(true);
    EXPECT_EQ(rig.px(0, 0), kHighlight);
}

TEST(Rendering, FullRedrawCopiesTheBufferFourTimes) {
    Rig rig(20, 12);
    const int before = rig->surfaceCopyCount();
    rig->setBackColor(0x00FFFFFF);
    EXPECT_EQ(rig->surfaceCopyCount() - before, 4);
}

TEST(Rendering, OwnerDrawLeavesTheSurfaceToTheHandler) {
    Rig rig(20, 12);
    int raised = 0;
    QObject::connect(rig.button.get(), &zkButton::OwnerDraw, [&] { ++raised; });
    rig->setOwnerDraw(true);
    EXPECT_EQ(raised, 1);
    const QImage before = rig->visibleSurface();
    const int copies = rig->surfaceCopyCount();
    rig->setBackColor(0x00000000);
    EXPECT_EQ(raised, 2);
    EXPECT_EQ(rig->visibleSurface(), before);
    EXPECT_EQ(rig->surfaceCopyCount(), copies);
}

TEST(Rendering, OwnerDrawHandlerDrawsDefaultBorderOverBackground) {
    Rig rig(5, 4);
    QObject::connect(rig.button.get(), &zkButton::OwnerDraw,
                     [&] { rig->DrawDefaultBorder(zkButton::zbsNormal); });
    rig->setBackColor(0x00FFFFFF);
    rig->setOwnerDraw(true);
    EXPECT_EQ(rig.rows(), rowsOf({"LLLLD", "L??SD", "LSSSD", "DDDDD"}));
    EXPECT_EQ(rig.px(1, 1), 0xFFFFFFFFu);
}

TEST(Rendering, PropertySetInsideOwnerDrawDoesNotRedrawAgain) {
    Rig rig(20, 12);
    int raised = 0;
    QObject::connect(rig.button.get(), &zkButton::OwnerDraw, [&] {
        ++raised;
        rig->setCaption(QStringLiteral("inner"));
    });
    rig->setOwnerDraw(true);
    EXPECT_EQ(raised, 1);
    EXPECT_EQ(rig->caption(), QStringLiteral("inner"));
}

} // namespace
