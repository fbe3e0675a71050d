// Pure rules of the face and the surfaces: access-key parsing, caption position,
// rounding, scale conversions, colours, lines and raster operations.
#include "zk_colors.h"
#include "zk_geometry.h"
#include "zk_mnemonic.h"
#include "zk_raster.h"
#include "zk_scale.h"

#include <QStringList>
#include <gtest/gtest.h>
#include <span>

namespace {
using namespace zk::raster;

TEST(ParseMnemonic, GivesDisplayTextKeyAndPosition) {
    const struct {
        const char *caption, *text, *key;
        int position;
    } cases[] = {{"&Save", "Save", "S", 1},
                 {"A&&B", "A&B", "", 0},
                 {"Fi&le && E&xit", "File & Exit", "x", 9},
                 {"&&", "&", "", 0},
                 {"Save&", "Save", "", 5},
                 {"", "", "", 0},
                 {"&a&b", "ab", "b", 2},
                 {"&&&x", "&x", "x", 2}};
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
    EXPECT_EQ(zk::truncDiv2(-7), -3); // toward zero, not floor
}

struct FaceCase {
    int captionAlign, pictureAlign;
    QPoint expected;
};

TEST(CaptionPosition, FollowsAlignmentAndPictureSpacing) {
    // 100 x 30 button, caption 40 x 12; no picture, then a 16 x 16 one.
    const FaceCase none[] = {{0, 12, {4, 2}}, {0, 11, {2, 2}}, {9, 12, {0, 0}}, {-1, 12, {0, 0}}};
    const FaceCase cases[] = {{0, 10, {20, 2}}, {4, 10, {39, 9}}, {4, 4, {30, 9}}, {4, 11, {21, 9}},
                              {2, 10, {58, 2}}, {2, 11, {42, 2}}, {6, 12, {4, 0}}, {6, 9, {4, 16}},
                              {0, 9, {4, 18}},  {4, 12, {30, 0}}};
    using Table = std::span<const FaceCase>;
    for (const auto& [table, ref] : {std::pair(Table(none), 0), std::pair(Table(cases), 16)})
        for (const FaceCase& c : table) {
            SCOPED_TRACE(testing::Message() << c.captionAlign << "/" << c.pictureAlign);
            const zk::FaceMetrics m{100, 30, c.captionAlign, c.pictureAlign, 40, 12};
            EXPECT_EQ(zk::captionPosition(m, ref, ref), c.expected);
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
}

TEST(Colors, ExplicitAndSystemColours) {
    QPalette palette;
    const QPalette::ColorRole roles[] = {QPalette::Button, QPalette::Light, QPalette::Shadow,
                                         QPalette::Dark};
    for (int i = 0; i < 4; ++i)
        palette.setColor(roles[i], QColor(i, i, i));
    // Face, highlight, dark shadow and shadow, in that order.
    const quint32 system[] = {0x8000000F, 0x80000014, 0x80000015, 0x80000010};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(zkResolveColor(system[i], palette), QColor(i, i, i)) << i;
    EXPECT_EQ(zkResolveColor(0x00FF0080, palette), QColor(0x80, 0, 0xFF));
    EXPECT_EQ(zkToOleColor(QColor(0x12, 0x34, 0x56)), 0x00563412u);
}

constexpr QRgb W = 0xFFFFFFFF, R = 0xFFFF0000;

QImage blank(int w, int h, QRgb c = W) {
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(c);
    return img;
}

// The line walked one step at a time from p, the way the clipped walk must agree with.
void walkedLine(QImage& img, QPoint p, QPoint q) {
    int x = p.x(), y = p.y();
    const int dx = std::abs(q.x() - x), dy = -std::abs(q.y() - y);
    const int sx = x < q.x() ? 1 : -1, sy = y < q.y() ? 1 : -1;
    for (int err = dx + dy; x != q.x() || y != q.y();) {
        if (x >= 0 && y >= 0 && x < img.width() && y < img.height())
            img.setPixel(x, y, R);
        const int e2 = 2 * err;
        if (e2 >= dy)
            err += dy, x += sx;
        if (e2 <= dx)
            err += dx, y += sy;
    }
}

TEST(Line, ClippedWalkVisitsTheSamePixelsAsTheWholeWalk) {
    quint32 seed = 12345;
    const auto next = [&](int lo, int hi) {
        seed = seed * 1103515245u + 12345u;
        return lo + int((seed >> 8) % quint32(hi - lo + 1));
    };
    for (int i = 0; i < 400; ++i) {
        const QPoint p(next(-30, 70), next(-30, 50)), q(next(-30, 70), next(-30, 50));
        const int width = next(1, 4);
        QImage expected = blank(40, 20), drawn = blank(40, 20);
        const bool steep = std::abs(q.y() - p.y()) > std::abs(q.x() - p.x());
        for (int k = -(width - 1) / 2; k <= width / 2; ++k)
            walkedLine(expected, p + (steep ? QPoint(k, 0) : QPoint(0, k)),
                       q + (steep ? QPoint(k, 0) : QPoint(0, k)));
        thickLine(drawn, p, q, width, {R});
        ASSERT_EQ(drawn, expected)
            << p.x() << "," << p.y() << " " << q.x() << "," << q.y() << " width " << width;
    }
}

TEST(Rop2, AllSixteenCodes) {
    const quint32 P = 0x00F0F0F0 & 0xFFFFFF, D = 0x00CCCCCC;
    const quint32 expected[16] = {0,     ~(P | D), ~P & D, ~P,        P & ~D, ~D,
                                  P ^ D, ~(P & D), P & D,  ~(P ^ D),  D,      ~P | D,
                                  P,     P | ~D,   P | D,  0xFFFFFFFF};
    for (int code = 1; code <= 16; ++code) {
        SCOPED_TRACE(code);
        EXPECT_EQ(rop2(code, P, D), expected[code - 1] & 0xFFFFFF);
    }
}

} // namespace
