// Pure rules of the face: access-key parsing, caption and picture positions, rounding,
// scale conversions and colour resolution.
#include "zk_colors.h"
#include "zk_geometry.h"
#include "zk_mnemonic.h"
#include "zk_scale.h"

#include <gtest/gtest.h>

namespace {

struct MnemonicCase {
    const char* caption;
    const char* text;
    const char* key;
    int position;
};

TEST(ParseMnemonic, GivesDisplayTextKeyAndPosition) {
    const MnemonicCase cases[] = {
        {"&Save", "Save", "S", 1},
        {"A&&B", "A&B", "", 0},
        {"Fi&le && E&xit", "File & Exit", "x", 9},
        {"&&", "&", "", 0},
        {"Save&", "Save", "", 5},
        {"Plain", "Plain", "", 0},
        {"", "", "", 0},
        {"&a&b", "ab", "b", 2},
        {"&&&x", "&x", "x", 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.caption);
        const zkMnemonic m = ParseMnemonic(QString::fromUtf8(c.caption));
        EXPECT_EQ(m.text, QString::fromUtf8(c.text));
        EXPECT_EQ(m.key, QString::fromUtf8(c.key));
        EXPECT_EQ(m.position, c.position);
    }
}

TEST(Rounding, HalvesGoToEvenAndDivisionTruncates) {
    EXPECT_EQ(zk::roundHalfEven(2.5), 2);
    EXPECT_EQ(zk::roundHalfEven(3.5), 4);
    EXPECT_EQ(zk::roundHalfEven(-2.5), -2);
    EXPECT_EQ(zk::roundHalfEven(2.6), 3);
    EXPECT_EQ(zk::truncDiv2(-7), -3); // toward zero, not floor
    EXPECT_EQ(zk::truncDiv2(7), 3);
}

struct CaptionCase {
    int captionAlign, pictureAlign, refW, refH;
    QPoint expected;
};

TEST(CaptionPosition, FollowsAlignmentAndPictureSpacing) {
    // 100 x 30 button, caption 40 x 12.
    const CaptionCase cases[] = {
        {0, 12, 0, 0, {4, 2}},    // top-left, no picture
        {0, 11, 0, 0, {2, 2}},    // picture right of the caption
        {0, 10, 16, 16, {20, 2}}, // picture left, 16 wide
        {4, 10, 16, 16, {39, 9}}, // centre with a picture on the left
        {4, 4, 16, 16, {30, 9}},  // picture not caption-relative: no spacing
        {4, 11, 16, 16, {21, 9}}, // centre, picture right: -16 - 1 + (76 div 2)
        {2, 10, 16, 16, {58, 2}}, // right column ignores a picture on the left
        {2, 11, 16, 16, {42, 2}},
        {6, 12, 16, 16, {4, 0}},  // bottom row: picture below lifts the caption
        {6, 9, 16, 16, {4, 16}},  // picture above leaves the bottom caption
        {0, 9, 16, 16, {4, 18}},  // top row under a picture above
        {4, 12, 16, 16, {30, 0}}, // middle row over a picture below: -17 + (34 div 2)
        {9, 12, 0, 0, {0, 0}},    // outside 0..8
        {-1, 12, 0, 0, {0, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.captionAlign << "/" << c.pictureAlign);
        const zk::FaceMetrics m{100, 30, c.captionAlign, c.pictureAlign, 40, 12};
        EXPECT_EQ(zk::captionPosition(m, c.refW, c.refH), c.expected);
    }
}

struct PictureCase {
    int captionAlign, pictureAlign;
    QPoint expected;
};

TEST(PicturePosition, TableForEveryAlignment) {
    // 100 x 30 button, 16 x 16 picture, caption 40 x 12.
    const PictureCase cases[] = {
        {4, 0, {2, 2}},    {4, 1, {42, 2}},  {4, 2, {82, 2}},  {4, 3, {2, 7}},    {4, 4, {42, 7}},
        {4, 5, {82, 7}},   {4, 6, {2, 12}},  {4, 7, {42, 12}}, {4, 8, {82, 12}},  {4, 10, {21, 7}},
        {0, 10, {2, 2}},   {2, 10, {40, 2}}, {4, 11, {63, 7}}, {0, 11, {44, 2}},  {8, 11, {82, 12}},
        {4, 9, {42, 0}},   {0, 9, {2, 2}},   {6, 9, {2, -2}},  {4, 12, {42, 14}}, {0, 12, {2, 16}},
        {8, 12, {82, 12}}, {4, 13, {0, 0}},  {12, 12, {0, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.captionAlign << "/" << c.pictureAlign);
        const zk::FaceMetrics m{100, 30, c.captionAlign, c.pictureAlign, 40, 12};
        EXPECT_EQ(zk::picturePosition(m, 16, 16), c.expected);
    }
}

TEST(ScaleConversion, EveryModeAt96Dpi) {
    struct Case {
        int mode;
        double h, v; // units of 96 pixels
    } cases[] = {{1, 1440, 1440}, {2, 72, 72},     {3, 96, 96},     {4, 12, 6},
                 {5, 1, 1},       {6, 25.4, 25.4}, {7, 2.54, 2.54}, {0, 96, 96}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mode);
        EXPECT_DOUBLE_EQ(zk::pixelsToScale(96, c.mode, true, 96), c.h);
        EXPECT_DOUBLE_EQ(zk::pixelsToScale(96, c.mode, false, 96), c.v);
        EXPECT_DOUBLE_EQ(zk::scaleToPixels(c.h, c.mode, true, 96), 96);
        EXPECT_DOUBLE_EQ(zk::scaleToPixels(c.v, c.mode, false, 96), 96);
    }
    EXPECT_DOUBLE_EQ(zk::pixelsToScale(1, 1, true, 96), 15); // 15 twips a pixel
}

TEST(Colors, ExplicitAndSystemColours) {
    QPalette palette;
    palette.setColor(QPalette::Button, QColor(1, 2, 3));
    palette.setColor(QPalette::Light, QColor(4, 5, 6));
    palette.setColor(QPalette::Shadow, QColor(7, 8, 9));
    palette.setColor(QPalette::Dark, QColor(10, 11, 12));
    EXPECT_EQ(zkResolveColor(0x00FF0080, palette), QColor(0x80, 0, 0xFF));
    EXPECT_EQ(zkResolveColor(0x8000000F, palette), QColor(1, 2, 3));
    EXPECT_EQ(zkResolveColor(0x80000014, palette), QColor(4, 5, 6));
    EXPECT_EQ(zkResolveColor(0x80000015, palette), QColor(7, 8, 9));
    EXPECT_EQ(zkResolveColor(0x80000010, palette), QColor(10, 11, 12));
    EXPECT_EQ(zkToOleColor(QColor(0x12, 0x34, 0x56)), 0x00563412u);
}

} // namespace
